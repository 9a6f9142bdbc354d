// Fetching function arguments, for the user functions and every built-in:
// argument k of a function that takes n.  The first fetch reads the "(";
// each later one expects the "," that the previous left current; the last
// (k = n) checks that ")" follows and leaves it current.  Messages name the
// function by in.st.func_name ("USER INT", "SIN", ...), which the caller
// sets before the first fetch.
//
// A function whose last parameters are optional fetches an optional one
// only when the current token after its fixed ones is ",":
//
//   double a = FetchNumber(in, 1, 2);
//   double acc = in.st.tok.code == ',' ? FetchNumber(in, 2, 2) : default_acc;
//   // when the optional one was left out, the ")" must still be checked.
#pragma once

#include <string>

#include "tornel/interp/interp.h"

namespace tornel {

inline constexpr const char* kMsgArgLeftParen = "Left parenthesis ( is missing from %s function in";
inline constexpr const char* kMsgArgMissing = "Parameter %d is missing from %s function in";
inline constexpr const char* kMsgArgWrongType = "Wrong data type in parameter %d in %s function in";
inline constexpr const char* kMsgArgNumericVariable =
    "Parameter %d must be INTEGER or REAL variable in %s function in";
inline constexpr const char* kMsgArgIntVariable =
    "Parameter %d must be INTEGER variable in %s function in";
inline constexpr const char* kMsgArgRealVariable =
    "Parameter %d must be REAL variable in %s function in";
inline constexpr const char* kMsgArgStringVariable =
    "Parameter %d must be STRING variable in %s function in";
inline constexpr const char* kMsgArgTooMany =
    "There can't be more than %d parameters in %s function in";
inline constexpr const char* kMsgArgRightParen = "Right parenthesis ) is missing from %s function in";

// The variable kinds an argument may have to be.
enum class VariableKind {
  kNumeric,  // an integer or real variable
  kInteger,
  kReal,
  kString,   // a string variable, system ones included; never a string constant
  kAny,      // a variable of any type (StoreVal)
};
inline constexpr const char* kMsgArgNoVariable = "No variable given for %s";

// A number expression.
double FetchNumber(Interp& in, int k, int n);

// A string expression; the text is the string register's, valid until the
// next evaluation.
const std::string& FetchString(Interp& in, int k, int n);

// An expression of either type: true for a number (in `number`), false for
// a string (in `text`).
bool FetchAny(Interp& in, int k, int n, double& number, std::string& text);

// A variable of the kind (array element resolved), for a function that
// reads or writes it.
VarRef FetchVariable(Interp& in, int k, int n, VariableKind kind);

// A variable of the kind that a dialog procedure binds, with the mark
// that may follow it: '!' (kept as a saved setting too), '?' (never
// remembered) or 0.
struct MarkedVar {
  VarRef var;
  char mark = 0;
};
MarkedVar FetchMarkedVariable(Interp& in, int k, int n, VariableKind kind);

// The check after the last argument: "," is one too many, and anything but
// ")" leaves the ")" missing.  The fetches run it for k = n themselves.
void CloseArguments(Interp& in, int n);

// The value of a numeric variable as a double.
double NumericValue(const Interp& in, VarRef var);

}  // namespace tornel
