#include <fcntl.h>
#include <limits.h>
#include <spawn.h>
#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/paths.h"
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

namespace {

// The file actions of a captured run: standard input and output from and
// to the null device, standard error into `error_pipe`, `folder` the
// current directory.
bool CaptureActions(posix_spawn_file_actions_t* actions, const int error_pipe[2],
                    const std::string& folder) {
  return posix_spawn_file_actions_addopen(actions, 0, "/dev/null", O_RDONLY, 0) == 0 &&
         posix_spawn_file_actions_addopen(actions, 1, "/dev/null", O_WRONLY, 0) == 0 &&
         posix_spawn_file_actions_adddup2(actions, error_pipe[1], 2) == 0 &&
         posix_spawn_file_actions_addclose(actions, error_pipe[0]) == 0 &&
         posix_spawn_file_actions_addclose(actions, error_pipe[1]) == 0 &&
         posix_spawn_file_actions_addchdir_np(actions, folder.c_str()) == 0;
}

}  // namespace

bool RunCapturingErrors(const std::vector<std::string>& words, const std::string& folder,
                        CapturedRun* run) {
  if (words.empty() || words[0].empty()) return false;
  int error_pipe[2];
  if (pipe2(error_pipe, O_CLOEXEC) != 0) return false;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  std::vector<std::string> copy = words;
  std::vector<char*> argv;
  for (std::string& w : copy) argv.push_back(w.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  int failed = CaptureActions(&actions, error_pipe, NativePath(folder))
                   ? posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ)
                   : errno;
  bool started = failed == 0;
  posix_spawn_file_actions_destroy(&actions);
  close(error_pipe[1]);
  if (!started) {
    close(error_pipe[0]);
    errno = failed;
    return false;
  }
  run->standard_error.clear();
  char buffer[4096];
  for (;;) {
    ssize_t n = read(error_pipe[0], buffer, sizeof buffer);
    if (n > 0) {
      run->standard_error.append(buffer, static_cast<size_t>(n));
    } else if (n == 0 || errno != EINTR) {
      break;
    }
  }
  close(error_pipe[0]);
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return false;
  }
  run->status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return true;
}

std::string OwnProgramPath() {
  char path[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", path, sizeof path);
  if (n <= 0 || static_cast<size_t>(n) >= sizeof path) return "";
  return std::string(path, static_cast<size_t>(n));
}

}  // namespace platform
