// Kysy's texts, each defined once in texts.def.
#pragma once

namespace kysy {

#define KYSY_TEXT(name, text) inline constexpr const char name[] = text;
#include "tools/kysy/texts.def"
#undef KYSY_TEXT

}  // namespace kysy
