// File operations of the host.  Every path may use '\' or '/'.
#pragma once

#include <string>
#include <vector>

namespace platform {

bool FileExists(const std::string& path);       // a file or directory is there
// A file to read: not a directory, a device or anything else that only has
// a name (false when nothing is there).
bool IsRegularFile(const std::string& path);
bool CopyFileTo(const std::string& from, const std::string& to);  // replaces `to`
bool RenameFile(const std::string& from, const std::string& to);  // `to` must not exist
bool RemoveFile(const std::string& path);       // false when nothing was deleted
// Puts `from` in the place of `to` in one step: `to` is either the old or
// the new file, never a part of one.  Both must be on the same volume.
bool ReplaceFileWith(const std::string& from, const std::string& to);
std::string CurrentDirectory();
// The path made absolute against the current directory, with native separators.
std::string AbsolutePath(const std::string& path);
// Names (not paths) of the regular files in `dir`, in no particular order.
std::vector<std::string> ListFiles(const std::string& dir);

}  // namespace platform
