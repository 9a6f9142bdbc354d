// The progress window: a modeless dialog made at run time, 190 x 117
// dialog units, with the product name, the build date, the post, the NC
// file, a bar, the percentage and Cancel.  A 10 ms timer moves the bar
// when the value changed; the run pumps the window's messages between its
// lines.  Where no window can be made (Wine without a display, a service)
// the console's line stands in for it.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <string>

#include "platform/dialog_template-win32.h"
#include "platform/progress-win32.h"
#include "platform/progress.h"
#include "platform/progress_console.h"
#include "platform/stop_requests.h"

namespace platform {

namespace {

constexpr const char* kCaption = "Tornel";
constexpr const char* kProductName = "Tornel";
// Marks our window among the thread's windows.
constexpr const char* kWindowProperty = "Tornel.Progress";
constexpr UINT_PTR kTimer = 1;
constexpr UINT kTimerMs = 10;
// Between two looks at the message queue at least this long passes: a
// look asks the window system, and the run pumps at every line.
constexpr ULONGLONG kPumpIntervalMs = 5;

enum : WORD {
  kIdProduct = 100,
  kIdDate,
  kIdPostLabel,
  kIdPost,
  kIdFileLabel,
  kIdFile,
  kIdBar,
  kIdPercent,
};

struct Window {
  HWND dialog = nullptr;
  ProgressWindow* w = nullptr;
  bool cancel = false;
  bool closed = false;
  ULONGLONG last_pump = 0;
};

void ShowValue(Window& win) {
  ProgressWindow& w = *win.w;
  if (w.value == w.shown) return;
  char text[16];
  std::snprintf(text, sizeof text, "%d%%", w.value);
  SetDlgItemTextA(win.dialog, kIdPercent, text);
  SendDlgItemMessageA(win.dialog, kIdBar, PBM_SETPOS, static_cast<WPARAM>(w.value), 0);
  w.shown = w.value;
}

INT_PTR CALLBACK ProgressProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  Window* win = reinterpret_cast<Window*>(GetWindowLongPtrA(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(dialog, DWLP_USER, lparam);
      SetPropA(dialog, kWindowProperty, reinterpret_cast<HANDLE>(lparam));
      SendDlgItemMessageA(dialog, kIdBar, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
      SetTimer(dialog, kTimer, kTimerMs, nullptr);
      return TRUE;  // the focus on the first control that takes it: Cancel
    case WM_TIMER:
      if (win && wparam == kTimer) ShowValue(*win);
      return TRUE;
    case WM_COMMAND:
      if (win && LOWORD(wparam) == IDCANCEL && HIWORD(wparam) == BN_CLICKED) {
        win->cancel = true;
        return TRUE;
      }
      return FALSE;
    case WM_CLOSE:  // the system menu, Alt+F4, the close box
      if (win) win->closed = true;
      return TRUE;
    case WM_DESTROY:
      KillTimer(dialog, kTimer);
      RemovePropA(dialog, kWindowProperty);
      return FALSE;
    default:
      return FALSE;
  }
}

DialogTemplate Build(const ProgressWindow& w) {
  constexpr DWORD kLabel = WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX;
  constexpr DWORD kCentred = WS_CHILD | WS_VISIBLE | SS_CENTER | SS_NOPREFIX;
  DialogTemplate t;
  t.Begin(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME | DS_CENTER |
              DS_3DLOOK,
          9, 190, 117, kCaption);
  t.Item(kCentred, 7, 8, 176, 10, kIdProduct, kStaticClass, kProductName);
  t.Item(kCentred, 7, 19, 176, 9, kIdDate, kStaticClass, w.build_date);
  t.Item(kLabel, 10, 36, 58, 9, kIdPostLabel, kStaticClass, w.post_label);
  t.Item(kLabel, 70, 36, 113, 9, kIdPost, kStaticClass, w.post_name);
  t.Item(kLabel, 10, 48, 58, 9, kIdFileLabel, kStaticClass, w.file_label);
  t.Item(kLabel, 70, 48, 113, 9, kIdFile, kStaticClass, w.file_name);
  t.Item(WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 63, 170, 10, kIdBar, PROGRESS_CLASSA, "");
  t.Item(kCentred, 10, 76, 170, 9, kIdPercent, kStaticClass, "0%");
  t.Item(WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 70, 94, 50, 14, IDCANCEL,
         kButtonClass, w.cancel_label);
  return t;
}

Window* Of(ProgressWindow& w) { return static_cast<Window*>(w.window); }

BOOL CALLBACK FindOurs(HWND hwnd, LPARAM found) {
  if (!GetPropA(hwnd, kWindowProperty)) return TRUE;
  *reinterpret_cast<HWND*>(found) = hwnd;
  return FALSE;
}

}  // namespace

HWND OpenProgressWindow() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindOurs, reinterpret_cast<LPARAM>(&found));
  return found;
}

void ProgressOpen(ProgressWindow& w) {
  if (w.open) return;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  auto* win = new Window;
  win->w = &w;
  DialogTemplate t = Build(w);
  win->dialog = CreateDialogIndirectParamW(GetModuleHandleA(nullptr), t.Get(), nullptr,
                                           ProgressProc, reinterpret_cast<LPARAM>(win));
  if (!win->dialog) {
    delete win;
    console::ProgressOpen(w);
    return;
  }
  ArmStopRequests();  // a console the program was started from still stops it
  w.window = win;
  w.open = true;
  w.shown = -1;
  ShowWindow(win->dialog, SW_SHOWNORMAL);
  UpdateWindow(win->dialog);
  ShowValue(*win);
}

void ProgressClose(ProgressWindow& w) {
  Window* win = Of(w);
  if (!win) {
    console::ProgressClose(w);
    return;
  }
  DisarmStopRequests();
  SetWindowLongPtrA(win->dialog, DWLP_USER, 0);
  DestroyWindow(win->dialog);
  delete win;
  w.window = nullptr;
  w.open = false;
}

void ProgressShowTexts(ProgressWindow& w) {
  Window* win = Of(w);
  if (!win) return;
  SetDlgItemTextA(win->dialog, kIdPostLabel, w.post_label.c_str());
  SetDlgItemTextA(win->dialog, kIdPost, w.post_name.c_str());
  SetDlgItemTextA(win->dialog, kIdFileLabel, w.file_label.c_str());
  SetDlgItemTextA(win->dialog, kIdFile, w.file_name.c_str());
  SetDlgItemTextA(win->dialog, IDCANCEL, w.cancel_label.c_str());
}

PumpResult PumpMessages(ProgressWindow& w) {
  Window* win = Of(w);
  if (!win) return console::PumpMessages(w);
  if (TakeStopRequest()) return PumpResult::kCancel;
  ULONGLONG now = GetTickCount64();
  if (now - win->last_pump < kPumpIntervalMs && !win->cancel && !win->closed)
    return PumpResult::kNone;
  win->last_pump = now;
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // Asked to quit from outside: as the close box.
      win->closed = true;
      break;
    }
    if (!IsDialogMessageA(win->dialog, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  if (win->cancel) {
    win->cancel = false;
    return PumpResult::kCancel;
  }
  if (win->closed) {
    win->closed = false;
    return PumpResult::kClosed;
  }
  return PumpResult::kNone;
}

}  // namespace platform
