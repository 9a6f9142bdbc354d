// Reading and writing text the way the Windows C library does in text
// mode, over Kysy's file seams: a "\r" before a "\n" is dropped on
// reading, every "\n" goes out as "\r\n" on writing.  Lines come in pieces
// of a bounded length, so a line of any length is read without a buffer
// of that size.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tools/kysy/seams.h"

namespace kysy {

class TextReader {
 public:
  explicit TextReader(InputFile& file) : file_(file) {}
  // The next piece of a line into `piece`: up to `max` bytes, ending at
  // (and keeping) the first "\n".  False at the end of the file when
  // nothing was read.
  bool ReadPiece(std::string& piece, size_t max);
  // A whole line, its "\n" kept when it has one.
  bool ReadLine(std::string& line);
  bool Failed() const { return file_.Failed(); }

 private:
  // The next byte, -1 at the end.
  int Next();
  int Peek();
  InputFile& file_;
  std::vector<char> block_ = std::vector<char>(16 * 1024);
  size_t at_ = 0, end_ = 0;
};

// The longest item of the list file: longer lines keep their first bytes.
inline constexpr size_t kListItemBytes = 255;

// The items of a list file, one per line, the line feed removed and each
// cut to kListItemBytes.  A file that cannot be opened has none.
std::vector<std::string> ReadListFile(FileSystem& files, const std::string& path);
// The same over the file's text (the parser behind it, for the fuzzer).
std::vector<std::string> ListItems(std::string_view text);

// `text` with every "\n" written as "\r\n".
bool WriteText(OutputFile& file, std::string_view text);

// ASCII case mapping, as the C library does in its "C" locale.
std::string Upper(std::string_view text);
std::string Lower(std::string_view text);
bool EqualNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);

}  // namespace kysy
