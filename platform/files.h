// File operations of the host.  Every path may use '\' or '/'.  A failed
// operation leaves errno telling why (the Win32 backend sets it from the
// system's error code).
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace platform {

bool FileExists(const std::string& path);       // a file or directory is there

// Which end of a copy failed.
enum class CopyFailure { kNone, kSource, kTarget };
// Copies the bytes of `from` into `to`, which it creates or empties; every
// write and the close are checked.  False when the copy is not complete.
bool CopyFileTo(const std::string& from, const std::string& to, CopyFailure* failed = nullptr);

// A file to read: not a directory, a device or anything else that only has
// a name (false when nothing is there).
bool IsRegularFile(const std::string& path);
bool RenameFile(const std::string& from, const std::string& to);  // `to` must not exist
bool RemoveFile(const std::string& path);       // false when nothing was deleted
// Puts `from` in the place of `to` in one step: `to` is either the old or
// the new file, never a part of one.  Both must be on the same volume.
bool ReplaceFileWith(const std::string& from, const std::string& to);

// Creates `path` for writing in binary mode, only when no file of that name
// is there (errno EEXIST when one is): a file made this way is nobody
// else's.  Null on failure.
std::FILE* CreateNewFile(const std::string& path);

// "." when it cannot be told (it was deleted, or may not be read).
std::string CurrentDirectory();
// The path made absolute against the current directory, with native separators.
std::string AbsolutePath(const std::string& path);
// Names (not paths) of the regular files in `dir`, in no particular order.
std::vector<std::string> ListFiles(const std::string& dir);

// Why a file operation failed, from the errno it left.
enum class FileFailure { kDiskFull, kTooLarge, kAccessDenied, kReadOnly, kNotFound, kOther };
FileFailure ClassifyFileError(int err);

}  // namespace platform
