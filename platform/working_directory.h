// Changing the current directory of the process.
#pragma once

#include <string>

namespace platform {

// Makes `path` the current directory; false when it cannot be.
bool ChangeDirectory(const std::string& path);

}  // namespace platform
