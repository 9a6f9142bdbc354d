// Starting other programs.
#pragma once

#include <string>
#include <vector>

namespace platform {

// Starts a command line (program and arguments, quoted the Windows way)
// and returns at once.  False when it could not be started.
bool StartProgram(const std::string& command_line);

// The words of a command line by the Windows rules: blanks and tabs part
// words outside double quotes; 2n backslashes before a quote give n
// backslashes and the quote opens or closes, 2n + 1 give n backslashes and
// a quote character; other backslashes are themselves.
std::vector<std::string> SplitCommandLine(const std::string& command_line);

// The command line whose words SplitCommandLine gives back as `words`:
// each word quoted when it is empty or holds a blank, tab or quote.
std::string JoinCommandLine(const std::vector<std::string>& words);

// Starts the program of a command line directly (no shell: the same words
// reach it on every target) and, with `wait`, waits until it ends.  False
// when it could not be started.
bool RunProgram(const std::string& command_line, bool wait);

// As RunProgram with `wait`, while the thread's windows stay alive: their
// messages (painting, moving) are dispatched as the program runs.  Keeping
// the user's input away from them is the caller's part.  Without windows
// the same as RunProgram(command_line, true).
bool RunProgramKeepingWindows(const std::string& command_line);

// Opens `path` with the program the desktop has for it (Windows: the
// shell's "open"; elsewhere xdg-open where there is one).  False when
// nothing could be started.
bool OpenWithDesktop(const std::string& path);

// How a program run by RunCapturingErrors ended.
struct CapturedRun {
  int status = 0;              // its exit status (on POSIX 128 + n when signal n ended it)
  std::string standard_error;  // every byte it wrote there
};

// Runs `words` (the program's path first, the words reach it as they are)
// in the folder `folder` and waits until it ends: its standard input is the
// null device, its standard output is thrown away, its standard error is
// kept.  False when it could not be started.
bool RunCapturingErrors(const std::vector<std::string>& words, const std::string& folder,
                        CapturedRun* run);

// The path of the running program's own file; "" when it cannot be told.
std::string OwnProgramPath();

}  // namespace platform
