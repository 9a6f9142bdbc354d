// setup's texts, each defined once in texts.def.
#pragma once

#include <string>

namespace setup {

#define SETUP_TEXT(name, text) inline constexpr const char name[] = text;
#include "tools/setup/texts.def"
#undef SETUP_TEXT

// `pattern` with its one "%s" replaced by `value`.
std::string Fill(const std::string& pattern, const std::string& value);

}  // namespace setup
