// A test seam for full disks: a directory made to behave like a small file
// system.  Files opened for writing under it (by OpenBinary, CreateNewFile
// or CopyFileTo) share a byte budget; a write that passes it writes what
// still fits and then fails with ENOSPC, as a real full disk does.  With
// kAtClose the writes seem to succeed (the bytes past the budget are lost)
// and only the close fails, as with a buffered or network file.
//
// Only tests arm a limit; without one every write takes the plain path.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace platform {

enum class DiskFullShows { kAtWrite, kAtClose };

// Limits the files under `dir` to `capacity` bytes written in all.
void LimitDisk(const std::string& dir, long long capacity,
               DiskFullShows shows = DiskFullShows::kAtWrite);
void ClearDiskLimits();

// For the file functions of this layer: remember that `file` was opened
// for writing at `path`, or forget it when it is closed.
void NoteOpenedForWriting(std::FILE* file, const std::string& path);
void NoteClosed(std::FILE* file);

// Writes `bytes` to `file`, within its disk's budget.  False (errno set)
// when not all of them were written.
bool LimitedWrite(std::FILE* file, std::string_view bytes);

// False (errno ENOSPC) when the file lost bytes to a kAtClose limit.
bool LimitAllowsClose(std::FILE* file);

}  // namespace platform
