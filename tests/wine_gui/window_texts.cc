// Prints what a user sees in the visible top-level windows whose title is
// exactly argv[1]: the title, the owner's title, and each control's class
// and text (a progress bar its position), one per line.  The tests of real
// windows read it, since xdotool sees windows but not their texts.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <string>

namespace {

std::string TextOf(HWND h) {
  char buffer[512] = {};
  // Between processes WM_GETTEXT is marshalled; GetWindowText would not
  // ask another process's controls.
  SendMessageTimeoutA(h, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer),
                      SMTO_ABORTIFHUNG, 2000, nullptr);
  return buffer;
}

std::string ClassOf(HWND h) {
  char buffer[128] = {};
  GetClassNameA(h, buffer, sizeof buffer);
  return buffer;
}

BOOL CALLBACK PrintChild(HWND child, LPARAM) {
  std::string cls = ClassOf(child);
  if (cls == PROGRESS_CLASSA) {
    DWORD_PTR pos = 0;
    SendMessageTimeoutA(child, PBM_GETPOS, 0, 0, SMTO_ABORTIFHUNG, 2000, &pos);
    std::printf("  %s|%d\n", cls.c_str(), static_cast<int>(pos));
  } else {
    std::printf("  %s|%s|%s\n", cls.c_str(), TextOf(child).c_str(),
                IsWindowEnabled(child) ? "enabled" : "disabled");
  }
  return TRUE;
}

BOOL CALLBACK PrintWindow(HWND w, LPARAM title) {
  if (!IsWindowVisible(w) || TextOf(w) != reinterpret_cast<const char*>(title)) return TRUE;
  HWND owner = GetWindow(w, GW_OWNER);
  RECT r{};
  GetWindowRect(w, &r);
  std::printf("window|%s|owner|%s|%s|%ldx%ld\n", TextOf(w).c_str(),
              owner ? TextOf(owner).c_str() : "", IsWindowEnabled(w) ? "enabled" : "disabled",
              r.right - r.left, r.bottom - r.top);
  EnumChildWindows(w, PrintChild, 0);
  return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: window_texts TITLE\n");
    return 2;
  }
  EnumWindows(PrintWindow, reinterpret_cast<LPARAM>(argv[1]));
  return 0;
}
