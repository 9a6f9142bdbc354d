#include "platform/terminal.h"

#include <windows.h>

namespace platform {

namespace {

constexpr int kDefaultColumns = 80;

// A console, not merely a character device: _isatty also says yes for NUL,
// which a batch run (or Wine's /dev/null) hands over as standard input.
bool IsConsole(DWORD which) {
  DWORD mode = 0;
  HANDLE h = GetStdHandle(which);
  return h != nullptr && h != INVALID_HANDLE_VALUE && GetConsoleMode(h, &mode) != 0;
}

}  // namespace

bool StdinIsTerminal() { return IsConsole(STD_INPUT_HANDLE); }
bool StderrIsTerminal() { return IsConsole(STD_ERROR_HANDLE); }

int StderrColumns() {
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (GetConsoleScreenBufferInfo(GetStdHandle(STD_ERROR_HANDLE), &info)) {
    int columns = info.srWindow.Right - info.srWindow.Left + 1;
    if (columns > 0) return columns;
  }
  return kDefaultColumns;
}

}  // namespace platform
