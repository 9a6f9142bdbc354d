// The header of a FUNC statement: what kind of function it defines, its
// name or the command or address it hooks, and its parameters.
//
//   func fiAdd(liA, !liB)     user function (fi, fr, fs, fv: integer, real,
//                             string or no result); "!" passes in and out
//   func ToolChange           post function, any case
//   func OnAPT[goto]          runs for every APT-CL record of that command
//   func OnAddr[_x]           runs when a word of the address is formed
//   func OnAddrOut[_x]        runs when such a word is really written
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "tornel/base/diagnostics.h"

namespace tornel {

enum class FunctionKind { kInt, kReal, kString, kVoid, kPost, kOnApt, kOnAddr, kOnAddrOut };

inline constexpr const char* kMsgInvalidFunctionDefinition = "Invalid function definition in";
inline constexpr const char* kMsgRightParenMissing =
    "Right parenthesis ) is missing from user function definition in";
inline constexpr const char* kMsgLeftParenMissing =
    "Left parenthesis ( is missing from user function definition in";
inline constexpr const char* kMsgParamNotLocal =
    "Function parameter variables must be local, wrong type in";
inline constexpr const char* kMsgArrayParam = "Array as a function parameter in";
inline constexpr const char* kMsgNoAptCommand = "No APT command specified in OnAPT function in";
inline constexpr const char* kMsgAptCommandTooLong =
    "Too many characters in APT command of OnAPT function in";

struct FunctionHeader {
  FunctionKind kind = FunctionKind::kVoid;
  std::string name;      // user and post functions: the name as written (lower case)
  int post_number = 0;   // post functions: the post function number
  std::string target;    // OnAPT: the command, upper case; OnAddr, OnAddrOut: the address
};

// Called for each parameter, in order, once its name is known to be a local
// integer, real or string name without array brackets.
using ParamSink = std::function<void(std::string_view name, bool in_out)>;

// Parses the text after "func".  Reports every malformed header at the
// current location; a parameter's own definition errors come from `define`.
FunctionHeader ParseFunctionHeader(Diagnostics& diag, std::string_view header,
                                   const ParamSink& define);

}  // namespace tornel
