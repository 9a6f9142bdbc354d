// The dialog variable scan: after loading, the variables that the post's
// value-binding dialog procedures name as their first argument are listed,
// so that the post dialogs can keep and restore their values.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "tornel/builtins/builtin_table.h"
#include "tornel/compiler/loader.h"

namespace tornel {

// Codes (after the dialog class byte) of the dialog procedures that bind a
// variable.
inline constexpr unsigned char kDialogBindingCodes[] = {
    Builtin(kFnInputInt).code,  Builtin(kFnInputReal).code, Builtin(kFnInputStr).code,
    Builtin(kFnSelectVal).code, Builtin(kFnSelectStr).code, Builtin(kFnSelectInd).code,
    Builtin(kFnCheckBox).code,  Builtin(kFnSelectBtn).code, Builtin(kFnStoreVal).code};

struct DialogVariable {
  char type;  // kTokIntVar, kTokRealVar or kTokStringRef
  int index;  // value table index of one element
  bool operator==(const DialogVariable&) const = default;
};

struct DialogVariables {
  std::vector<DialogVariable> list_a;  // variables bound with "!"
  std::vector<DialogVariable> list_b;  // variables bound without "?"
  int int_count = 0;                   // entries of list B per type
  int real_count = 0;
  int string_count = 0;
  std::vector<int32_t> ints;  // one value per list B entry of the type
  std::vector<double> reals;
  std::vector<std::string> strings;
};

// Fills `vars` from every statement that begins with the dialog class byte
// and one of `binding_codes`, then creates its value arrays (zeros and empty
// texts).  Each variable element is listed at most once per list.  An
// element index written after an array name is skipped; the whole array is
// listed.
void ScanDialogVariables(const LoadedProgram& program, std::span<const unsigned char> binding_codes,
                         DialogVariables& vars);

}  // namespace tornel
