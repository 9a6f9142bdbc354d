#include <unistd.h>

#include <cerrno>
#include <vector>

#include "platform/full_path.h"
#include "platform/paths.h"

namespace platform {

bool FullPathName(const std::string& path, std::string* full, long* error) {
  const std::string native = NativePath(path);
  if (!native.empty() && native[0] == '/') {
    *full = native;
    return true;
  }
  std::vector<char> buf(4096);
  while (!getcwd(buf.data(), buf.size())) {
    if (errno != ERANGE) {
      *error = errno;
      return false;
    }
    buf.resize(buf.size() * 2);
  }
  *full = WithTrailingSeparator(buf.data()) + native;
  return true;
}

}  // namespace platform
