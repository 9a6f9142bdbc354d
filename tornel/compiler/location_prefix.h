// The location prefix that every statement record carries: the file number
// (0 the post file, 1.. the include files), a comma, the line number and
// kTokLocation.  Errors found in any later pass name the file and line from it.
#pragma once

#include <string>
#include <string_view>

#include "tornel/base/diagnostics.h"

namespace tornel {

// "<file>,<line>\x01"
std::string LocationPrefix(Location loc);

// The prefix followed by `statement`.
std::string WithLocation(Location loc, std::string_view statement);

// Splits a statement record into its location and statement.  A label line,
// or any line without a well-formed prefix, gives false and leaves `loc` and
// `statement` unchanged: such a line does not move the current location.
bool SplitLocation(std::string_view line, Location& loc, std::string_view& statement);

}  // namespace tornel
