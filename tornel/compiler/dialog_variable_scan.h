// The dialog variable scan: after loading, the variables that the post's
// value-binding dialog procedures name as their first argument are listed,
// so that the post dialogs can keep and restore their values.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "tornel/compiler/loader.h"
#include "tornel/compiler/tokens.h"

namespace tornel {

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
// and one of `binding_codes` (the value-binding dialog procedures of the
// built-in table), then creates its value arrays (zeros and empty
// texts).  Each variable element is listed at most once per list.  An
// element index written after an array name is skipped; the whole array is
// listed.
void ScanDialogVariables(const LoadedProgram& program, std::span<const unsigned char> binding_codes,
                         DialogVariables& vars);

}  // namespace tornel
