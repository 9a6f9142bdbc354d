// The commands and options of lnkedit's command line.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/lnkedit/link_record.h"
#include "tools/lnkedit/messages.h"

namespace lnkedit {

enum class Mode {
  kHelp,     // show the usage text
  kDump,     // show the shortcut's contents
  kCreate,   // a new shortcut; the link file must not exist
  kReplace,  // a new shortcut, overwriting an existing one
  kChange,   // load the shortcut and change the given fields
};

// The mode of a command word (compared exactly); none for an unknown word.
std::optional<Mode> CommandMode(std::string_view word);

// Makes a path full: true with the full path, or false with the system's
// error code.
using FullPathFn = std::function<bool(const std::string& path, std::string* full, long* error)>;

// What applying the options came to.
struct OptionsResult {
  enum class Outcome { kApplied, kUsageError, kFailed } outcome = Outcome::kApplied;
  Message message = Message::kCaption;  // kUsageError, kFailed
  long error = 0;                       // kFailed: the system's code
  bool resolve = false;                 // -r was given
  bool target_given = false;            // -t was given
};

// Applies the options among `args` from index `first` on to `record`, in
// order, each value in the argument after its option; other arguments are
// ignored.  Stops at the first fault.
OptionsResult ApplyOptions(const std::vector<std::string>& args, size_t first,
                           const FullPathFn& full_path, LinkRecord* record);

}  // namespace lnkedit
