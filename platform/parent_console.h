// A windowed program started from a console still reports there.
#pragma once

namespace platform {

// On Windows a program of the windows subsystem gets no standard error of
// its own when it is started from a console without redirection: this
// attaches it to that console so that reports and hints reach the user
// and the batch file's log.  Redirected handles, and every other system,
// are left as they are.
void UseParentConsole();

}  // namespace platform
