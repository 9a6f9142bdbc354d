// Running one regression case of "tornel-dev test": a fresh work folder
// with the case's inputs, tornel run there as a child process, and every
// check of the case (exit status, standard error, expected files, absent
// files, no temp or NC work files left behind).
#pragma once

#include <string>

#include "tornel/dev/test_case.h"

namespace tornel::dev {

struct TestRunOptions {
  std::string tornel;   // the program to run
  std::string sources;  // the folder the "sources" paths start from
  bool update = false;  // take the new output as the expected one
};

struct TestOutcome {
  bool passed = false;   // every check held (before any update)
  bool updated = false;  // the expected files were rewritten to the new output
  bool fixed = false;    // after the update nothing is left failing
  std::string report;    // what failed, with unified diffs; what was updated
};

// Runs `c` in the work folder `work` (removed first when there), which
// is removed again when the case passes.  Failing to prepare the folder or
// to start tornel fails the case with a line that says so.
TestOutcome RunTestCase(const TestCase& c, const std::string& work, const TestRunOptions& options);

// Paths a run must never leave in its work folder, besides the NC work
// files ("<nc file>.tornel-<n>.tmp", in any folder).
inline constexpr const char* kNeverLeftBehind[] = {"Tornel.tmp", "Tornel1.tmp", "Tornel2.tmp",
                                                   "TorApt.tmp", "TorNc.tmp"};

// A name of an NC work file: "<anything>.tornel-<anything>.tmp".
bool IsNcWorkFileName(std::string_view name);

// Replaces (or creates) `path` with `bytes` by a complete file written
// beside it and renamed; false (`path` untouched) when that fails.
bool ReplaceWholeFile(const std::string& path, const std::string& bytes);

// Removes a folder with everything in it; true when nothing is left.
bool RemoveTree(const std::string& path);

}  // namespace tornel::dev
