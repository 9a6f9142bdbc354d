// Finding the Surfcam installations the package's version list names: per
// version its program folder and data folder from the registry.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tools/setup/seams.h"
#include "tools/setup/version_list.h"

namespace setup {

struct VersionFolders {
  bool found = false;  // the program folder was read
  std::string program;
  std::string data;
};

struct Detection {
  std::vector<VersionFolders> folders;  // one per entry of the list
  std::vector<size_t> listed;           // the versions offered, from "6" on
  std::optional<size_t> detected;       // the last version found
  // The first values of the main dialog's fields.
  std::string version;
  std::string program;
  std::string data;
};

// The public folder: `Public`, else `AllUsersProfile`, else empty, without
// a trailing backslash.
std::string PublicFolder(Host& host);

Detection DetectVersions(const VersionList& list, Host& host);

// `path` without one trailing backslash.
std::string WithoutTrailingBackslash(std::string path);
// The folder part of `path` ("" when it has no backslash).
std::string ParentFolder(const std::string& path);

}  // namespace setup
