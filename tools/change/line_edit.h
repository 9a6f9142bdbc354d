// The editing of one line: every occurrence of the search text replaced,
// left to right, a replacement never searched again.
#pragma once

#include <string>

#include "tools/change/options.h"
#include "tools/change/texts.h"

namespace change {

// Lines are read in pieces of at most this many bytes, the line feed
// included; each piece of a longer line is edited as a line of its own.
inline constexpr size_t kPieceBytes = 4095;
// An edited line may grow to this many bytes, its line feed included (a
// buffer of 5,120 bytes with its end mark).
inline constexpr size_t kEditedLineBytes = 5119;

enum class Edit {
  kWrite,    // write the line as it now is
  kDrop,     // leave it out (/O)
  kTooLong,  // it would outgrow kEditedLineBytes: the line is left as read
};

// Edits `line`, one piece as read with its '\n' when it has one.
// `continued` tells a piece that is the rest of a longer line: it is never
// taken for an empty line, so /O cannot join two lines.
//
// With a search text: matched in capitals unless /C (the rest of the line
// keeps its case); /B takes a match only at the start of the line; /E only
// one that is followed by nothing but blanks up to the line feed, the
// blanks going with it.  With /O and an empty replacement, a line that a
// replacement leaves empty is dropped.  With neither text the whole line
// takes /U, /L and /A, and /O drops an empty line.  With only a
// replacement the line stays as it is.
Edit EditLine(std::string& line, bool continued, const Texts& texts, const Options& options);

}  // namespace change
