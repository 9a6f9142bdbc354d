#include "platform/command_interpreter.h"

#include "platform/environment.h"
#include "platform/process.h"

namespace platform {

bool RunInterpreterCommand(const std::string& command) {
  std::string shell = EnvironmentValue("ComSpec").value_or("cmd.exe");
  if (shell.empty()) shell = "cmd.exe";
  // cmd takes the rest of its line after /c as it stands.
  return RunProgram("\"" + shell + "\" /c " + command, true);
}

}  // namespace platform
