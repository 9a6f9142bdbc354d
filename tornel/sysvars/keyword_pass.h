// The keyword pass: rewrites every line of the preprocessed post text
// before any declaration is compiled.  Aliases, one-word directives and `$`
// keyword constants are replaced where they stand as whole words, then
// `seqini` and the init: statement.
#pragma once

#include <string>
#include <vector>

#include "tornel/base/diagnostics.h"

namespace tornel {

// Lines in and out are location-prefixed records; the current location is
// set from each.  A `seqini` line is preceded by an "o:!" line of the same
// location.  Only a malformed init: statement is reported.
std::vector<std::string> KeywordPass(Diagnostics& diag, const std::vector<std::string>& lines);

}  // namespace tornel
