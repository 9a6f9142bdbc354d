#include "tornel/builtins/path_calls.h"

#include <cstdio>
#include <vector>

#include "platform/files.h"
#include "platform/paths.h"
#include "tornel/base/file_open.h"

namespace tornel {

namespace {

// The absolute path with "." and ".." parts resolved, so that two ways of
// writing one path compare equal.
std::string Resolved(const std::string& path) {
  std::string full = platform::AbsolutePath(path);
  std::vector<std::string> parts;
  std::string prefix;
  size_t start = 0;
  // Keep a drive or UNC start as it is.
  while (start < full.size() && (full[start] == '/' || full[start] == '\\')) ++start;
  prefix = full.substr(0, start);
  for (size_t i = start; i <= full.size(); ++i) {
    if (i < full.size() && full[i] != '/' && full[i] != '\\') continue;
    std::string part = full.substr(start, i - start);
    start = i + 1;
    if (part.empty() || part == ".") continue;
    if (part == ".." && !parts.empty()) {
      parts.pop_back();
      continue;
    }
    parts.push_back(part);
  }
  std::string out = prefix;
  for (size_t k = 0; k < parts.size(); ++k) out += (k ? "/" : "") + parts[k];
  return out;
}

bool SamePath(const std::string& a, const std::string& b) {
  return platform::SamePathText(Resolved(a), Resolved(b));
}

}  // namespace

bool PostMayTouch(const std::string& path) {
#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
  return path.find_first_of("/\\:") == std::string::npos && path != "." && path != "..";
#else
  (void)path;
  return true;
#endif
}

bool IsRunFile(const RunFiles& files, const std::string& path) {
  if (path.empty()) return false;
  auto same = [&](const std::string& other) { return !other.empty() && SamePath(path, other); };
  for (const char* temp : kTempFiles)
    if (same(temp)) return true;
  return same(files.nc_work_path);
}

bool PathExists(const std::string& path) {
  return !path.empty() && PostMayTouch(path) && platform::FileExists(path);
}

void DeletePath(const RunFiles& files, const std::string& path) {
  if (path.empty() || !PostMayTouch(path) || IsRunFile(files, path)) return;
  platform::RemoveFile(path);
}

namespace {

// `from` copied into a new file beside `to`, then put in its place.
bool CopyOver(const std::string& from, const std::string& to) {
  std::string beside;
  std::FILE* f = TryCreateBeside(to, beside);
  if (!f) return false;
  std::fclose(f);
  if (platform::CopyFileTo(from, beside) && platform::ReplaceFileWith(beside, to)) return true;
  platform::RemoveFile(beside);
  return false;
}

bool Usable(const RunFiles& files, const std::string& from, const std::string& to) {
  if (from.empty() || to.empty() || !PostMayTouch(from) || !PostMayTouch(to)) return false;
  if (!platform::IsRegularFile(from)) return false;
  if (IsRunFile(files, from) || IsRunFile(files, to)) return false;
  return !SamePath(from, to);
}

}  // namespace

void CopyPath(const RunFiles& files, const std::string& from, const std::string& to) {
  if (Usable(files, from, to)) CopyOver(from, to);
}

void MovePath(const RunFiles& files, const std::string& from, const std::string& to) {
  if (!Usable(files, from, to)) return;
  if (platform::ReplaceFileWith(from, to)) return;
  // Another volume: a complete copy first, then the source goes.
  if (CopyOver(from, to)) platform::RemoveFile(from);
}

}  // namespace tornel
