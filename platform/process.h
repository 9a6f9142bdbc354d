// Starting other programs.
#pragma once

#include <string>

namespace platform {

// Starts a command line (program and arguments, quoted the Windows way)
// and returns at once.  False when it could not be started.
bool StartProgram(const std::string& command_line);

}  // namespace platform
