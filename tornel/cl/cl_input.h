// Reading the APT-CL text in large blocks, one line part at a time.  A part
// ends at a line feed (a CR LF is one line end) or at a carriage return that
// no line feed follows, so files with CR line ends keep their records.  Of
// each part at most kKeptPartLimit bytes are kept: more than that can never
// fit a record, so memory stays the same however long a line is, and the
// rest of the part is only looked at to tell whether it holds more than
// blanks before a "$$" comment.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "tornel/cl/cl_record.h"

namespace tornel {

struct Diagnostics;

// One byte more than a record holds: a part this long is too long.
inline constexpr size_t kKeptPartLimit = kRecordTextLimit + 1;
inline constexpr size_t kInputBlockSize = 64 * 1024;

// A UTF-8 byte order mark, which some Windows programs put in front of a
// text file: taken off the first line, else it would become part of the
// first major word.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

struct InputBlock {
  std::string name;  // of the input, for a report of a failed read
  std::vector<char> bytes = std::vector<char>(kInputBlockSize);
  size_t at = 0;    // next byte to take
  size_t end = 0;   // bytes in the block
  long taken = 0;   // bytes of the file taken so far
  bool eof = false;
  bool line_start = true;  // the next part begins a line
};

struct InputPart {
  std::string text;       // the part without its line end, at most kKeptPartLimit bytes
  bool new_line = false;  // the first part of a line (after a line feed, or the first)
  // More than blanks followed `text` before any "$$": a record too long.
  // The reading stopped there; the caller ends the run.
  bool cut = false;
};

// Makes the block read the file `name` from its start.
void ResetInputBlock(InputBlock& block, const std::string& name);

// Takes the next part of `file`; false at the end of the file.  When `copy`
// is given, every byte taken is written to it as a text-mode copy writes
// the lines (a line feed, with the CR before it, becomes CR LF).  A failed
// read or write of the copy ("TorApt.tmp") is reported.
bool ReadInputPart(Diagnostics& diag, std::FILE* file, InputBlock& block, std::FILE* copy,
                   InputPart& part);

}  // namespace tornel
