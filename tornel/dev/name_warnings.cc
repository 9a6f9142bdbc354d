// Names the compiler did not know, and the known names they may be typos of.
#include <algorithm>
#include <unordered_map>

#include "tornel/compiler/words.h"
#include "tornel/dev/post_warnings.h"

namespace tornel::dev {

namespace {

constexpr const char* kMsgUnknownSystemVariable = "unknown system variable %s";
constexpr const char* kMsgUnknownName = "unknown name %s";
constexpr const char* kMsgDidYouMean = "; did you mean %s?";

// The system variables as the reference writes them ("siToolNum").
constexpr std::string_view kSystemNames[] = {
#define TORNEL_SYSTEM_NAME(id, text, ...) text,
#define TORNEL_SI TORNEL_SYSTEM_NAME
#define TORNEL_SR TORNEL_SYSTEM_NAME
#define TORNEL_SS TORNEL_SYSTEM_NAME
#include "tornel/sysvars/system_variables.def"
#undef TORNEL_SI
#undef TORNEL_SR
#undef TORNEL_SS
#undef TORNEL_SYSTEM_NAME
};

constexpr std::string_view kSystemPrefixes[] = {"si", "sr", "ss"};

bool HasSystemPrefix(std::string_view name) {
  for (std::string_view p : kSystemPrefixes)
    if (name.size() > p.size() && name.substr(0, p.size()) == p) return true;
  return false;
}

// Every variable name the post could have meant, lower case -> as shown.
std::unordered_map<std::string, std::string> KnownNames(const RunState& run) {
  std::unordered_map<std::string, std::string> known;
  for (const VariableEntry& v : run.variables.entries) known.emplace(v.name, v.name);
  for (std::string_view text : kSystemNames) {
    std::string_view name = text.substr(0, text.find('['));
    known[LowerName(name)] = std::string(name);
  }
  return known;
}

size_t CommonPrefix(std::string_view a, std::string_view b) {
  size_t n = 0;
  while (n < a.size() && n < b.size() && LowerAscii(a[n]) == LowerAscii(b[n])) ++n;
  return n;
}

// The closest known name within a few edits, or empty.  Of two as close,
// the one that shares more of the name's start (srYY: srY before srNY),
// then the one that sorts first, so the answer never depends on the order
// of the table.
std::string Closest(const std::unordered_map<std::string, std::string>& known,
                    std::string_view name) {
  int limit = name.size() >= 6 ? 2 : 1;
  int best = limit + 1;
  size_t best_prefix = 0;
  std::string best_name;
  for (const auto& [lower, shown] : known) {
    int d = EditDistance(name, lower, std::min(limit, best));
    if (d > limit || d > best) continue;
    size_t prefix = CommonPrefix(name, lower);
    if (d < best || prefix > best_prefix || (prefix == best_prefix && shown < best_name)) {
      best = d;
      best_prefix = prefix;
      best_name = shown;
    }
  }
  return best <= limit ? best_name : std::string();
}

}  // namespace

int EditDistance(std::string_view a, std::string_view b, int limit) {
  int la = static_cast<int>(a.size()), lb = static_cast<int>(b.size());
  if (std::abs(la - lb) > limit) return limit + 1;
  std::vector<int> row(lb + 1), next(lb + 1);
  for (int j = 0; j <= lb; ++j) row[j] = j;
  for (int i = 1; i <= la; ++i) {
    next[0] = i;
    int smallest = i;
    for (int j = 1; j <= lb; ++j) {
      int same = LowerAscii(a[i - 1]) == LowerAscii(b[j - 1]) ? 0 : 1;
      next[j] = std::min({row[j] + 1, next[j - 1] + 1, row[j - 1] + same});
      smallest = std::min(smallest, next[j]);
    }
    if (smallest > limit) return limit + 1;
    std::swap(row, next);
  }
  return std::min(row[lb], limit + 1);
}

std::vector<Warning> UnknownNames(const CheckInput& in) {
  std::unordered_map<std::string, std::string> known = KnownNames(in.run);
  Diagnostics scratch = in.run.diag;
  scratch.report_to_caller = true;
  std::vector<Warning> warnings;
  Location last{-1, -1};
  std::vector<std::string> seen;  // names already reported on the current line
  for (const ProgramRecord& r : in.records) {
    if (r.loc.file != last.file || r.loc.line != last.line) seen.clear();
    last = r.loc;
    for (const std::string& name : PlainNames(r.statement)) {
      if (std::find(seen.begin(), seen.end(), name) != seen.end()) continue;
      seen.push_back(name);
      std::string shown = SpelledAsWritten(scratch, r.loc, name);
      std::string text = FormatMessage(
          HasSystemPrefix(name) ? kMsgUnknownSystemVariable : kMsgUnknownName, {shown});
      std::string guess = Closest(known, name);
      if (!guess.empty()) text += FormatMessage(kMsgDidYouMean, {guess});
      warnings.push_back({r.loc, text});
    }
  }
  return warnings;
}

}  // namespace tornel::dev
