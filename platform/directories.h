// Folders and the read-only mark of files.  Every path may use '\' or '/'.
#pragma once

#include <string>

namespace platform {

// Creates the folder `path` (its parent must be there).  True when it was
// made or a folder of that name is already there.
bool MakeDirectory(const std::string& path);

// Removes the folder `path` when it holds nothing; false (and nothing
// happens) when it holds something or is not there.
bool RemoveEmptyDirectory(const std::string& path);

// A file marked read-only: on Windows its read-only attribute, elsewhere
// no write permission for anybody (so even an administrator's run keeps
// its hands off it, as on Windows).  False when nothing is there.
bool IsReadOnlyFile(const std::string& path);

}  // namespace platform
