// A regression case of "tornel-dev test": a folder holding
//   args      tornel's command line, one argument a line
//   status    the expected exit status (0 when missing)
//   report    the expected standard error, exactly (empty when missing)
//   expected/ files that must exist afterwards with exactly these bytes
//   absent    paths, one a line, that must not exist afterwards
//   sources   files or folders to copy in, one a line, as paths from a
//             folder the run names (so cases can share a post)
// and the input files (post, CL file, ...), all copied into a fresh work
// folder in which tornel runs.  Empty lines of the line files are skipped
// and a "\r" before a line's end is dropped.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tornel::dev {

struct TestCase {
  std::string folder;  // as given
  std::string name;    // the folder's own name
  std::vector<std::string> args;
  std::string status = "0";  // as the status file writes it
  bool has_status = false;   // a status file is there
  std::string report;
  bool has_report = false;  // a report file is there
  std::vector<std::string> expected;  // paths under expected/, '/' between parts, sorted
  std::vector<std::string> absent;
  std::vector<std::string> sources;
  std::vector<std::string> inputs;  // names in the folder that are copied in, sorted
};

// The lines of a line file (args, status, absent, sources).
std::vector<std::string> CaseFileLines(std::string_view text);

// The names in a case folder that describe the case and are not inputs.
bool IsCaseFileName(std::string_view name);

// A folder holding an "args" file.
bool IsCaseFolder(const std::string& folder);

// Reads the case in `folder`; nullopt with `error` set when a file of it
// cannot be read.
std::optional<TestCase> ReadTestCase(const std::string& folder, std::string* error);

// The whole bytes of a file; nullopt when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// The paths of the regular files under `folder` and its subfolders, '/'
// between parts, sorted; nullopt when a folder cannot be read.
std::optional<std::vector<std::string>> FilesUnder(const std::string& folder);

}  // namespace tornel::dev
