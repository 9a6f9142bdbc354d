#include <windows.h>

#include <vector>

#include "platform/full_path.h"
#include "platform/paths.h"

namespace platform {

bool FullPathName(const std::string& path, std::string* full, long* error) {
  const std::string native = NativePath(path);
  DWORD n = GetFullPathNameA(native.c_str(), 0, nullptr, nullptr);
  if (n == 0) {
    *error = static_cast<long>(GetLastError());
    return false;
  }
  std::vector<char> buf(n + 1);
  n = GetFullPathNameA(native.c_str(), static_cast<DWORD>(buf.size()), buf.data(), nullptr);
  if (n == 0 || n >= buf.size()) {
    *error = static_cast<long>(n == 0 ? GetLastError() : ERROR_BUFFER_OVERFLOW);
    return false;
  }
  *full = buf.data();
  return true;
}

}  // namespace platform
