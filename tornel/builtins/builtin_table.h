// The table of built-in functions: every name the post language predefines,
// the class byte and code byte that stand for it in the compiled program,
// the display name its messages show, and which module computes it.  The
// rows are in builtin_table.def; everything here is derived from them, so a
// code is written down once.
//
// In the program text a call is the class byte, the code byte, then the
// argument list: "sin(a)" compiles to {136}{192}(a).
#pragma once

#include <cstddef>
#include <iterator>
#include <string>
#include <string_view>

#include "tornel/compiler/tokens.h"

namespace tornel {

// What a call gives and where it may stand; the values are the class bytes.
enum class BuiltinClass : unsigned char {
  kNumeric = 136,    // a real number, in any expression
  kString = 137,     // a string, in any string expression
  kProcedure = 138,  // nothing; only at the start of a statement
  kDialog = 139,     // nothing; a post dialog procedure, only at the start of a statement
};

// Which module computes a function.
enum class BuiltinOwner {
  kMath,      // the arithmetic functions (sin ... max)
  kStrings,   // string functions and SeqGet
  kFilesApt,  // file, process, APT-access and the other procedures
  kMatrix,    // the matrix and vector procedures (MatrSet ... AngChkLim)
  kDialogs,   // post dialogs
};

// One enumerator per row, in row order: kFnSin, kFnCos, ... kFnStoreVal.
enum BuiltinId : int {
#define TORNEL_BUILTIN(id, cls, code, name, display, owner) id,
#include "tornel/builtins/builtin_table.def"
#undef TORNEL_BUILTIN
};

struct BuiltinEntry {
  BuiltinId id;
  BuiltinClass cls;
  int code;
  std::string_view name;     // lower case, as the post file writes it
  std::string_view display;  // as messages show it
  BuiltinOwner owner;
};

inline constexpr BuiltinEntry kBuiltins[] = {
#define TORNEL_BUILTIN(id, cls, code, name, display, owner) \
  {id, BuiltinClass::cls, code, name, display, BuiltinOwner::owner},
#include "tornel/builtins/builtin_table.def"
#undef TORNEL_BUILTIN
};
inline constexpr int kBuiltinCount = static_cast<int>(std::size(kBuiltins));

constexpr const BuiltinEntry& Builtin(BuiltinId id) { return kBuiltins[id]; }

// The class byte as it stands in the program text.
constexpr char ClassToken(BuiltinClass cls) { return TokenByte(static_cast<int>(cls)); }

// The two bytes that replace the function's name.
inline std::string BuiltinToken(BuiltinId id) {
  const BuiltinEntry& e = Builtin(id);
  return {ClassToken(e.cls), TokenByte(e.code)};
}

namespace builtin_detail {

inline constexpr int kFirstClass = static_cast<int>(BuiltinClass::kNumeric);
inline constexpr int kClasses = 4;

// Row number by class and code byte, -1 where there is none.
struct CodeIndex {
  short row[kClasses][256] = {};
  bool valid = true;  // codes unique per class, clear of the post file's function kinds
};

constexpr bool IsUserFunctionKind(BuiltinClass cls, int code) {
  switch (cls) {
    case BuiltinClass::kNumeric: return code == 190 || code == 191;
    case BuiltinClass::kString: return code == 190;
    case BuiltinClass::kProcedure: return code >= 190 && code <= 194;
    case BuiltinClass::kDialog: return false;
  }
  return false;
}

constexpr CodeIndex BuildCodeIndex() {
  CodeIndex index;
  for (auto& per_class : index.row)
    for (short& r : per_class) r = -1;
  for (int i = 0; i < kBuiltinCount; ++i) {
    const BuiltinEntry& e = kBuiltins[i];
    short& slot = index.row[static_cast<int>(e.cls) - kFirstClass][e.code];
    // Below kFirstFunctionCode a code could be taken for a reference byte.
    if (slot != -1 || e.id != i || e.code < kFirstFunctionCode || e.code > 255 ||
        IsUserFunctionKind(e.cls, e.code))
      index.valid = false;
    slot = static_cast<short>(i);
  }
  return index;
}

inline constexpr CodeIndex kCodeIndex = BuildCodeIndex();
static_assert(kCodeIndex.valid,
              "a built-in code is used twice in its class, clashes with a function kind or lies "
              "below kFirstFunctionCode");

}  // namespace builtin_detail

// The entry of a class byte and code byte, or nullptr when the class has no
// such function (the codes of the post file's own functions included).
constexpr const BuiltinEntry* FindBuiltin(BuiltinClass cls, int code) {
  int c = static_cast<int>(cls) - builtin_detail::kFirstClass;
  if (c < 0 || c >= builtin_detail::kClasses || code < 0 || code > 255) return nullptr;
  int row = builtin_detail::kCodeIndex.row[c][code];
  return row < 0 ? nullptr : &kBuiltins[row];
}

// The entry of a lower-case name, or nullptr.
constexpr const BuiltinEntry* FindBuiltinByName(std::string_view name) {
  for (const BuiltinEntry& e : kBuiltins)
    if (e.name == name) return &e;
  return nullptr;
}

// Codes (after the dialog class byte) of the dialog procedures that bind a
// variable, for the dialog variable scan.
inline constexpr unsigned char kDialogBindingCodes[] = {
    Builtin(kFnInputInt).code,  Builtin(kFnInputReal).code, Builtin(kFnInputStr).code,
    Builtin(kFnSelectVal).code, Builtin(kFnSelectStr).code, Builtin(kFnSelectInd).code,
    Builtin(kFnCheckBox).code,  Builtin(kFnSelectBtn).code, Builtin(kFnStoreVal).code};

// The compile step of the final text pass: every built-in name that stands
// as a whole word in `statement` (lower-cased program text) becomes its
// class and code bytes.  Names never overlap as whole words and their
// tokens are no name characters, so one scan gives what replacing the
// names one by one in table order gives.
void ReplaceBuiltinNames(std::string& statement);

}  // namespace tornel
