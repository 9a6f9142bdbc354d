#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

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

bool CopyFileTo(const std::string& from, const std::string& to) {
  int in = open(NativePath(from).c_str(), O_RDONLY);
  if (in < 0) return false;
  int out = open(NativePath(to).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (out < 0) {
    close(in);
    return false;
  }
  std::vector<char> buf(1 << 16);
  bool ok = true;
  for (;;) {
    ssize_t n = read(in, buf.data(), buf.size());
    if (n == 0) break;
    if (n < 0) {
      ok = false;
      break;
    }
    for (ssize_t done = 0; done < n;) {
      ssize_t w = write(out, buf.data() + done, static_cast<size_t>(n - done));
      if (w <= 0) {
        ok = false;
        break;
      }
      done += w;
    }
    if (!ok) break;
  }
  close(in);
  if (close(out) != 0) ok = false;
  return ok;
}

bool RenameFile(const std::string& from, const std::string& to) {
  return std::rename(NativePath(from).c_str(), NativePath(to).c_str()) == 0;
}

bool ReplaceFileWith(const std::string& from, const std::string& to) {
  return std::rename(NativePath(from).c_str(), NativePath(to).c_str()) == 0;
}

bool RemoveFile(const std::string& path) { return unlink(NativePath(path).c_str()) == 0; }

std::string CurrentDirectory() {
  std::vector<char> buf(4096);
  while (!getcwd(buf.data(), buf.size())) buf.resize(buf.size() * 2);
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

}  // namespace platform
