#include "platform/program_command_line.h"

namespace platform {

bool ProgramCommandLine(std::string*) { return false; }

}  // namespace platform
