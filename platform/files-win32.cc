#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>
#include <vector>

#include "platform/disk_limit.h"
#include "platform/files.h"
#include "platform/paths.h"

namespace platform {

namespace {

// The system's error code of the call that just failed, as errno, so that
// the callers see one kind of reason on every target.
void SetErrnoFromSystem() {
  switch (GetLastError()) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: errno = ENOSPC; break;
    case ERROR_FILE_TOO_LARGE: errno = EFBIG; break;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: errno = EACCES; break;
    case ERROR_WRITE_PROTECT: errno = EROFS; break;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH: errno = ENOENT; break;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: errno = EEXIST; break;
    default: errno = EIO; break;
  }
}

bool Checked(BOOL ok) {
  if (!ok) SetErrnoFromSystem();
  return ok != 0;
}

}  // namespace

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

bool RenameFile(const std::string& from, const std::string& to) {
  return Checked(MoveFileA(NativePath(from).c_str(), NativePath(to).c_str()));
}

bool ReplaceFileWith(const std::string& from, const std::string& to) {
  return Checked(MoveFileExA(NativePath(from).c_str(), NativePath(to).c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
}

bool RemoveFile(const std::string& path) { return Checked(DeleteFileA(NativePath(path).c_str())); }

std::FILE* CreateNewFile(const std::string& path) {
  std::string native = NativePath(path);
  HANDLE h = CreateFileA(native.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    SetErrnoFromSystem();
    return nullptr;
  }
  int fd = _open_osfhandle(reinterpret_cast<intptr_t>(h), _O_WRONLY | _O_BINARY);
  if (fd < 0) {
    CloseHandle(h);
    DeleteFileA(native.c_str());
    errno = EIO;
    return nullptr;
  }
  std::FILE* f = _fdopen(fd, "wb");
  if (!f) {
    _close(fd);
    DeleteFileA(native.c_str());
    errno = EIO;
    return nullptr;
  }
  NoteOpenedForWriting(f, path);
  return f;
}

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

FileFailure ClassifyFileError(int err) {
  switch (err) {
    case ENOSPC: return FileFailure::kDiskFull;
    case EFBIG: return FileFailure::kTooLarge;
    case EACCES:
    case EPERM: return FileFailure::kAccessDenied;
    case EROFS: return FileFailure::kReadOnly;
    case ENOENT: return FileFailure::kNotFound;
    default: return FileFailure::kOther;
  }
}

}  // namespace platform
