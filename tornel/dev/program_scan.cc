#include "tornel/dev/program_scan.h"

#include "tornel/compiler/location_prefix.h"
#include "tornel/compiler/preprocessor.h"
#include "tornel/compiler/stack_store.h"
#include "tornel/compiler/tokens.h"
#include "tornel/compiler/words.h"
#include "tornel/sysvars/keyword_pass.h"

namespace tornel::dev {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsFunctionClass(char c) {
  return c == kTokNumFunc || c == kTokStrFunc || c == kTokProc || c == kTokDialogProc;
}

// The function codes after a class byte that carry a descriptor offset
// (the others name built-in functions).
bool CarriesDescriptor(char cls, char code) {
  if (cls == kTokNumFunc) return code == kTokFuncUser || code == kTokFuncUserReal;
  if (cls == kTokStrFunc) return code == kTokFuncUser;
  if (cls == kTokProc)
    return code == kTokFuncUser || code == kTokFuncOnApt || code == kTokFuncOnAddr ||
           code == kTokFuncOnAddrOut || code == kTokFuncPost;
  return false;
}

}  // namespace

std::vector<ProgramRecord> ProgramRecords(const LoadedProgram& program) {
  std::vector<ProgramRecord> records;
  std::string_view bytes = program.bytes;
  for (size_t start = 0; start < bytes.size();) {
    size_t end = bytes.find(kTokLineEnd, start);
    if (end == std::string_view::npos) end = bytes.size();
    ProgramRecord r;
    r.pos = start;
    std::string_view line = bytes.substr(start, end - start);
    if (!SplitLocation(line, r.loc, r.statement)) r.statement = line;
    records.push_back(r);
    start = end + 1;
  }
  return records;
}

std::set<int> CalledDescriptors(const std::vector<ProgramRecord>& records) {
  std::set<int> called;
  for (const ProgramRecord& r : records) {
    std::string_view s = r.statement;
    for (size_t i = 0; i + 1 < s.size(); ++i) {
      if (!IsFunctionClass(s[i])) continue;
      char code = s[++i];
      if (!CarriesDescriptor(s[i - 1], code)) continue;
      int offset = 0;
      bool digits = false;
      while (i + 1 < s.size() && IsDigit(s[i + 1]) && offset < 100000000) {
        offset = offset * 10 + (s[++i] - '0');
        digits = true;
      }
      if (digits) called.insert(offset);
    }
  }
  return called;
}

std::vector<std::string> PlainNames(std::string_view s) {
  std::vector<std::string> names;
  for (size_t i = 0; i < s.size();) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    if (c < 32 || c >= 127) {
      // A token: a function class or replace byte takes the next byte as
      // its code; the number of a reference follows directly.
      ++i;
      if ((IsFunctionClass(static_cast<char>(c)) || static_cast<char>(c) == kTokReplace) &&
          i < s.size())
        ++i;
      while (i < s.size() && (IsDigit(s[i]) || s[i] == '|')) ++i;
      continue;
    }
    if (!IsNameChar(s[i])) {
      ++i;
      continue;
    }
    size_t start = i;
    while (i < s.size() && IsNameChar(s[i])) ++i;
    if (!IsDigit(s[start])) names.emplace_back(s.substr(start, i - start));
  }
  return names;
}

std::vector<SourceStatement> NormalisedSource(const Diagnostics& diag, int first_literal) {
  Diagnostics scratch = diag;  // the first stage rebuilds the include list
  scratch.report_to_caller = true;
  std::vector<SourceStatement> out;
  try {
    StackStore stacks;
    std::vector<std::string> lines = Preprocess(
        scratch, *diag.sources, stacks, first_literal,
        ReadSourceLines(scratch, *diag.sources, diag.post_file));
    // The keyword pass renames words (Finishing is the post function
    // aFinishing) before the passes that read declarations.
    lines = KeywordPass(scratch, lines);
    for (const std::string& line : lines) {
      SourceStatement st;
      std::string_view text;
      if (SplitLocation(line, st.loc, text)) {
        st.text = text;
        out.push_back(std::move(st));
      }
    }
  } catch (const RunEnded&) {
  }
  return out;
}

std::string SpelledAsWritten(Diagnostics& diag, Location loc, const std::string& lower) {
  std::string line;
  try {
    if (!SourceLine(diag, loc, line)) return lower;
  } catch (const RunEnded&) {
    return lower;
  }
  std::string folded = line;
  LowerAsciiInPlace(folded);
  size_t at = FindWholeWord(folded, lower);
  return at == std::string::npos ? lower : line.substr(at, lower.size());
}

}  // namespace tornel::dev
