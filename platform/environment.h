// The process environment.  Names are matched without regard to case on
// every target, as Windows matches them, so a batch file's "temp" finds
// TEMP.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The variable's value; nullopt when it is not set.
std::optional<std::string> EnvironmentValue(std::string_view name);

}  // namespace platform
