#include "platform/command_interpreter.h"

#include "platform/environment.h"
#include "platform/process.h"

namespace platform {

bool RunInterpreterCommand(const std::string& command, bool keep_windows) {
  std::string shell = EnvironmentValue("ComSpec").value_or("cmd.exe");
  if (shell.empty()) shell = "cmd.exe";
  // cmd takes the rest of its line after /c as it stands.
  std::string line = "\"" + shell + "\" /c " + command;
  return keep_windows ? RunProgramKeepingWindows(line) : RunProgram(line, true);
}

}  // namespace platform
