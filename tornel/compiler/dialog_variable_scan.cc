#include "tornel/compiler/dialog_variable_scan.h"

#include <algorithm>
#include <charconv>
#include <string_view>

#include "tornel/compiler/tokens.h"

namespace tornel {

namespace {

bool ReadNumber(std::string_view s, size_t& pos, int& value) {
  auto [ptr, ec] = std::from_chars(s.data() + pos, s.data() + s.size(), value);
  if (ec != std::errc() || value < 0) return false;
  pos = static_cast<size_t>(ptr - s.data());
  return true;
}

void AddOnce(std::vector<DialogVariable>& list, DialogVariable v, int* counter) {
  if (std::find(list.begin(), list.end(), v) != list.end()) return;
  list.push_back(v);
  if (counter) ++*counter;
}

// One statement (after its location prefix, up to its line end).
void ScanStatement(std::string_view s, std::span<const unsigned char> codes,
                   DialogVariables& vars) {
  if (s.size() < 4 || s[0] != kTokDialogProc) return;
  if (std::find(codes.begin(), codes.end(), TokenValue(s[1])) == codes.end()) return;
  if (s[2] != '(') return;
  char type = s[3];
  if (type != kTokIntVar && type != kTokRealVar && type != kTokStringRef) return;
  size_t pos = 4;
  int index = 0;
  int size = 1;
  if (!ReadNumber(s, pos, index)) return;
  if (pos < s.size() && s[pos] == '|') {
    ++pos;
    if (!ReadNumber(s, pos, size)) return;
  }
  if (pos < s.size() && s[pos] == '[') {  // an element index: the whole array counts
    int depth = 0;
    for (; pos < s.size(); ++pos) {
      if (s[pos] == '[') ++depth;
      if (s[pos] == ']' && --depth == 0) break;
    }
    if (pos < s.size()) ++pos;
  }
  bool in_a = pos < s.size() && s[pos] == '!';
  if (in_a) ++pos;
  bool in_b = !(pos < s.size() && s[pos] == '?');
  int* counter = type == kTokIntVar ? &vars.int_count
                 : type == kTokRealVar ? &vars.real_count
                                       : &vars.string_count;
  for (int i = 0; i < size; ++i) {
    DialogVariable v{type, index + i};
    if (in_a) AddOnce(vars.list_a, v, nullptr);
    if (in_b) AddOnce(vars.list_b, v, counter);
  }
}

}  // namespace

void ScanDialogVariables(const LoadedProgram& program, std::span<const unsigned char> binding_codes,
                         DialogVariables& vars) {
  std::string_view bytes = program.bytes;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find(kTokLineEnd, start);
    if (end == std::string_view::npos) end = bytes.size();
    std::string_view record = bytes.substr(start, end - start);
    size_t sep = record.find(kTokLocation);
    if (sep != std::string_view::npos) ScanStatement(record.substr(sep + 1), binding_codes, vars);
    start = end + 1;
  }
  vars.ints.assign(static_cast<size_t>(vars.int_count), 0);
  vars.reals.assign(static_cast<size_t>(vars.real_count), 0.0);
  vars.strings.assign(static_cast<size_t>(vars.string_count), std::string());
}

}  // namespace tornel
