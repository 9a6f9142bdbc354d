#include "platform/directories.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/paths.h"

namespace platform {

bool MakeFolder(const std::string& path) { return mkdir(NativePath(path).c_str(), 0777) == 0; }

bool RemoveFolder(const std::string& path) { return rmdir(NativePath(path).c_str()) == 0; }

std::optional<std::vector<FolderEntry>> ListFolder(const std::string& dir) {
  std::string native = dir.empty() ? "." : NativePath(dir);
  DIR* d = opendir(native.c_str());
  if (!d) return std::nullopt;
  std::vector<FolderEntry> entries;
  while (dirent* e = readdir(d)) {
    std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    struct stat st;
    std::string full = WithTrailingSeparator(native) + name;
    if (stat(full.c_str(), &st) != 0) continue;
    if (!S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode)) continue;
    entries.push_back({name, S_ISDIR(st.st_mode), name[0] == '.'});
  }
  closedir(d);
  return entries;
}

std::vector<char> DriveLetters() { return {}; }

bool IsReadOnlyFile(const std::string& path) {
  struct stat st;
  if (stat(NativePath(path).c_str(), &st) != 0) return false;
  return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

}  // namespace platform
