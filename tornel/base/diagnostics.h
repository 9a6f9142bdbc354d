// The one way Tornel fails: a fatal report that names the post or include
// file and quotes the line when the error lies in the post file, shows a
// message box, and ends the run with status 1.  Also the small services
// every subsystem uses: responsive line reading and writing, and the
// cancelled flag that Cancel and Exit set.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "platform/progress.h"
#include "tornel/base/language_file.h"
#include "tornel/base/source_files.h"

namespace tornel {

// Thrown to end the run (fatal report, Cancel, Exit).  Only main catches it;
// the end-of-run steps then still run.
struct RunEnded {
  int status;
};

// Where the compiler or the interpreter is: file 0 is the post file, 1.. the
// include files in include-list order; lines count from 1.
struct Location {
  int file = 0;
  int line = 0;
};

inline constexpr const char* kProgramTitle = "Tornel";
// The longest part of a source line that a report quotes.
inline constexpr size_t kQuotedLineLimit = 383;

struct Diagnostics {
  // The caption of the report's message box: a companion program that
  // shares the file-open operation gives its own name.
  const char* title = kProgramTitle;
  Location loc;
  std::string post_file;     // post name + ".tr"
  std::string include_list;  // "\t<path>\n" per include file
  std::string last_error;    // text of the last report, for the NC file's error frame
  int error_flag = 0;
  int cancelled = 0;         // 1: the user cancelled; Exit sets its own value
  // Looks at the window messages left before the run ends as if cancelled;
  // 0 for no end.  A run never sets it: the fuzz targets bound the time a
  // post may take with it (a post may loop for ever, as a real one may).
  long pump_budget = 0;
  // A tool that prints the report itself (tornel-dev) keeps it in
  // last_error only: no message box, nothing on standard error.
  bool report_to_caller = false;
  LanguageTable lang;
  platform::ProgressWindow progress;
  // Where the post and include files are read from, for the quoted line.
  const SourceFiles* sources = &DiskSources();
};

// Fills "%s" and "%d" conversions in order with `args`, "%%" with "%".
// Safe for texts from the language file whatever conversions they hold:
// missing arguments give empty text, other conversions are copied as they are.
std::string FormatMessage(std::string_view format, std::initializer_list<std::string_view> args);

// A report without location: `text` is the whole report.  Internal errors
// carry the stop icon, all others the exclamation icon.
[[noreturn]] void FatalPlain(Diagnostics& diag, const std::string& text, bool internal = false);

// A report about the command line: `text` as FatalPlain shows it, then
// `usage` for a user at a console (standard error only; the message box
// and the last error text hold `text` alone).
[[noreturn]] void FatalWithUsage(Diagnostics& diag, const std::string& text,
                                 const std::string& usage);

// An error in the post file at the current location.  `message` ends in
// "in" so that " line N:" follows.
[[noreturn]] void FatalAt(Diagnostics& diag, std::string_view message);

// The report text FatalAt would show (it may itself fail to open the file).
std::string LocatedReport(Diagnostics& diag, std::string_view message);

// The path of a file number: the post file for 0, else the include list's
// entry (the last one when the list is shorter).
std::string LocationFileName(const Diagnostics& diag, int file);

// Line `loc.line` of the file, with its line end, cut to the quoted-line
// limit.  False when the file has fewer lines or the number is 0.
bool SourceLine(Diagnostics& diag, Location loc, std::string& line);

// Handles one pending window event; on Cancel (or when the pump budget is
// used up) sets the cancelled flag and ends the run.
void Pump(Diagnostics& diag);

// Line reading and writing that keep the window responsive (text mode).
// A failed write is reported with the file's `name` and the reason.
bool ReadLine(Diagnostics& diag, std::FILE* file, std::string& line);
void WriteLine(Diagnostics& diag, std::FILE* file, std::string_view text, std::string_view name);

}  // namespace tornel
