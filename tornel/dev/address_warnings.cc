// Addresses that no output ever writes.
#include "tornel/compiler/tokens.h"
#include "tornel/compiler/words.h"
#include "tornel/dev/post_warnings.h"
#include "tornel/output/declaration_block.h"

namespace tornel::dev {

namespace {

// The block keyword as the keyword pass leaves it.
constexpr std::string_view kAddressKeyword = "addres";
constexpr const char* kMsgNeverWritten = "address %s is declared but no output statement writes it";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The number at `i` (moving past it); -1 when there is none.
int TakeNumber(std::string_view s, size_t& i) {
  if (i >= s.size() || !IsDigit(s[i])) return -1;
  int n = 0;
  for (; i < s.size() && IsDigit(s[i]); ++i)
    if (n < 100000000) n = n * 10 + (s[i] - '0');
  return n;
}

// The statements that write words: O: in all its forms, and direct: and
// swap:, which send one address's words to another.
bool WritesWords(std::string_view s) {
  for (char c : s)
    if (c == kTokOutput || c == kTokDirect || c == kTokSwap) return true;
  return false;
}

void Mark(std::vector<bool>& written, int index) {
  if (index >= 0 && static_cast<size_t>(index) < written.size()) written[index] = true;
}

}  // namespace

std::vector<bool> WrittenAddresses(const CheckInput& in, bool& dynamic) {
  const OutputTables& out = in.run.output;
  std::vector<bool> written(out.addresses.records.size(), false);
  dynamic = false;
  // seqnums: stores the sequence address as a number.
  const VariableEntry* seq = FindVariable(in.run.variables, "siSeqAddr");
  for (const ProgramRecord& r : in.records) {
    std::string_view s = r.statement;
    if (seq && s.size() > 1 && s[0] == kTokIntVar) {
      size_t i = 1;
      if (TakeNumber(s, i) == seq->slot && i < s.size() && s[i] == '=') {
        ++i;
        int value = TakeNumber(s, i);
        if (i == s.size()) Mark(written, value);
      }
    }
    bool output = WritesWords(s);
    for (size_t i = 0; i < s.size(); ++i) {
      if (s[i] != kTokAddress && s[i] != kTokModalGroup) continue;
      bool group = s[i] == kTokModalGroup;
      size_t at = ++i;
      int n = TakeNumber(s, i);
      bool attribute = i < s.size() && s[i] == '.';
      --i;
      if (n < 0) {
        // _Addr[...] or mgModGrp[...]: chosen when it runs.
        if (output && !group && at < s.size() && s[at] == '[') dynamic = true;
        continue;
      }
      // An attribute is read or set; an address given as a value (to
      // siSeqAddr, a built-in) may be written through it.
      if (attribute || (!output && group)) continue;
      if (group) {
        const std::vector<TriggerEntry>& t = out.triggers.entries;
        if (n >= 1 && static_cast<size_t>(n) <= t.size()) Mark(written, t[n - 1].key);
      } else {
        Mark(written, n);
      }
    }
  }
  // direct= sends a written address's words on to another.
  for (bool changed = true; changed;) {
    changed = false;
    for (size_t a = 1; a < written.size(); ++a) {
      int to = out.addresses.records[a].direct;
      if (written[a] && to > 0 && static_cast<size_t>(to) < written.size() && !written[to]) {
        written[to] = true;
        changed = true;
      }
    }
  }
  return written;
}

std::vector<Warning> UnwrittenAddresses(const CheckInput& in) {
  bool dynamic = false;
  std::vector<bool> written = WrittenAddresses(in, dynamic);
  std::vector<Warning> warnings;
  if (dynamic) return warnings;  // any address may be the one chosen
  const std::vector<std::string>& names = in.run.output.addresses.names;
  // The declaring line of each name: the first in an ADDRESS block.
  std::vector<Location> declared(names.size());
  std::vector<bool> found(names.size(), false);
  Diagnostics scratch = in.run.diag;
  scratch.report_to_caller = true;
  BlockState block{kAddressKeyword, "ADDRESS"};
  for (const SourceStatement& st : in.source) {
    BlockLine role = BlockLine::kOutside;
    try {
      role = ClassifyBlockLine(scratch, block, st.text);
    } catch (const RunEnded&) {
      return warnings;  // compiled once already: the text read back differs
    }
    if (role != BlockLine::kDefinition) continue;
    size_t end = 0;
    while (end < st.text.size() && IsNameChar(st.text[end])) ++end;
    std::string_view name = std::string_view(st.text).substr(0, end);
    for (size_t a = 1; a < names.size(); ++a) {
      if (!found[a] && names[a] == name) {
        declared[a] = st.loc;
        found[a] = true;
      }
    }
  }
  for (size_t a = 1; a < names.size() && a < written.size(); ++a)
    if (!written[a]) warnings.push_back({declared[a], FormatMessage(kMsgNeverWritten, {names[a]})});
  return warnings;
}

}  // namespace tornel::dev
