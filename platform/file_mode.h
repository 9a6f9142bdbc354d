// What a file carries besides its bytes, for a program that replaces a
// user's file by a new one written beside it: the new file should be
// what the old one was (permissions and owner on POSIX, the hidden,
// system and archive attributes on Windows), and a file the user may not
// write is not replaced at all.
#pragma once

#include <string>

namespace platform {

// True when this process may write `path` (it need not exist: false then).
// On Windows a file with the read-only attribute is not writable.
bool MayWriteFile(const std::string& path);

// Gives `to` the permission bits (and, where allowed, the owner and group)
// of `from` on POSIX, its hidden, system and archive attributes on Windows.
// False when they could not be given.
bool CopyFileMode(const std::string& from, const std::string& to);

// The file `path` finally names when it is a symbolic link (so that a new
// file put in its place goes where the link points, and the link stays);
// `path` itself otherwise.
std::string LinkedFilePath(const std::string& path);

}  // namespace platform
