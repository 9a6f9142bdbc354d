#include <sys/stat.h>
#include <unistd.h>

#include "platform/directories.h"
#include "platform/paths.h"

namespace platform {

bool MakeDirectory(const std::string& path) {
  std::string native = NativePath(path);
  if (mkdir(native.c_str(), 0777) == 0) return true;
  struct stat st;
  return stat(native.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool RemoveEmptyDirectory(const std::string& path) {
  return rmdir(NativePath(path).c_str()) == 0;
}

bool IsReadOnlyFile(const std::string& path) {
  struct stat st;
  if (stat(NativePath(path).c_str(), &st) != 0) return false;
  return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

}  // namespace platform
