#include "platform/working_directory.h"

#include <windows.h>

namespace platform {

bool ChangeDirectory(const std::string& path) { return SetCurrentDirectoryA(path.c_str()) != 0; }

}  // namespace platform
