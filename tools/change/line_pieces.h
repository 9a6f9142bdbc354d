// Reading the file to edit in the pieces that are edited one by one: a
// line, or kPieceBytes of a longer one.  A CR just before a LF is read as
// part of the line end, as the Windows C library's text mode reads it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace change {

// Where the bytes come from (the file, or a string in tests).
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Up to `size` bytes into `buffer`; 0 at the end or on a failure.
  virtual size_t Read(char* buffer, size_t size) = 0;
  // True when a read failed (rather than reached the end).
  virtual bool Failed() const = 0;
};

struct Piece {
  std::string text;    // its '\n' at the end when the line ends in it
  bool crlf = false;   // the line ended in CR LF (the CR is not in `text`)
  bool continued = false;  // the rest of a line the last piece began
};

class PieceReader {
 public:
  explicit PieceReader(ByteSource& source) : source_(source), block_(64 * 1024) {}
  // The next piece; false at the end of the file or on a failed read
  // (source.Failed() tells which).
  bool Next(Piece& piece);

 private:
  bool Fill();
  ByteSource& source_;
  std::vector<char> block_;
  size_t at_ = 0, end_ = 0;
  bool line_open_ = false;  // the last piece did not end its line
};

}  // namespace change
