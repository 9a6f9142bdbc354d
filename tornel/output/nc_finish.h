// Finishing the NC file once the run is over: the placeholders that need
// totals known only at the end ("%FileLen%", "%MoveTimeTot%" ...), the
// text replacements of replace:, repword: and repaddr:, the line-end
// format of ssEolFormat and, after an error or an axis limit warning, the
// report framed into the file.
//
// The pass works on the run's work file (nc_file.h), never on the NC file
// the user keeps; the driver delivers the work file only when the pass has
// written it completely.
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
// The same as numbers, each part truncated toward zero (HourMinSec of the
// post language): h = trunc(t / 60), m = trunc(t - 60 h), s = trunc(fmod(60 t, 60)).
struct MinuteParts {
  double h = 0, m = 0, s = 0;
};
MinuteParts SplitMinuteParts(double minutes);

// The motion placeholders of one line, in their fixed order.
void ReplaceMovePlaceholders(std::string& line, const MoveTotals& totals);

// The replacement list applied to one line: modes 1-3 to the NC text,
// modes 11-13 to the comment texts; the comment markers are removed.
// False, the line left as it may stand half done, when the replacements
// would make it longer than kNcLineLimit.
bool ApplyReplacements(std::string& line, const ReplacementList& list,
                       const std::vector<std::string>& strings);

inline constexpr const char* kMsgReplacedLineTooLong =
    "NC line %d too long after the replacements: an NC line may hold at most %d characters.";

// The value written for "%FileLen%" (placeholder length 9) or
// "%FileLenUNIX%" (13) in a file of `length` bytes: right for a file that
// holds the placeholder once.
std::string FileLengthText(double length, size_t placeholder_length);

// The finishing pass over the closed work file run.files.nc_work_path: the
// error frame when the run failed or warned, the placeholders and the
// replacements of `output`, the line ends of ssEolFormat.  Returns when the
// work file is finished; every failure to read or write it or TorNc.tmp is
// reported (naming run.files.nc_path or TorNc.tmp and the reason), and the
// work file is then not fit to deliver.
void FinishNcFile(RunContext& run, const ValueTables& values, const OutputTables& output);

}  // namespace tornel
