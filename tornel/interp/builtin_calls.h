// The interpreter's side of the built-in library's seam
// (tornel/builtins/builtin_dispatch.h): a class byte and code byte in the
// program go to the dispatcher of their class, which fetches its arguments
// from the program text through the interpreter.
#pragma once

#include "tornel/interp/interp.h"

namespace tornel {

// StrWri's first argument, a number format read from the program text.
inline constexpr const char* kMsgStrWriLeftParen =
    "Left parenthesis ( is missing from parameter 1 in STRWRI function in";
inline constexpr const char* kMsgStrWriAddress =
    "Address %{address} is missing from parameter 1 in STRWRI function in";
inline constexpr const char* kMsgStrWriBrace =
    "Right brace } is missing from parameter 1 in STRWRI function in";

// The built-in of class `cls` (136 to 139) whose code byte has just been
// passed.  Returns with the call's ")" current (or, for a call without
// arguments, the token before its first one); a class 137 function's text
// is in the string register.  Gives the numeric result, 0 for the others.
// Needs the whole run (in.run); a bare interpreter refuses built-ins as
// illegal tokens.
double CallBuiltin(Interp& in, unsigned char cls, unsigned char code);

}  // namespace tornel
