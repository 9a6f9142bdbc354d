// Reading the APT-CL file: the two passes, the record assembler fed line by
// line, and the processing of a record slot (record variables, look-ahead,
// OnAPT, dispatch).  The APT-access built-ins use the same entry points.
#pragma once

#include <string>
#include <string_view>

namespace tornel {

struct ClContext;
struct ClReader;
struct Diagnostics;
struct InputPart;

enum class ClPass { kFirst, kSecond };

// One pass over the APT-CL data.  The first pass reads the APT-CL file,
// copies it to "TorApt.tmp" and processes each record at once; the second
// reads the copy and processes each record when the 39 after it are known.
void RunClPass(ClContext& ctx, ClPass pass);

// The second line of a report about a record: the APT-CL file and the line
// the record starts on.
inline constexpr const char* kMsgClFileLine = "APT-CL file - %s, line %d.";

// Ends the run with `message` about the record that starts on `line` of
// the APT-CL file, the file and line named on a second line.
[[noreturn]] void FatalInRecord(ClContext& ctx, const char* message, int32_t line);
// The same about a record of another CL file (the companion file).
[[noreturn]] void FatalInFileRecord(ClContext& ctx, const std::string& path, const char* message,
                                    int32_t line);

// Reads the next part of an input line (first pass: copies it), counts the
// lines and sets the progress.  False at the end of the input.
bool ReadInputLine(Diagnostics& diag, ClReader& r, InputPart& part);

// Feeds one line part to the record assembler (`too_long`: the part held
// more than a record can); a complete record advances the ring and
// processes the oldest record.  A record that can't be read ends the run
// with a report that names its line.
void FeedLine(ClContext& ctx, std::string_view line, bool too_long = false);

// Processes the record in `slot`: loads the record variables, offers the
// record to OnAPT and dispatches it, then empties the slot.
void ProcessSlot(ClContext& ctx, int slot);

// Runs the first OnAPT function of `major` (case-insensitive); true when
// the record's standard processing follows (no function, or siProcess = 1).
bool OfferToOnApt(ClContext& ctx, const std::string& major);

// AptCmd: parses `text` into the command slot and processes it there,
// leaving the ring as it was.
void FeedCommand(ClContext& ctx, std::string_view text);

// AptNext: the record after the current one is loaded into the record
// variables without being offered to OnAPT or dispatched, and is taken out
// of the input so that it is not processed later.  False when the data is
// exhausted.
bool ConsumeNextRecord(ClContext& ctx);

inline constexpr const char* kMsgAptJumpIndex = "Invalid jump index for AptJump in";
inline constexpr const char* kMsgAptJumpSeek =
    "Tornel internal error. fseek failed in AptJump.";

// AptJump: reading goes on before line n of the working copy (the next
// record read is the one there); the ring and the command slot are
// emptied.  n below 1 or above siRecs stops the run with the index message.
void JumpToRecord(ClContext& ctx, double n);

// The progress percentage at `position` of `length` bytes.
int ProgressPercent(int base, int span, long position, long length);

}  // namespace tornel
