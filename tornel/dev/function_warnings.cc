// Functions that compile but never run.
#include <algorithm>

#include "tornel/compiler/function_header.h"
#include "tornel/compiler/post_functions.h"
#include "tornel/compiler/tokens.h"
#include "tornel/compiler/words.h"
#include "tornel/dev/post_warnings.h"

namespace tornel::dev {

namespace {

constexpr const char* kMsgRedefined =
    "%s is defined again here, and never runs: the definition at %s does";
constexpr const char* kMsgOnlyStandsIn =
    "post function %s never runs: tornel calls it only in place of %s, and the post defines them "
    "all";
constexpr const char* kMsgNeverCalled = "user function %s is never called";
constexpr const char* kMsgHookNeverRuns =
    "%s never runs: no output statement writes %s";

constexpr int kFallbackOnly[] = {
#define DEV_FALLBACK_ONLY(number) number,
#include "tornel/dev/fallback_only.def"
#undef DEV_FALLBACK_ONLY
};

bool IsFallbackOnly(int number) {
  return std::find(std::begin(kFallbackOnly), std::end(kFallbackOnly), number) !=
         std::end(kFallbackOnly);
}

std::string Lower(std::string s) {
  for (char& c : s) c = LowerAscii(c);
  return s;
}

// One FUNC statement of the program.
struct Definition {
  Location loc;
  int32_t body = -1;  // position of the record after the FUNC record
  FunctionHeader header;
  bool parsed = false;
  std::string key;   // the same for two definitions of one function
  std::string shown;  // the function as a message names it
  bool runs = false;  // the one of its key that calls reach
  int descriptor = -1;
};

std::string At(const Diagnostics& diag, Location loc) {
  return LocationFileName(diag, loc.file) + ":" + std::to_string(loc.line);
}

// The header text of the FUNC statement at `loc` in the normalised source.
bool HeaderAt(const CheckInput& in, Location loc, std::string& header) {
  for (const SourceStatement& st : in.source) {
    if (st.loc.file != loc.file || st.loc.line != loc.line) continue;
    std::string_view t = st.text;
    if (t.substr(0, 4) != "func") continue;
    t.remove_prefix(4);
    while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
    header = t;
    return true;
  }
  return false;
}

int32_t LabelPos(const RunState& run, int label) {
  const std::vector<int32_t>& labels = run.program.labels;
  return label >= 0 && static_cast<size_t>(label) < labels.size() ? labels[label] : -2;
}

int DescriptorAt(const RunState& run, int32_t body) {
  const FunctionTables& f = run.compiler.functions;
  for (int32_t off : f.offsets)
    if (LabelPos(run, f.descriptors[off + kDescLabel]) == body) return off;
  return -1;
}

void Classify(const RunState& run, Definition& d) {
  const FunctionHeader& h = d.header;
  const FunctionTables& f = run.compiler.functions;
  d.descriptor = DescriptorAt(run, d.body);
  switch (h.kind) {
    case FunctionKind::kPost:
      d.key = "post " + std::to_string(h.post_number);
      d.shown = "post function " + std::string(PostFunctionName(h.post_number));
      d.runs = LabelPos(run, run.post_functions[h.post_number]) == d.body;
      break;
    case FunctionKind::kOnApt: {
      d.key = "onapt " + h.target;
      d.shown = "OnAPT[" + h.target + "]";
      auto first = std::find_if(f.onapt.begin(), f.onapt.end(),
                                [&](const OnAptEntry& e) { return e.command == h.target; });
      d.runs = first != f.onapt.end() && LabelPos(run, first->label) == d.body;
      break;
    }
    case FunctionKind::kOnAddr:
    case FunctionKind::kOnAddrOut: {
      bool out = h.kind == FunctionKind::kOnAddrOut;
      std::string address = Lower(h.target);
      d.key = (out ? "onaddrout " : "onaddr ") + address;
      d.shown = (out ? "OnAddrOut[" : "OnAddr[") + h.target + "]";
      auto first = std::find_if(f.address_hooks.begin(), f.address_hooks.end(),
                                [&](const AddressHook& a) {
                                  return a.out == out && Lower(a.address) == address;
                                });
      d.runs = first != f.address_hooks.end() && first->descriptor == d.descriptor &&
               d.descriptor >= 0;
      break;
    }
    default:
      d.key = "user " + h.name;
      d.shown = "user function " + h.name;  // lower case, as the compiler knows it
      d.runs = d.descriptor >= 0;
      break;
  }
}

std::vector<Definition> Definitions(const CheckInput& in) {
  std::vector<Definition> defs;
  Diagnostics scratch = in.run.diag;
  scratch.report_to_caller = true;
  for (size_t k = 0; k + 1 < in.records.size(); ++k) {
    const ProgramRecord& r = in.records[k];
    if (r.statement.empty() || r.statement[0] != kTokFuncStart) continue;
    Definition d;
    d.loc = r.loc;
    d.body = static_cast<int32_t>(in.records[k + 1].pos);
    std::string header;
    if (!HeaderAt(in, r.loc, header)) continue;
    scratch.loc = r.loc;
    try {
      d.header = ParseFunctionHeader(scratch, header, [](std::string_view, bool) {});
    } catch (const RunEnded&) {
      continue;  // compiled once already: a header read back differently is skipped
    }
    Classify(in.run, d);
    defs.push_back(std::move(d));
  }
  return defs;
}

// The post functions that fall back to `number` directly, by name, "a and b".
std::string StandIns(int number) {
  std::vector<std::string_view> names;
  for (int m = 1; m < kPostFunctionSlots; ++m)
    if (!PostFunctionName(m).empty() && PostFunctionFallback(m) == number)
      names.push_back(PostFunctionName(m));
  std::string text;
  for (size_t i = 0; i < names.size(); ++i) {
    if (i > 0) text += i + 1 == names.size() ? " and " : ", ";
    text += names[i];
  }
  return text;
}

// True when some post function that tornel calls by its own number
// resolves to `number`.
bool CalledByTornel(const PostFunctionTable& table, int number) {
  for (int m = 1; m < kPostFunctionSlots; ++m) {
    if (m == number || PostFunctionName(m).empty() || IsFallbackOnly(m)) continue;
    if (ResolvedPostFunction(table, m) == number) return true;
  }
  return false;
}

}  // namespace

std::vector<Warning> UncallableFunctions(const CheckInput& in) {
  const RunState& run = in.run;
  std::vector<Definition> defs = Definitions(in);
  std::set<int> called = CalledDescriptors(in.records);
  bool dynamic = false;
  std::vector<bool> written = WrittenAddresses(in, dynamic);
  std::vector<Warning> warnings;
  Diagnostics scratch = run.diag;
  scratch.report_to_caller = true;
  for (const Definition& d : defs) {
    const FunctionHeader& h = d.header;
    bool user = h.kind == FunctionKind::kInt || h.kind == FunctionKind::kReal ||
                h.kind == FunctionKind::kString || h.kind == FunctionKind::kVoid;
    std::string name = user ? SpelledAsWritten(scratch, d.loc, h.name) : h.name;
    bool explicit_call = d.descriptor >= 0 && called.count(d.descriptor) > 0;
    if (!d.runs) {
      auto first = std::find_if(defs.begin(), defs.end(), [&](const Definition& o) {
        return o.runs && o.key == d.key;
      });
      if (first == defs.end() || explicit_call) continue;
      std::string shown = user ? "user function " + name : d.shown;
      warnings.push_back(
          {d.loc, FormatMessage(kMsgRedefined, {shown, At(run.diag, first->loc)})});
      continue;
    }
    if (h.kind == FunctionKind::kPost && IsFallbackOnly(h.post_number) && !explicit_call &&
        !CalledByTornel(run.post_functions, h.post_number)) {
      std::string stand_ins = StandIns(h.post_number);
      warnings.push_back({d.loc, FormatMessage(kMsgOnlyStandsIn,
                                               {PostFunctionName(h.post_number), stand_ins})});
    } else if ((h.kind == FunctionKind::kOnAddr || h.kind == FunctionKind::kOnAddrOut) &&
               !dynamic) {
      const std::vector<std::string>& names = run.output.addresses.names;
      auto it = std::find(names.begin(), names.end(), Lower(h.target));
      size_t index = static_cast<size_t>(it - names.begin());
      if (it != names.end() && index < written.size() && !written[index])
        warnings.push_back({d.loc, FormatMessage(kMsgHookNeverRuns, {d.shown, h.target})});
    } else if (user && !explicit_call) {
      warnings.push_back({d.loc, FormatMessage(kMsgNeverCalled, {name})});
    }
  }
  return warnings;
}

}  // namespace tornel::dev
