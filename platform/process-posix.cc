#include <spawn.h>
#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>
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

namespace {

// posix_spawnp with the words as they are; the child's pid in `pid`.
bool Spawn(const std::vector<std::string>& words, pid_t& pid) {
  if (words.empty() || words[0].empty()) return false;
  std::vector<std::string> copy = words;
  std::vector<char*> argv;
  for (std::string& w : copy) argv.push_back(w.data());
  argv.push_back(nullptr);
  return posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) == 0;
}

bool OnPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  if (!path) return false;
  std::string all = path;
  size_t start = 0;
  while (start <= all.size()) {
    size_t end = all.find(':', start);
    if (end == std::string::npos) end = all.size();
    std::string dir = all.substr(start, end - start);
    if (!dir.empty() && access((dir + "/" + program).c_str(), X_OK) == 0) return true;
    start = end + 1;
  }
  return false;
}

}  // namespace

bool RunProgram(const std::string& command_line, bool wait) {
  pid_t pid;
  if (!Spawn(SplitCommandLine(command_line), pid)) return false;
  if (wait) {
    int status;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }
  return true;
}

bool RunProgramKeepingWindows(const std::string& command_line) {
  return RunProgram(command_line, true);
}

bool OpenWithDesktop(const std::string& path) {
  if (!OnPath("xdg-open")) return false;
  pid_t pid;
  return Spawn({"xdg-open", path}, pid);
}

}  // namespace platform
