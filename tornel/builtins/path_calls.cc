#include "tornel/builtins/path_calls.h"

#include <cstdio>

#include "platform/files.h"
#include "platform/paths.h"
#include "tornel/base/file_open.h"

namespace tornel {

namespace {

// Two ways of writing one path compare equal.
bool SamePath(const std::string& a, const std::string& b) {
  return platform::SamePathText(platform::ResolvedPathText(platform::AbsolutePath(a)),
                                platform::ResolvedPathText(platform::AbsolutePath(b)));
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
