// The file functions that work on paths alone: FileExist, FileDel,
// FileCopy, FileMove.  Failures of the system are not reported (a post
// tests FileExist where it matters); a file the user keeps is only ever
// replaced whole, and the run's own files are out of the post's reach.
#pragma once

#include <string>

#include "tornel/base/run_context.h"

namespace tornel {

// Whether a post may open, delete, copy or move `path`: always, except in a
// fuzzing build, where only plain names in the current folder are allowed.
bool PostMayTouch(const std::string& path);

// The run's own files: its temp files and the NC file's work file.
bool IsRunFile(const RunFiles& files, const std::string& path);

bool PathExists(const std::string& path);
// Deletes `path` unless it is one of the run's own files.
void DeletePath(const RunFiles& files, const std::string& path);
// Copies `from` over `to`: written beside `to` and renamed into its place
// when complete, so `to` is the old file or the new one, never half of one.
// Nothing happens when `from` is no readable file, or `to` is one of the
// run's files or `from` itself.
void CopyPath(const RunFiles& files, const std::string& from, const std::string& to);
// Renames `from` over `to` in one step (by a complete copy where the two
// are on different volumes); `to` stays as it was when `from` is missing.
void MovePath(const RunFiles& files, const std::string& from, const std::string& to);

}  // namespace tornel
