#include <windows.h>

#include <vector>

#include "platform/files.h"
#include "platform/paths.h"

namespace platform {

bool FileExists(const std::string& path) {
  return GetFileAttributesA(NativePath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsRegularFile(const std::string& path) {
  std::string native = NativePath(path);
  DWORD attrs = GetFileAttributesA(native.c_str());
  if (attrs == INVALID_FILE_ATTRIBUTES) return false;
  if (attrs & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) return false;
  // Device names (NUL, CON, COM1 ...) answer with attributes too: only a
  // disk file is a file.  A file that is there but can't be opened now
  // counts as one; reading it reports why.
  HANDLE h = CreateFileA(native.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return true;
  bool disk = GetFileType(h) == FILE_TYPE_DISK;
  CloseHandle(h);
  return disk;
}

bool CopyFileTo(const std::string& from, const std::string& to) {
  return CopyFileA(NativePath(from).c_str(), NativePath(to).c_str(), FALSE) != 0;
}

bool RenameFile(const std::string& from, const std::string& to) {
  return MoveFileA(NativePath(from).c_str(), NativePath(to).c_str()) != 0;
}

bool ReplaceFileWith(const std::string& from, const std::string& to) {
  return MoveFileExA(NativePath(from).c_str(), NativePath(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool RemoveFile(const std::string& path) { return DeleteFileA(NativePath(path).c_str()) != 0; }

std::string CurrentDirectory() {
  DWORD n = GetCurrentDirectoryA(0, nullptr);
  std::vector<char> buf(n + 1);
  GetCurrentDirectoryA(static_cast<DWORD>(buf.size()), buf.data());
  return buf.data();
}

std::string AbsolutePath(const std::string& path) {
  std::string native = NativePath(path);
  DWORD n = GetFullPathNameA(native.c_str(), 0, nullptr, nullptr);
  if (n == 0) return native;
  std::vector<char> buf(n + 1);
  GetFullPathNameA(native.c_str(), static_cast<DWORD>(buf.size()), buf.data(), nullptr);
  return buf.data();
}

std::vector<std::string> ListFiles(const std::string& dir) {
  std::vector<std::string> names;
  std::string pattern = WithTrailingSeparator(dir.empty() ? "." : NativePath(dir)) + "*";
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA(pattern.c_str(), &data);
  if (h == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(data.cFileName);
  } while (FindNextFileA(h, &data));
  FindClose(h);
  return names;
}

}  // namespace platform
