// The trace listing: what a traced run noted about each NC line (the
// record, the statement and the trigger that made it) and how it becomes
// the listing beside the finished NC file, one row per line of that file.
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "tornel/base/diagnostics.h"

namespace tornel::dev {

// A CL record that NC lines came from.
struct TraceRecord {
  int cl_line = 0;   // the line of the CL file where the record starts
  std::string text;  // the record, continuation lines joined
  std::string vars;  // "name=value ..." of --vars, taken at its first NC line
};

// Where an NC line got its first word.
struct LineOrigin {
  int pass = 2;     // the pass over the CL file: 1 or 2
  int record = -1;  // index into TraceLog::records; -1 outside any record
  bool in_function = false;  // a post statement made it (else the CL processing)
  Location loc;     // that statement
  std::string via;  // the trigger or OnAddr function running then, "" for none
};

// One line written to the NC file; its text may hold line ends of its own
// (an ssEol with a line end), so it may be several lines of the file.
struct WrittenLine {
  int origin = -1;  // index into TraceLog::origins; -1 unknown
  int file_lines = 1;
};

struct TraceLog {
  std::vector<TraceRecord> records;
  std::vector<LineOrigin> origins;
  std::vector<WrittenLine> written;  // in file order
  int redirected = 0;  // lines that FileSel sent to a file of the post's
};

// Per line of a post or include file (index 0 is line 1), the function
// the line is in: the name after "func" up to a blank or "(", "main" for a
// MAIN section, "" outside both.  Headers and "end func" / "end main" are
// matched without regard to case.
std::vector<std::string> EnclosingFunctions(const std::vector<std::string>& lines);

// The lines of a finished NC file: split at `eol` (ssEolFormat); the
// "\r\n" format and an empty one split at "\n" with a "\r" before it
// dropped.  A last line without its end counts too.
std::vector<std::string> SplitNcLines(std::string_view bytes, std::string_view eol);

// What the listing rows name, given by the caller.
struct ListingNames {
  std::string nc_file;
  std::string cl_file;
  std::string post_file;
  std::function<std::string(Location)> function_at;  // "" when unknown
  std::function<std::string(int)> file_name;         // post file 0, includes 1..
  bool with_vars = false;
};

// Lines at the top and the bottom of `nc_lines` that are not in `log`:
// the error frame of a failed run.  -1 when the lines written and the
// lines of the file do not match.
int FrameLines(const TraceLog& log, const std::vector<std::string>& nc_lines);

// Writes the listing rows to `out`: a header, then per NC file line
// "number TAB text TAB CL line and record TAB function and post line"
// (TAB vars on the first line of each record).  False when the log does
// not match the file (nothing is written then) or a write failed; `why`
// says which.
bool WriteListing(std::FILE* out, const TraceLog& log, const std::vector<std::string>& nc_lines,
                  const ListingNames& names, std::string& why);

}  // namespace tornel::dev
