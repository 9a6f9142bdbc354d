// The sections, functions and variables pass.  Every statement must stand
// inside a MAIN section or a function:
//
//   main                       func fiAdd(liA, liB)
//     variable                   variable
//       uiCount                    liSum
//       urTable[10]              end
//     end                        liSum = liA + liB
//   end main                     return liSum
//                              end func
//
// MAIN, END MAIN, FUNC and END FUNC become records of their own (FUNC
// followed by the label line of the function's entry), VARIABLE blocks are
// taken out, and every declared name is replaced by its reference: locals
// line by line as they become known, then, once the whole text is read,
// global variables (system variables included) and functions everywhere.
// The pass fills the post function table, the function descriptors, the
// OnAPT table and the list of OnAddr and OnAddrOut functions.
#pragma once

#include <string>
#include <vector>

#include "tornel/base/diagnostics.h"
#include "tornel/compiler/compiler_state.h"
#include "tornel/compiler/post_functions.h"
#include "tornel/compiler/variable_table.h"

namespace tornel {

inline constexpr const char* kMsgMainInMain = "Main section defined inside main section in";
inline constexpr const char* kMsgMainInFunction = "Main section defined inside function in";
inline constexpr const char* kMsgEndMainAlone =
    "END MAIN statement without preceding MAIN statement in";
inline constexpr const char* kMsgFunctionInMain = "Function defined inside main section in";
inline constexpr const char* kMsgFunctionInFunction = "Function defined inside function in";
inline constexpr const char* kMsgEndFuncAlone =
    "END FUNC statement without preceding FUNC statement in";
inline constexpr const char* kMsgVariableOutside =
    "VARIABLE statement outside of main section or function in";
inline constexpr const char* kMsgCodeOutside = "Code outside of main section or function in";
inline constexpr const char* kMsgMainNotEnded =
    "Main section not ended properly with END MAIN statement in";
inline constexpr const char* kMsgFunctionNotEnded =
    "Function not ended properly with END FUNC statement in";
inline constexpr const char* kMsgPostFunctionDefined =
    "Post function %s already defined. Redefinition not allowed in";
inline constexpr const char* kMsgOnAptDefined =
    "OnAPT function for %s already defined. Redefinition not allowed in";
inline constexpr const char* kMsgOnAddrDefined =
    "OnAddr function for %s already defined. Redefinition not allowed in";
inline constexpr const char* kMsgOnAddrOutDefined =
    "OnAddrOut function for %s already defined. Redefinition not allowed in";
inline constexpr const char* kMsgUserFunctionDefined =
    "User function name %s already defined. Use another name for function in";

// Lines in and out are location-prefixed records (`lines` may be
// compiler.text).  Takes label numbers from compiler's label counter and
// records the string literals' slots: the literals of text row 0 come first
// in the string table after the system strings.
std::vector<std::string> DeclarationsPass(Diagnostics& diag, CompilerState& compiler,
                                          VariableTable& variables,
                                          PostFunctionTable& post_functions,
                                          const std::vector<std::string>& lines);

}  // namespace tornel
