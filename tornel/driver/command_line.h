// Tornel's command line and the file names a run works with.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tornel {

inline constexpr const char* kDefaultNcExtension = ".nc";

struct CommandLine {
  std::optional<std::string> post;      // -p
  std::optional<std::string> apt;       // -i
  std::optional<std::string> out;       // -o
  std::optional<std::string> out_dir;   // -op
  std::optional<std::string> out_ext;   // -oe
  std::string editor;                   // -ed
  bool companion = false;               // -x
  std::string invalid;                  // the first word that is no option, if any
};

// Scans the arguments two at a time: an option takes the next argument as
// its value, -x stands alone.  A last argument with nothing after it is
// never looked at.  Scanning stops at the first word that is no option.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

// Directory + name + extension of the NC file from -o, -op, -oe and the
// APT-CL path.
std::string NcPath(const CommandLine& cmd);

// The post a -p value (or the post selection) names.  "iso_mill" and
// "iso_mill.tr" (the ending in any case) both name the post file
// iso_mill.tr, as typed; the post name, which the settings file and
// ssPostName take, is then "iso_mill".
struct PostNames {
  std::string name;
  std::string file;
};
PostNames PostFileNames(const std::string& post);

// Drive, directory and base name of the APT-CL file, "x", its extension.
std::string CompanionClPath(const std::string& apt_path);

// Drive, directory and base name of the APT-CL file + ".val".
std::string ValuesFilePath(const std::string& apt_path);

}  // namespace tornel
