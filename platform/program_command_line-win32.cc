#include <windows.h>

#include "platform/program_command_line.h"

namespace platform {

bool ProgramCommandLine(std::string* line) {
  const char* text = GetCommandLineA();
  if (!text) return false;
  *line = text;
  return true;
}

}  // namespace platform
