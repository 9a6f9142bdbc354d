// The rules of VARIABLE definitions and function parameters: which names a
// post file may declare where, duplicates, and the reference a declared
// name is replaced by in the program text.
//
// Global variables go into the variable name table behind the system
// variables; a name declared in an earlier file is shared, with the size of
// its first definition.  Locals and parameters belong to the function being
// compiled: they take value table slots too (static storage, one set per
// function) but their names are known only inside that function.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "tornel/base/diagnostics.h"
#include "tornel/compiler/variable_table.h"

namespace tornel {

inline constexpr const char* kMsgInvalidVariable = "Invalid variable definition in";
inline constexpr const char* kMsgVariableInUse =
    "Variable name %s already in use. Use another name for variable in";
inline constexpr const char* kMsgGlobalNotUser =
    "Variables defined outside functions must be user type, wrong type in";
inline constexpr const char* kMsgLocalNotLocal =
    "Variables defined inside function must be local type, wrong type in";
inline constexpr const char* kMsgArrayTooLarge =
    "Array too large: an array may have at most %d elements in";
inline constexpr const char* kMsgTooManyVariables =
    "Too many variables: a value table may hold at most %d values in";

// A value table that would outgrow kValueTableLimit.
[[noreturn]] void ReportTooManyVariables(Diagnostics& diag);

// The text a variable name is replaced by: its type byte, the first slot,
// and for an array '|' and the element count.
std::string VariableReference(VarType type, int slot, int elements, bool is_array);
std::string VariableReference(const VariableEntry& entry);

struct LocalVariable {
  std::string name;
  VarType type = VarType::kInteger;
  int slot = 0;
  std::string reference;
};

// The locals of the function being compiled, in declaration order.
struct LocalVariables {
  std::vector<LocalVariable> list;
  std::unordered_map<std::string, size_t> by_name;
};

// Checks the prefix rules of one definition line of a VARIABLE block:
// outside functions a user variable (ui, ur, us), inside a local one
// (li, lr, ls).  Reports the wrong kind.
void CheckVariablePrefix(Diagnostics& diag, std::string_view text, bool in_function);

// Defines a global variable from "name" or "name[n]".  A name already
// declared in the same file (`file_names`) is reported; one declared in an
// earlier file is shared.
void DefineGlobalVariable(Diagnostics& diag, VariableTable& variables,
                          std::unordered_set<std::string>& file_names, std::string_view text,
                          int file);

// Defines a local variable or parameter of the function being compiled.
const LocalVariable& DefineLocalVariable(Diagnostics& diag, VariableTable& variables,
                                         LocalVariables& locals, std::string_view text);

}  // namespace tornel
