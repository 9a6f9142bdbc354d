#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "platform/paths.h"
#include "platform/process.h"

namespace platform {

namespace {

bool Create(const std::string& command_line, PROCESS_INFORMATION& pi) {
  std::vector<char> cmd(command_line.begin(), command_line.end());
  cmd.push_back('\0');
  STARTUPINFOA si{};
  si.cb = sizeof si;
  pi = PROCESS_INFORMATION{};
  return CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi) != 0;
}

void Release(PROCESS_INFORMATION& pi) {
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
}

}  // namespace

bool RunProgram(const std::string& command_line, bool wait) {
  PROCESS_INFORMATION pi;
  if (!Create(command_line, pi)) return false;
  if (wait) WaitForSingleObject(pi.hProcess, INFINITE);
  Release(pi);
  return true;
}

bool RunProgramKeepingWindows(const std::string& command_line) {
  PROCESS_INFORMATION pi;
  if (!Create(command_line, pi)) return false;
  bool quit = false;
  WPARAM quit_code = 0;
  while (!quit) {
    DWORD r = MsgWaitForMultipleObjects(1, &pi.hProcess, FALSE, INFINITE, QS_ALLINPUT);
    if (r != WAIT_OBJECT_0 + 1) break;  // ended (or the wait failed)
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        // Kept for the caller's own loop once the program has ended.
        quit = true;
        quit_code = msg.wParam;
        break;
      }
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  WaitForSingleObject(pi.hProcess, INFINITE);
  Release(pi);
  if (quit) PostQuitMessage(static_cast<int>(quit_code));
  return true;
}

bool StartProgram(const std::string& command_line) { return RunProgram(command_line, false); }

bool OpenWithDesktop(const std::string& path) {
  HINSTANCE r = ShellExecuteA(nullptr, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(r) > 32;
}

bool RunCapturingErrors(const std::vector<std::string>& words, const std::string& folder,
                        CapturedRun* run) {
  if (words.empty() || words[0].empty()) return false;
  SECURITY_ATTRIBUTES inherit{};
  inherit.nLength = sizeof inherit;
  inherit.bInheritHandle = TRUE;
  HANDLE null_device = CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING,
                                   0, nullptr);
  if (null_device == INVALID_HANDLE_VALUE) return false;
  HANDLE read_end = nullptr, write_end = nullptr;
  if (!CreatePipe(&read_end, &write_end, &inherit, 0)) {
    CloseHandle(null_device);
    return false;
  }
  // Only the child's end is inherited, so the pipe ends when the child does.
  SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);
  std::string line = JoinCommandLine(words);
  std::vector<char> cmd(line.begin(), line.end());
  cmd.push_back('\0');
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = null_device;
  si.hStdOutput = null_device;
  si.hStdError = write_end;
  PROCESS_INFORMATION pi{};
  std::string native_folder = NativePath(folder);
  bool started = CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                native_folder.c_str(), &si, &pi) != 0;
  CloseHandle(write_end);
  CloseHandle(null_device);
  if (!started) {
    CloseHandle(read_end);
    return false;
  }
  run->standard_error.clear();
  char buffer[4096];
  DWORD n = 0;
  while (ReadFile(read_end, buffer, sizeof buffer, &n, nullptr) && n > 0)
    run->standard_error.append(buffer, n);
  CloseHandle(read_end);
  WaitForSingleObject(pi.hProcess, INFINITE);
  DWORD code = 0;
  bool ended = GetExitCodeProcess(pi.hProcess, &code) != 0;
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  run->status = static_cast<int>(code);
  return ended;
}

std::string OwnProgramPath() {
  std::vector<char> path(MAX_PATH);
  for (;;) {
    DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return "";
    if (n < path.size()) return std::string(path.data(), n);
    path.resize(path.size() * 2);
  }
}

}  // namespace platform
