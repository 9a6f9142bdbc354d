#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/process.h"

extern char** environ;

namespace platform {

bool StartProgram(const std::string& command_line) {
  // The command line quotes its words with double quotes, which the shell
  // understands the same way.
  std::string cmd = command_line;
  char sh[] = "sh", dash_c[] = "-c";
  char* argv[] = {sh, dash_c, cmd.data(), nullptr};
  pid_t pid;
  return posix_spawn(&pid, "/bin/sh", nullptr, nullptr, argv, environ) == 0;
}

}  // namespace platform
