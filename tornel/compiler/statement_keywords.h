// Statement keywords of the declaration passes.  A keyword is found where it
// stands as a whole word; a statement that must stand alone is the keyword
// and nothing else on its record.
#pragma once

#include <string_view>

#include "tornel/base/diagnostics.h"

namespace tornel {

// True when `keyword` stands in `statement` as a whole word.  Such a
// statement must be the keyword alone, else "Invalid <name> statement in"
// is reported at the current location.
bool IsLoneStatement(Diagnostics& diag, std::string_view statement, std::string_view keyword,
                     std::string_view name);

}  // namespace tornel
