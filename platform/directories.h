// Folders: making and removing them, their entries, and the drives there
// are; and the read-only mark of files.  Paths may use '\' or '/'.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform {

bool MakeFolder(const std::string& path);    // one level, like mkdir
bool RemoveFolder(const std::string& path);  // an empty folder only

struct FolderEntry {
  std::string name;
  bool folder = false;
  bool hidden = false;  // hidden or system on Windows, a name beginning with '.' elsewhere
};

// The entries of `dir` ("" the current directory) without "." and "..";
// nullopt when it cannot be read.
std::optional<std::vector<FolderEntry>> ListFolder(const std::string& dir);

// The letters of the drives (upper case); none on a system without drives.
std::vector<char> DriveLetters();

// A file marked read-only: on Windows its read-only attribute, elsewhere
// no write permission for anybody (so even an administrator's run keeps
// its hands off it, as on Windows).  False when nothing is there.
bool IsReadOnlyFile(const std::string& path);

}  // namespace platform
