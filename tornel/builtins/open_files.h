// The table of the post file's own open files.  Handle 0 stands for the NC
// file, which the NC output holds (OutputTables::nc), and is never opened
// here; the post's files get the odd handles 1, 3, 5 ..., the lowest free
// one first.  The table also remembers which numbered scratch files
// ("%d.tmp") this run created, so that only those are deleted at the end.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace tornel {

inline constexpr int kNcFileHandle = 0;  // the NC output, not an entry of its own
inline constexpr size_t kOpenFilesInitial = 2048;

// The modes of an open file.
enum FileMode : int {
  kFileRead = 0,           // opened for reading
  kFileWrite = 1,          // created or emptied for writing
  kFileScratchNew = 2,     // a scratch file just made
  kFileScratchRead = 3,    // a scratch file being read
  kFileScratchWrite = 4,   // a scratch file being written
};

struct PostFile {
  std::FILE* file = nullptr;
  int mode = kFileRead;
  std::string path;
};

struct OpenFiles {
  std::vector<PostFile> entries;
  std::vector<std::string> scratch_created;
};

void InitOpenFiles(OpenFiles& files);

// "%d.tmp" with (handle - 1) / 2: handle 1 gives "0.tmp", handle 3 "1.tmp".
std::string ScratchFileName(int handle);

// Records that this run created the scratch file of `handle`.
void NoteScratchCreated(OpenFiles& files, int handle);

// The open entry of `handle`, or null (0, even, negative, beyond the table,
// closed).
PostFile* FindOpenFile(OpenFiles& files, double handle);

// The lowest odd handle whose entry is free (the table grows by whole
// steps when all are taken).
int FreeHandle(OpenFiles& files);

void CloseOpenFile(OpenFiles& files, int handle);
void CloseAllFiles(OpenFiles& files);

// Deletes the scratch files this run created; a user's own "5.tmp" stays.
void DeleteScratchFiles(OpenFiles& files);

}  // namespace tornel
