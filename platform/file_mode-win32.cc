#include <windows.h>

#include "platform/file_mode.h"
#include "platform/paths.h"

namespace platform {

bool MayWriteFile(const std::string& path) {
  DWORD attrs = GetFileAttributesA(NativePath(path).c_str());
  return attrs != INVALID_FILE_ATTRIBUTES &&
         !(attrs & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY));
}

bool CopyFileMode(const std::string& from, const std::string& to) {
  DWORD attrs = GetFileAttributesA(NativePath(from).c_str());
  if (attrs == INVALID_FILE_ATTRIBUTES) return false;
  constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
  DWORD kept = attrs & kKept;
  return SetFileAttributesA(NativePath(to).c_str(), kept ? kept : FILE_ATTRIBUTE_NORMAL) != 0;
}

std::string LinkedFilePath(const std::string& path) { return path; }

}  // namespace platform
