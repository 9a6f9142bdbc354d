// Requests from outside to stop the program: Ctrl-C, SIGTERM and SIGHUP on
// POSIX; the console's Ctrl-C, Ctrl-Break, close, logoff and shutdown
// events on Windows.  While armed, a request only raises a flag (the one
// thing a signal handler may safely do); the message pump reads the flag
// and ends the run the way the Cancel button does, so the end-of-run steps
// still run.
#pragma once

#include <vector>

namespace platform {

// From now on the requests only raise the flag.
void ArmStopRequests();
// Back to what the system does with them; a pending request is dropped.
// On Windows this also releases a console close event that is waiting for
// the end-of-run steps to finish.
void DisarmStopRequests();
// True once for each request raised since the last call.
bool TakeStopRequest();

// The handler itself, for tests: `event` is one of StopEvents().  True when
// it was taken as a request.  A second Ctrl-C (or signal) while the first
// is still pending is the user insisting, the run being stuck where nothing
// reads the flag: it ends the process the system's way.
bool HandleStopEvent(int event);
// The backend's codes of the requests: signal numbers or console events.
std::vector<int> StopEvents();

}  // namespace platform
