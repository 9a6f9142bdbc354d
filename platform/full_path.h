// The full path of a file name as the system makes it, or why it cannot.
#pragma once

#include <string>

namespace platform {

// True with the full path of `path` (Windows: GetFullPathName; elsewhere
// the path against the current directory); false with the system's error
// code (GetLastError, errno) when there is none, as when the current
// directory has been removed.
bool FullPathName(const std::string& path, std::string* full, long* error);

}  // namespace platform
