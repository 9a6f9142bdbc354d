// File name patterns as Windows matches them: '*' any run of characters,
// '?' any one, letters without regard to case, and a pattern ending in
// ".*" also matching a name without a dot ("*.*" matches every name).
#pragma once

#include <string_view>

namespace kysy {

bool MatchesPattern(std::string_view name, std::string_view pattern);

}  // namespace kysy
