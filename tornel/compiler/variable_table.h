// The variable name table: every global variable name of a run with the
// value table and slots it lives in.  The system variables are entered first,
// then the post file's VARIABLE declarations extend the same table, so their
// slots follow behind the system slots in each value table.
#pragma once

#include <array>
#include <climits>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "tornel/compiler/words.h"

namespace tornel {

// The three value tables.  The numbering doubles as the index into per-table
// arrays; the byte that names a type in the program text is the compiler's.
enum class VarType { kInteger, kReal, kString };
inline constexpr int kVarTypes = 3;

// The type a variable name announces by its second letter: i, r or s (either
// case).  "src..." is real, like every "sr..." name.
constexpr std::optional<VarType> TypeFromName(std::string_view name) {
  if (name.size() < 2) return std::nullopt;
  switch (name[1]) {
    case 'i': case 'I': return VarType::kInteger;
    case 'r': case 'R': return VarType::kReal;
    case 's': case 'S': return VarType::kString;
    default: return std::nullopt;
  }
}

// One definition as written: a name, or a name followed by "[n]".
struct VariableDefinition {
  std::string_view name;  // without the bracket
  int elements = 1;       // slots taken
  bool is_array = false;
};

// Splits "name" or "name[n]".  Refused (nullopt): an empty name, a character
// outside the name characters, a count that is missing, zero, not all digits,
// beyond the int range, or not followed by a "]" that ends the text.
constexpr std::optional<VariableDefinition> ParseVariableDefinition(std::string_view text) {
  size_t bracket = text.find('[');
  std::string_view name = text.substr(0, bracket);
  if (name.empty()) return std::nullopt;
  for (char c : name)
    if (!IsNameChar(c)) return std::nullopt;
  if (bracket == std::string_view::npos) return VariableDefinition{name, 1, false};

  std::string_view rest = text.substr(bracket + 1);
  size_t digits = 0;
  long long count = 0;
  while (digits < rest.size() && rest[digits] >= '0' && rest[digits] <= '9') {
    count = count * 10 + (rest[digits] - '0');
    if (count > INT_MAX) return std::nullopt;
    ++digits;
  }
  if (digits == 0 || count == 0 || rest.substr(digits) != "]") return std::nullopt;
  return VariableDefinition{name, static_cast<int>(count), true};
}

// A file number for names that no post or include file declared.
inline constexpr int kNoFile = -1;

struct VariableEntry {
  std::string name;  // lower case
  VarType type = VarType::kInteger;
  int slot = 0;      // first slot in its value table
  int elements = 1;  // slots taken, element 0 first
  bool is_array = false;
  int file = kNoFile;  // declaring file: 0 the post file, 1.. include files
};

struct VariableTable {
  std::vector<VariableEntry> entries;                      // declaration order
  std::unordered_map<std::string, size_t> by_name;         // lower-case name -> entries index
  std::array<int, kVarTypes> slots_used{};                 // next free slot per value table
  int system_string_slots = 0;  // string slots of the system variables: the post's own follow
};

inline int SlotsUsed(const VariableTable& table, VarType type) {
  return table.slots_used[static_cast<int>(type)];
}

std::string LowerName(std::string_view name);

// The entry of a name, matched without regard to case; null when unknown.
const VariableEntry* FindVariable(const VariableTable& table, std::string_view name);

enum class DefineStatus {
  kDefined,   // a new entry with fresh slots
  kShared,    // the name was there already: no new slots, the first definition stands
  kInvalid,   // the text is no valid definition
  kTooLarge,  // the value table would outgrow kValueTableLimit
};

struct DefineResult {
  DefineStatus status;
  size_t entry = 0;  // index into entries for kDefined and kShared
};

// Enters one definition ("name" or "name[n]") of the given type, declared by
// `file`: the name lower-cased, the next free slots of its value table.  Which
// names a caller may define (prefixes, duplicates within one file) is the
// caller's rule.
DefineResult DefineVariable(VariableTable& table, VarType type, std::string_view text, int file);

// Takes `count` slots of a value table without a name (string literals,
// function locals).  The first slot, or -1 when the table would outgrow the
// slot numbers.
int AllocateSlots(VariableTable& table, VarType type, int count);

}  // namespace tornel
