#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

#include "platform/disk_limit.h"
#include "platform/files.h"
#include "platform/paths.h"

namespace platform {

bool FileExists(const std::string& path) {
  struct stat st;
  return stat(NativePath(path).c_str(), &st) == 0;
}

bool IsRegularFile(const std::string& path) {
  struct stat st;
  return stat(NativePath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool RenameFile(const std::string& from, const std::string& to) {
  return std::rename(NativePath(from).c_str(), NativePath(to).c_str()) == 0;
}

bool ReplaceFileWith(const std::string& from, const std::string& to) {
  return std::rename(NativePath(from).c_str(), NativePath(to).c_str()) == 0;
}

bool RemoveFile(const std::string& path) { return unlink(NativePath(path).c_str()) == 0; }

std::FILE* CreateNewFile(const std::string& path) {
  int fd = open(NativePath(path).c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
  if (fd < 0) return nullptr;
  std::FILE* f = fdopen(fd, "wb");
  if (!f) {
    int err = errno;
    close(fd);
    unlink(NativePath(path).c_str());
    errno = err;
    return nullptr;
  }
  NoteOpenedForWriting(f, path);
  return f;
}

std::string CurrentDirectory() {
  std::vector<char> buf(4096);
  // Only a buffer too small is worth another try: a current directory that
  // was deleted (ENOENT) or cannot be read (EACCES) stays so.
  while (!getcwd(buf.data(), buf.size())) {
    if (errno != ERANGE) return ".";
    buf.resize(buf.size() * 2);
  }
  return buf.data();
}

std::string AbsolutePath(const std::string& path) {
  std::string native = NativePath(path);
  if (!native.empty() && native[0] == '/') return native;
  if (HasDriveLetter(path)) return path;
  return WithTrailingSeparator(CurrentDirectory()) + native;
}

std::vector<std::string> ListFiles(const std::string& dir) {
  std::vector<std::string> names;
  std::string native = dir.empty() ? "." : NativePath(dir);
  DIR* d = opendir(native.c_str());
  if (!d) return names;
  while (dirent* e = readdir(d)) {
    struct stat st;
    std::string full = WithTrailingSeparator(native) + e->d_name;
    if (stat(full.c_str(), &st) == 0 && S_ISREG(st.st_mode)) names.push_back(e->d_name);
  }
  closedir(d);
  return names;
}

FileFailure ClassifyFileError(int err) {
  switch (err) {
    case ENOSPC:
    case EDQUOT: return FileFailure::kDiskFull;
    case EFBIG: return FileFailure::kTooLarge;
    case EACCES:
    case EPERM: return FileFailure::kAccessDenied;
    case EROFS: return FileFailure::kReadOnly;
    case ENOENT:
    case ENOTDIR: return FileFailure::kNotFound;
    default: return FileFailure::kOther;
  }
}

}  // namespace platform
