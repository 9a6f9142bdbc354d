// Text files written and read the same way on every target.  Files are
// always opened in binary mode; the Windows text-mode translation is done
// here, so an NC file has the same bytes whichever build wrote it.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// fopen with "b" added to the mode, separators made native.
std::FILE* OpenBinary(const std::string& path, const char* mode);

// Text-mode write: every "\n" goes out as "\r\n".  False on a write error
// (errno tells why).
bool WriteText(std::FILE* file, std::string_view text);

// The bytes as they are.  False on a write error (errno tells why).
bool WriteBytes(std::FILE* file, std::string_view bytes);

// Closes a file this program wrote: false (errno set) when an earlier write
// failed or the buffered bytes could not be written, so a file that did not
// reach the disk whole is never taken for a complete one.  Closes it anyway.
bool CloseFile(std::FILE* file);

// Text-mode read of one line into `line`, its "\n" kept when there is one;
// a "\r" just before the "\n" is dropped.  False at end of file when nothing
// was read.  Lines of any length are read whole.
bool ReadTextLine(std::FILE* file, std::string& line);

// Reads a file's lines through one block buffer, for files read whole from
// start to end (the NC file's finishing reads every line twice).  A failed
// read ends the lines like the end of the file; ferror(file) tells them
// apart.
struct LineReader {
  explicit LineReader(std::FILE* f) : file(f) {}
  std::FILE* file;
  std::vector<char> block = std::vector<char>(64 * 1024);
  size_t at = 0;   // next byte to take
  size_t end = 0;  // bytes in the block
};

// One line as its bytes are, its "\n" kept when there is one (NUL bytes and
// CRs included).  False at the end of the file when nothing was read.
bool ReadRawLine(LineReader& reader, std::string& line);

// As ReadTextLine: the line with a "\r" just before its "\n" dropped.
bool ReadTextLine(LineReader& reader, std::string& line);

// Strips a trailing "\n" (after ReadTextLine).
inline void ChopNewline(std::string& line) {
  if (!line.empty() && line.back() == '\n') line.pop_back();
}

}  // namespace platform
