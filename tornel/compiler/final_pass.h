// The last text pass before loading: operator words and two-character
// comparisons become their token bytes, and the passes of the built-in
// functions, the settings statements and the output statements run on each
// statement, which is then left without blanks.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tornel/base/diagnostics.h"

namespace tornel {

// A statement that is no expression: what the interpreter reports for
// tokens it can't read as one, and what this pass reports for a number
// that stands right after a reference ("uiB 1000 = 5").
inline constexpr const char* kMsgInvalidExpression = "Invalid expression in";

// A pass that the final text pass runs on each statement (without its
// location prefix; diag.loc is the statement's location).  It starts with
// one statement; it may rewrite it or split it into several, each of which
// becomes a record with the same location.
using StatementHook = std::function<void(Diagnostics& diag, std::vector<std::string>& statements)>;

// The passes of other subsystems, run in this order; an empty one is skipped.
struct FinalPassHooks {
  StatementHook builtins;  // built-in function names become class and code bytes
  StatementHook settings;  // settings statements become assignments
  StatementHook output;    // output statements become their tokens
};

// Per statement, in order: "or" and "and" (whole words) become their bytes;
// "<>", ">=", "<=" theirs; the whole word "return" its byte; a blank goes
// after every ':'; the hooks run; the whole words "no" and "yes" become 0 and
// 1; every blank is removed.  Label lines are copied unchanged.
//
// A reference is its byte and a decimal number, so a number that follows
// one after a blank would join it once the blanks go ("uiB 1000" would be
// another variable): such a statement is reported as an invalid
// expression.
std::vector<std::string> FinalTextPass(Diagnostics& diag, const std::vector<std::string>& lines,
                                       const FinalPassHooks& hooks = {});

}  // namespace tornel
