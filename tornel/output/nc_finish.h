// Finishing the NC file once the run is over: the placeholders that need
// totals known only at the end ("%FileLen%", "%MoveTimeTot%" ...), the
// text replacements of replace:, repword: and repaddr:, the line-end
// format of ssEolFormat and, after an error or an axis limit warning, the
// report framed into the file.
//
// The finished text is written to a file beside the NC file and put in its
// place by a rename only when it is complete, so an interrupted finishing
// leaves the unfinished NC file whole.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tornel/output/replacements.h"

namespace tornel {

struct RunContext;
struct ValueTables;
struct OutputTables;

// Language entry and built-in text of the frame when no error text is known.
inline constexpr int kLangTerminatedWithError = 21;
inline constexpr const char* kMsgTerminatedWithError = "Postprocessing terminated with ERROR!";
inline constexpr size_t kFrameDashes = 50;
// The finished text is written to the NC path with this added, then renamed.
inline constexpr const char* kFinishedSuffix = ".tmp";

// The motion totals the placeholders show.
struct MoveTotals {
  double len_tot = 0;
  double time_tot = 0;  // minutes
  std::vector<double> len_oper;   // per operation, from the first
  std::vector<double> time_oper;  // minutes
};

// Whole hours, minutes and seconds of a time in minutes.
struct HourMinSec {
  int h = 0;
  int m = 0;
  int s = 0;
};
HourMinSec SplitMinutes(double minutes);

// The motion placeholders of one line, in their fixed order.
void ReplaceMovePlaceholders(std::string& line, const MoveTotals& totals);

// The replacement list applied to one line: modes 1-3 to the NC text,
// modes 11-13 to the comment texts; the comment markers are removed.
void ApplyReplacements(std::string& line, const ReplacementList& list,
                       const std::vector<std::string>& strings);

// The value written for "%FileLen%" (placeholder length 9) or
// "%FileLenUNIX%" (13) in a file of `length` bytes: right for a file that
// holds the placeholder once.
std::string FileLengthText(double length, size_t placeholder_length);

// The finishing pass over the closed NC file run.files.full_nc_path: the
// error frame when the run failed or warned, the placeholders and the
// replacements of `output`, the line ends of ssEolFormat.  Without the
// temp file or the NC file it leaves the NC file as it is.
void FinishNcFile(RunContext& run, const ValueTables& values, const OutputTables& output);

}  // namespace tornel
