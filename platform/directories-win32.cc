#include <windows.h>

#include "platform/directories.h"
#include "platform/paths.h"

namespace platform {

bool MakeDirectory(const std::string& path) {
  std::string native = NativePath(path);
  if (CreateDirectoryA(native.c_str(), nullptr)) return true;
  DWORD attrs = GetFileAttributesA(native.c_str());
  return attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY);
}

bool RemoveEmptyDirectory(const std::string& path) {
  return RemoveDirectoryA(NativePath(path).c_str()) != 0;
}

bool IsReadOnlyFile(const std::string& path) {
  DWORD attrs = GetFileAttributesA(NativePath(path).c_str());
  return attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_READONLY) &&
         !(attrs & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace platform
