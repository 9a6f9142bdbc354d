// The built-in library's side of the interpreter: a built-in call met in
// the program (its class byte and code byte) goes to the dispatcher of its
// class, which fetches its arguments from the program text through the
// interpreter (BuiltinArgs over the interpreter's reading).
#pragma once

#include "tornel/builtins/builtin_context.h"
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
double CallBuiltin(Interp& in, BuiltinContext& ctx, unsigned char cls, unsigned char code);

}  // namespace tornel
