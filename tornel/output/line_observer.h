// A watcher of the NC lines of a run (tornel-dev trace): told when a line
// gets its first word and when a line is written out, so that it can tell
// which record and which statement made each line of the NC file.  Tornel's
// own run has none; the line ring then only tests a null pointer.
#pragma once

#include <string_view>

namespace tornel {

class LineObserver {
 public:
  virtual ~LineObserver() = default;

  // A word goes into an empty line: gives the mark the line keeps (not 0)
  // through the ring's moves until it is written.
  virtual int LineStarted() = 0;

  // A line was written: its mark (0 for a line none was given), the text
  // with its line end, and whether it went to the NC file (not to a file
  // of the post's that FileSel chose).
  virtual void LineWritten(int mark, std::string_view text, bool to_nc_file) = 0;
};

}  // namespace tornel
