// The command line a program was started with, as one text, where the
// system keeps one (Windows); elsewhere the shell has already split it into
// words and there is none.
#pragma once

#include <string>

namespace platform {

// True with the whole command line (the program name first).
bool ProgramCommandLine(std::string* line);

}  // namespace platform
