// The package's list of Surfcam versions ("Surfvers.lst"): per version its
// name, the sub-folder of the installation, the registry key and the names
// of the two values that hold the folders.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace setup {

inline constexpr size_t kMaxVersionLines = 250;

struct VersionEntry {
  std::string name;
  std::string sub_folder;  // may be empty
  std::string key;         // under HKEY_LOCAL_MACHINE
  std::string program_value;
  std::string data_value;
};

struct VersionList {
  std::vector<VersionEntry> entries;  // oldest first
  // The first version with the modern folder layout ("6") and the first
  // with the SQL tool library ("2022.1"); entries.size() when absent.
  size_t modern = 0;
  size_t sql = 0;
};

// The list from the file's text: the first 250 lines are read, lines
// shorter than two characters or starting with ';' are skipped; fields
// part at ';' and lose their blanks.
VersionList ParseVersionList(std::string_view text);

}  // namespace setup
