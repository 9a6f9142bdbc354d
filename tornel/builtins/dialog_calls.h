// The dialog procedures of the post language (class 139): defining a
// post dialog item by item, showing it, the message box and the file and
// folder choosers; and the steps of the value memory that the run calls.
#pragma once

#include "tornel/builtins/builtin_context.h"
#include "tornel/builtins/builtin_dispatch.h"
#include "tornel/builtins/builtin_table.h"

namespace tornel {

void CallDialogProcedure(BuiltinContext& ctx, const BuiltinEntry& e, BuiltinArgs& args);

// The value memory steps: after the first pass (the post's defaults
// recorded and written to the "_" section), and before the second (the
// settings file and the stored values applied).  Nothing while
// siDlgValMemory is 0.
void CloseFirstPassInMemory(BuiltinContext& ctx, const std::string& post_name);
void ApplyMemoryBeforeSecondPass(BuiltinContext& ctx, const std::string& post_name);

inline constexpr const char* kMsgMessageBoxIcon2 = "Invalid Parameter 2 in MessageBox function in";
inline constexpr const char* kMsgMessageBoxIcon3 = "Invalid Parameter 3 in MessageBox function in";
inline constexpr const char* kMsgMessageBoxButtons = "Invalid Parameter 4 in MessageBox function in";
inline constexpr const char* kMsgMessageBoxDefault =
    "Parameter 5 must be 0 or 1%s in MessageBox function in";
inline constexpr const char* kMsgFilterLeftParen =
    "Left parenthesis ( is missing from parameter 2 in %s function in";
inline constexpr const char* kMsgFilterRightParen =
    "Right parenthesis ) is missing from parameter 2 in %s function in";

}  // namespace tornel
