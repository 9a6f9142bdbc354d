#include "platform/working_directory.h"

#include <unistd.h>

namespace platform {

bool ChangeDirectory(const std::string& path) {
  std::string p = path;
  for (char& c : p)
    if (c == '\\') c = '/';
  return chdir(p.c_str()) == 0;
}

}  // namespace platform
