#include <windows.h>
#include <shellapi.h>

#include <vector>

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

}  // namespace platform
