// The init: statement: "init: <variable> <value>" gives a global variable
// the value only while it is still 0 (or empty for a string), so that a
// value set earlier (a stored dialog answer, say) is kept.  The keyword pass
// rewrites it into a conditional assignment.
#pragma once

#include <string>

#include "tornel/base/diagnostics.h"

namespace tornel {

// `statement` is a normalised statement without its location prefix (the
// current location is already set).  Gives it unchanged when it holds no
// init: keyword, else the conditional assignment; reports a malformed
// statement.
std::string RewriteInitStatement(Diagnostics& diag, std::string statement);

}  // namespace tornel
