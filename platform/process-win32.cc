#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "platform/process.h"

namespace platform {

bool RunProgram(const std::string& command_line, bool wait) {
  std::vector<char> cmd(command_line.begin(), command_line.end());
  cmd.push_back('\0');
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return false;
  if (wait) WaitForSingleObject(pi.hProcess, INFINITE);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return true;
}

bool StartProgram(const std::string& command_line) { return RunProgram(command_line, false); }

bool OpenWithDesktop(const std::string& path) {
  HINSTANCE r = ShellExecuteA(nullptr, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(r) > 32;
}

}  // namespace platform
