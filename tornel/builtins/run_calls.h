// Procedures that end the run, start other programs or shape the NC output
// around the post's own statements: Error, Exit, Exec, Open, SeqSet,
// OutComments, HourMinSec.
#pragma once

#include "tornel/builtins/builtin_context.h"
#include "tornel/builtins/builtin_dispatch.h"
#include "tornel/builtins/builtin_table.h"

namespace tornel {

// Runs the procedure `e` when it is one of them; false otherwise.
bool CallRunProcedure(BuiltinContext& ctx, const BuiltinEntry& e, BuiltinArgs& args);

// Error's report: every ";" a line break, trailing line breaks left out
// (the frame of the NC file puts one before its closing dashes).
std::string ErrorText(std::string text);

}  // namespace tornel
