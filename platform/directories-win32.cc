#include "platform/directories.h"

#include <windows.h>

#include "platform/paths.h"

namespace platform {

bool MakeFolder(const std::string& path) {
  return CreateDirectoryA(NativePath(path).c_str(), nullptr) != 0;
}

bool RemoveFolder(const std::string& path) {
  return RemoveDirectoryA(NativePath(path).c_str()) != 0;
}

std::optional<std::vector<FolderEntry>> ListFolder(const std::string& dir) {
  std::string pattern = WithTrailingSeparator(dir.empty() ? "." : NativePath(dir)) + "*";
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA(pattern.c_str(), &data);
  if (h == INVALID_HANDLE_VALUE) {
    if (GetLastError() == ERROR_FILE_NOT_FOUND) return std::vector<FolderEntry>{};
    return std::nullopt;
  }
  std::vector<FolderEntry> entries;
  do {
    std::string name = data.cFileName;
    if (name == "." || name == "..") continue;
    DWORD a = data.dwFileAttributes;
    entries.push_back({name, (a & FILE_ATTRIBUTE_DIRECTORY) != 0,
                       (a & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0});
  } while (FindNextFileA(h, &data));
  FindClose(h);
  return entries;
}

std::vector<char> DriveLetters() {
  std::vector<char> letters;
  DWORD mask = GetLogicalDrives();
  for (int k = 0; k < 26; ++k)
    if (mask & (1u << k)) letters.push_back(static_cast<char>('A' + k));
  return letters;
}

bool IsReadOnlyFile(const std::string& path) {
  DWORD attrs = GetFileAttributesA(NativePath(path).c_str());
  return attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_READONLY) &&
         !(attrs & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace platform
