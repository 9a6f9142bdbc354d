// What every part of a run may know about it: the reporting frame, the run
// flags and the file names.  The tables of the subsystems are not here;
// each layer keeps its own, and the run driver owns them all for a run.
#pragma once

#include <string>

#include "tornel/base/diagnostics.h"

namespace tornel {

// The temp files of a run, all in the current directory.
inline constexpr const char* kTempPreprocessed = "Tornel.tmp";
inline constexpr const char* kTempPostCopy = "Tornel1.tmp";
inline constexpr const char* kTempScratch = "Tornel2.tmp";
inline constexpr const char* kTempAptCopy = "TorApt.tmp";
inline constexpr const char* kTempNcCopy = "TorNc.tmp";
inline constexpr const char* kTempFiles[] = {kTempAptCopy, kTempNcCopy, kTempPreprocessed,
                                             kTempPostCopy, kTempScratch};

inline constexpr const char* kPostFileExtension = ".tr";
inline constexpr const char* kSettingsFileExtension = ".ini";

struct RunFlags {
  int scan_pass = 0;       // 1 during the first pass over the APT-CL file
  int first_run = 0;       // 1 during the first run of MAIN and the first pass
  int companion_file = 0;  // -x: read the companion CL file too
  int limit_warning = 0;   // an axis limit warning was shown
  int cycle_warning = 0;   // a drill cycle warning (a hole not drilled, no depth) was shown
};

struct RunFiles {
  std::string post_name;
  std::string post_file;       // post name + ".tr"
  std::string settings_file;   // post name + ".ini"
  std::string values_file;     // APT-CL drive, directory, name + ".val"
  std::string apt_path;        // -i as given
  std::string companion_path;  // the APT-CL name with an "x" added
  std::string nc_path;         // the NC file's path before the post may rename it
  std::string full_nc_path;    // the same made absolute
  // Where the NC output is written and finished, beside nc_path, until
  // delivery puts it in its place; empty once delivered or removed.
  std::string nc_work_path;
  std::string editor;          // -ed
};

struct RunContext {
  Diagnostics diag;
  RunFlags flags;
  RunFiles files;
};

}  // namespace tornel
