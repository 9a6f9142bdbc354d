// The package's extras — templates, the tool library, the DNC settings —
// copied into Surfcam ("Asenna") or from Surfcam back into the package
// ("Tallenna"), with the report of what succeeded.
#pragma once

#include <string>

#include "tools/setup/seams.h"
#include "tools/setup/version_list.h"

namespace setup {

struct ExtrasRequest {
  size_t version = 0;  // the place in the version list
  std::string data;    // the Surfcam data folder
  std::string package;
  bool templates = false;
  bool tools = false;
  bool dnc = false;
};

struct ExtrasResult {
  bool templates = false;  // selected and succeeded
  bool tools = false;
  bool dnc = false;
};

// Each runs the selected extras and shows the report.
ExtrasResult InstallExtras(const VersionList& list, const ExtrasRequest& request, Host& host);
ExtrasResult SaveExtras(const VersionList& list, const ExtrasRequest& request, Host& host);

// The folder of the SQL tool library for data folder `data`.
std::string ToolLibraryFolder(const std::string& data);

// Whether file name `name` matches "*.EXT" (`pattern`), case ignored.
bool MatchesPattern(const std::string& name, const std::string& pattern);

}  // namespace setup
