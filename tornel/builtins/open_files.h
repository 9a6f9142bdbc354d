// The table of the post file's own open files.  Entry 0 stands for the NC
// file, which the NC output holds (OutputTables::nc), and is never opened
// here; the others belong to the post file's file functions.  The table
// also remembers which numbered scratch files ("%d.tmp") this run created,
// so that only those are deleted at the end.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace tornel {

inline constexpr int kNcFileHandle = 0;  // the NC output, not an entry of its own
inline constexpr size_t kOpenFilesInitial = 2048;

struct OpenFiles {
  std::vector<std::FILE*> entries;
  std::vector<std::string> scratch_created;
};

void InitOpenFiles(OpenFiles& files);

// "%d.tmp" with (handle - 1) / 2: handle 1 gives "0.tmp", handle 3 "1.tmp".
std::string ScratchFileName(int handle);

// Records that this run created the scratch file of `handle`.
void NoteScratchCreated(OpenFiles& files, int handle);

void CloseOpenFile(OpenFiles& files, int handle);
void CloseAllFiles(OpenFiles& files);

// Deletes the scratch files this run created; a user's own "5.tmp" stays.
void DeleteScratchFiles(OpenFiles& files);

}  // namespace tornel
