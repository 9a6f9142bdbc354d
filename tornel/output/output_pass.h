// The compile-time rewriting of output statements, run by the final text
// pass on every statement:
//
//   o: _g(1) _x(urx) _y(ury)        kTokOutput and the words
//   no: ...   -o: ...   /o: ...      kTokOutput with a prefix token
//   o: :|!? ...                      flags, kept as written
//   o: [uin]- ...                    the offset expression, "-" to insert
//   o: << ...    o: ... >            arrows become the offset: [-2], [1]
//   o: <[2] ...  o: <-[2] ...        [-2] and [-2]-
//   o: with(_x,!_y) ...              kTokWith and its list
//   set: clr: enable: disable: direct: swap: revert: replace: repword: repaddr:
//
// and on every statement the reference forms: addr(_x) and modgrp(mgx)
// become the bare references, _addr[i] and mgmodgrp[i] the reference
// token followed by the index in brackets.
#pragma once

#include <string>
#include <vector>

#include "tornel/base/diagnostics.h"

namespace tornel {

inline constexpr const char* kMsgInvalidOStatement = "Invalid O: statement in";
inline constexpr const char* kMsgInvalidSetStatement = "Invalid SET: statement in";
inline constexpr const char* kMsgInvalidClrStatement = "Invalid CLR: statement in";
inline constexpr const char* kMsgInvalidWithBind = "Invalid WITH/BIND statement in";
inline constexpr const char* kMsgInvalidEach = "Invalid EACH statement in";
inline constexpr const char* kMsgShiftBracket = "Right bracket ] is missing from Output shift in";
inline constexpr const char* kMsgTooManyArrows = "Number of arrows exceeds maximum 4 in";
inline constexpr const char* kMsgRefLeftParen = "Left parenthesis ( is missing from Addr/ModGrp statement in";
inline constexpr const char* kMsgRefInvalidAddress = "Invalid address in Addr statement in";
inline constexpr const char* kMsgRefInvalidGroup = "Invalid modal group in ModGrp statement in";
inline constexpr const char* kMsgRefRightParen =
    "Right parenthesis ) is missing from Addr/ModGrp statement in";
inline constexpr const char* kMsgRefLeftBracket =
    "Left bracket [ is missing from _Addr/mgModGrp statement in";

// Rewrites one statement (without its location prefix; diag.loc is set).
void RewriteOutputStatement(Diagnostics& diag, std::string& statement);

// The final text pass hook: rewrites each statement.
void OutputStatementHook(Diagnostics& diag, std::vector<std::string>& statements);

}  // namespace tornel
