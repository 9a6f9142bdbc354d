#include "tornel/output/modal_group_pass.h"

#include <algorithm>
#include <charconv>
#include <unordered_map>
#include <unordered_set>

#include "tornel/compiler/location_prefix.h"
#include "tornel/compiler/tokens.h"
#include "tornel/compiler/words.h"
#include "tornel/output/declaration_block.h"

namespace tornel {

namespace {

constexpr std::string_view kGroupKeyword = "modalgroup";
constexpr std::string_view kGroupName = "ModalGroup";
constexpr std::string_view kGroupPrefix = "mg";

struct Attribute {
  std::string_view name;
  char token;
};
constexpr Attribute kGroupAttributes[] = {{"modnum", kTokAttrSelNum}, {"modval", kTokAttrSelStr}};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsNumberChar(char c) { return IsDigit(c) || c == '+' || c == '-' || c == '.'; }

std::string_view NameAt(std::string_view s, size_t pos) {
  size_t end = pos;
  while (end < s.size() && IsNameChar(s[end])) ++end;
  return s.substr(pos, end - pos);
}

// One value: a sign, digits with at most one point.  A sign that follows
// a value starts the next one.
bool ReadValue(std::string_view s, size_t& pos, double& value) {
  size_t p = pos;
  if (p < s.size() && (s[p] == '+' || s[p] == '-')) ++p;
  size_t digits = p;
  bool point = false;
  while (p < s.size() && (IsDigit(s[p]) || (s[p] == '.' && !point))) point |= s[p++] == '.';
  if (p == digits || (p == digits + 1 && s[digits] == '.')) return false;
  std::string_view text = s.substr(pos, p - pos);
  if (text[0] == '+') text.remove_prefix(1);
  auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || ptr != text.data() + text.size()) return false;
  // A value ends at a blank, a sign or the end of the line.
  if (p < s.size() && s[p] != ' ' && s[p] != '+' && s[p] != '-') return false;
  pos = p;
  return true;
}

struct Definition {
  std::string name;
  int address = 0;
  std::vector<double> values;
};

// Reads a definition; with `address_only` it stops after the address.
Definition ParseGroup(Diagnostics& diag, std::string_view s, bool address_only) {
  Definition d;
  d.name = std::string(NameAt(s, 0));
  size_t pos = d.name.size();
  if (pos < s.size() && s[pos] == ' ') ++pos;
  if (pos < s.size() && s[pos] == '_') FatalAt(diag, kMsgGroupUndefinedAddress);
  if (pos >= s.size() || s[pos] != kTokAddress) FatalAt(diag, kMsgGroupAddressMissing);
  const char* first = s.data() + pos + 1;
  auto [ptr, ec] = std::from_chars(first, s.data() + s.size(), d.address);
  if (ec != std::errc() || ptr == first) FatalAt(diag, kMsgGroupAddressMissing);
  pos = static_cast<size_t>(ptr - s.data());
  if (address_only) return d;

  for (;;) {
    if (pos < s.size() && s[pos] == ' ') ++pos;
    if (pos >= s.size()) break;
    double v = 0;
    if (!ReadValue(s, pos, v)) {
      // Junk after three or more values spoils the definition; before
      // that it is a value that is no number.
      bool number_like = IsNumberChar(s[pos]);
      FatalAt(diag, d.values.size() >= 3 && !number_like ? kMsgGroupInvalidDefinition
                                                         : kMsgGroupInvalidValue);
    }
    d.values.push_back(v);
  }
  std::vector<double> distinct = d.values;
  std::sort(distinct.begin(), distinct.end());
  if (std::unique(distinct.begin(), distinct.end()) - distinct.begin() < 2)
    FatalAt(diag, kMsgGroupTwoValues);
  return d;
}

void RenameGroups(std::string& s, const std::unordered_map<std::string, int>& number) {
  for (size_t i = s.find(kGroupPrefix); i != std::string::npos; i = s.find(kGroupPrefix, i + 1)) {
    if (i > 0 && IsNameChar(s[i - 1])) continue;
    std::string_view name = NameAt(s, i);
    auto it = number.find(std::string(name));
    if (it == number.end()) continue;
    std::string ref = kTokModalGroup + std::to_string(it->second);
    s.replace(i, name.size(), ref);
    i += ref.size() - 1;
  }
  for (size_t pos = s.find('.'); pos != std::string::npos; pos = s.find('.', pos + 1)) {
    std::string_view name = NameAt(s, pos + 1);
    for (const Attribute& a : kGroupAttributes)
      if (a.name == name) {
        s.replace(pos + 1, name.size(), 1, a.token);
        break;
      }
  }
}

}  // namespace

std::vector<std::string> ModalGroupPass(Diagnostics& diag, TriggerTable& triggers,
                                        ModalValues& modal, const std::vector<std::string>& lines) {
  std::unordered_map<std::string, int> number;
  std::unordered_set<std::string> in_file;
  int file = -1;
  BlockState block{kGroupKeyword, kGroupName};
  std::vector<bool> code(lines.size(), true);
  for (size_t i = 0; i < lines.size(); ++i) {
    Location loc;
    std::string_view s;
    if (!SplitLocation(lines[i], loc, s)) continue;
    diag.loc = loc;
    if (loc.file != file) in_file.clear(), file = loc.file;
    BlockLine kind = ClassifyBlockLine(diag, block, s);
    if (kind == BlockLine::kOutside) continue;
    code[i] = false;
    if (kind != BlockLine::kDefinition) continue;
    std::string name(NameAt(s, 0));
    if (name.compare(0, kGroupPrefix.size(), kGroupPrefix) != 0) FatalAt(diag, kMsgGroupNameMg);
    if (!in_file.insert(name).second) FatalAt(diag, FormatMessage(kMsgGroupInUse, {name}));
    bool repeat = number.count(name) != 0;
    Definition d = ParseGroup(diag, s, repeat);
    if (repeat) continue;
    int entry = AddModalGroup(diag, triggers, modal, d.address, d.values);
    number.emplace(name, TriggerNumber(entry));
  }

  std::vector<std::string> out;
  out.reserve(lines.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    if (!code[i]) continue;
    Location loc;
    std::string_view s;
    if (!SplitLocation(lines[i], loc, s)) {
      out.push_back(lines[i]);
      continue;
    }
    std::string statement(s);
    RenameGroups(statement, number);
    out.push_back(WithLocation(loc, statement));
  }
  return out;
}

}  // namespace tornel
