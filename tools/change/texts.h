// The search and replacement texts made ready before the first line, and
// the case conversions of CHANGE: ASCII letters only (the C locale), so a
// file's other bytes pass through whatever code page it is in.
#pragma once

#include <string>
#include <string_view>

#include "tools/change/options.h"

namespace change {

// The longest search or replacement text taken, in bytes.
inline constexpr size_t kMaxTextBytes = 1024;

std::string UpperAscii(std::string_view text);
std::string LowerAscii(std::string_view text);

struct Texts {
  std::string search;       // in capitals unless /C
  std::string replacement;  // '\n' where it breaks the line
};

// The texts as the options make them: /A turns both from ANSI to OEM, /U
// and then /L set the replacement's case; the quote character becomes '"'
// in both, the search text is put in capitals unless /C, and the
// line-break character becomes '\n' in the replacement.
Texts PrepareTexts(std::string search, std::string replacement, const Options& options);

}  // namespace change
