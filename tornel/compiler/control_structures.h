// The control structures pass: IF / ELSE IF / ELSE, CASE / WHEN / WHEN
// OTHER, WHILE, REPEAT / UNTIL, FOR, BREAK and CONTINUE become three
// primitive records (a label line, a jump, a jump when a condition is false)
// so that no block structure is left for the interpreter.
//
// Runs over the whole program text, all files, after the labels of LABEL
// statements and functions have been numbered: its labels continue the
// compiler's one label counter.  Open structures live in the stack store
// (integer rows 1 to 5, text row 1), which the pass empties at its end.
#pragma once

#include <string>
#include <vector>

#include "tornel/base/diagnostics.h"
#include "tornel/compiler/compiler_state.h"

namespace tornel {

// Also the interpreter's words for a malformed conditional record and an
// unclosed parenthesis in an expression.
inline constexpr const char* kMsgInvalidCondition = "Invalid condition statement in";
inline constexpr const char* kMsgRightParen = "Right parenthesis ) is missing from";

// Lines in and out are location-prefixed records and label lines; lines
// without a control keyword are copied unchanged.  Every error is a fatal
// report at the line that causes it; a structure still open when the text
// ends is reported at the line that opened it.
std::vector<std::string> CompileControlStructures(Diagnostics& diag, CompilerState& state,
                                                  const std::vector<std::string>& lines);

}  // namespace tornel
