// The command interpreter: a command line run as the user would type it
// (Windows: %ComSpec% /c, else cmd.exe; elsewhere /bin/sh -c with the
// current directory first on PATH, so that a batch file beside the
// program is found as on Windows).
#pragma once

#include <string>

namespace platform {

// Runs `command` in the current directory and waits until it ends; false
// when the interpreter could not be started.  With `keep_windows` the
// thread's windows are kept alive meanwhile (RunProgramKeepingWindows).
bool RunInterpreterCommand(const std::string& command, bool keep_windows = false);

}  // namespace platform
