// One run of CHANGE over the file the command line names, through small
// interfaces for the file system and the message boxes, so that the whole
// run can be tested in memory.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/message_box.h"
#include "tools/change/line_pieces.h"
#include "tools/change/options.h"

namespace change {

// The new contents of the edited file, written beside it.  Dropped without
// a trace unless Finish() succeeds.
class NewFile {
 public:
  virtual ~NewFile() = default;
  virtual bool Write(std::string_view bytes) = 0;
  // Closes the new file (checked), gives it the old file's permissions and
  // puts it in the old file's place in one step.  False when any of it
  // failed: the old file is then as it was.
  virtual bool Finish() = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // The file to edit, to read; null when it is not there or cannot be read.
  virtual std::unique_ptr<ByteSource> OpenToRead(const std::string& path) = 0;
  // A new file beside `path` that will take its place; null when none can
  // be made there, or `path` may not be written.
  virtual std::unique_ptr<NewFile> CreateBeside(const std::string& path) = 0;
};

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual void Show(const std::string& caption, const std::string& text, platform::Icon icon) = 0;
};

// How edited lines end in the new file.
enum class LineEnds {
  kCrLf,    // every line feed as CR LF (the Windows text mode)
  kAsRead,  // each line as it ended: CR LF or LF
};

// What came of a run.
enum class Outcome {
  kHelp,          // no file given: the help box
  kNoTexts,       // a file but not both texts: nothing done
  kTextTooLong,   // a text longer than kMaxTextBytes: nothing done
  kNotOpened,     // the file could not be opened
  kNotCreated,    // no new file could be made beside it
  kReadFailed,    // reading it failed part way
  kWriteFailed,   // writing or putting the new file in place failed
  kLineTooLong,   // an edited line outgrew kEditedLineBytes
  kReplaced,      // the file holds the edited lines
};

// Every outcome but kReplaced leaves the file untouched.  With /W the
// failures show a box naming the file (all but kTextTooLong).
Outcome RunChange(const CommandLine& line, FileSystem& files, MessageBoxes& boxes,
                  LineEnds line_ends);

}  // namespace change
