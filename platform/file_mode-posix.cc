#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <memory>

#include "platform/file_mode.h"
#include "platform/paths.h"

namespace platform {

bool MayWriteFile(const std::string& path) { return access(NativePath(path).c_str(), W_OK) == 0; }

bool CopyFileMode(const std::string& from, const std::string& to) {
  struct stat st;
  std::string native_to = NativePath(to);
  if (stat(NativePath(from).c_str(), &st) != 0) return false;
  // The owner can be given only by a privileged process and the group
  // only to a member of it: try both, then the group alone, and keep the
  // bits whatever came of it.
  if (chown(native_to.c_str(), st.st_uid, st.st_gid) != 0)
    (void)!chown(native_to.c_str(), static_cast<uid_t>(-1), st.st_gid);
  return chmod(native_to.c_str(), st.st_mode & 07777) == 0;
}

std::string LinkedFilePath(const std::string& path) {
  std::string native = NativePath(path);
  struct stat st;
  if (lstat(native.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
  std::unique_ptr<char, decltype(&std::free)> real(realpath(native.c_str(), nullptr), &std::free);
  return real ? std::string(real.get()) : path;
}

}  // namespace platform
