// Installing the postprocessor: the package's "install" batch file runs
// with the Surfcam folders while the menu file is kept aside, and the
// menu file it leaves tells success from failure.
#pragma once

#include <string>

#include "tools/setup/detection.h"
#include "tools/setup/seams.h"
#include "tools/setup/version_list.h"

namespace setup {

// Windows' file functions take paths shorter than this.
inline constexpr size_t kMaxPath = 260;

struct InstallRequest {
  std::string program;  // the dialog's fields
  std::string data;
  std::string version;
  bool predator = false;
  std::string package;  // the package folder, where "install" lies
};

enum class InstallOutcome {
  kInstalled,
  kFailed,     // "install" ran (or could not) and left no menu file
  kRefused,    // a check before anything was touched failed
  kCancelled,  // the user chose not to go on
};

// The menu file of the data folder: "Config\PostMenu.cfg", or
// "SURFCAM.PST" for lists without the modern layout.
std::string MenuFile(const VersionList& list, const std::string& data_folder);

// `folder` in double quotes when it has a blank and no double quote.
std::string QuotedFolder(const std::string& folder);

// The command line of the batch file.
std::string InstallCommand(const std::string& program, const std::string& data, bool nt35);

InstallOutcome InstallPostprocessor(const VersionList& list, const Detection& detection,
                                    const InstallRequest& request, Host& host);

// False (after saying so) when `path` is too long for Windows.
bool PathFits(const std::string& path, Host& host);

}  // namespace setup
