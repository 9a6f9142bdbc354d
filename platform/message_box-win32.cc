#include <windows.h>

#include <cstdio>

#include "platform/message_box-win32.h"
#include "platform/progress-win32.h"

namespace platform {

UINT IconFlags(Icon icon) {
  switch (icon) {
    case Icon::kStop: return MB_ICONSTOP;
    case Icon::kExclamation: return MB_ICONEXCLAMATION;
    case Icon::kInformation: return MB_ICONINFORMATION;
    case Icon::kQuestion: return MB_ICONQUESTION;
  }
  return 0;
}

namespace {

// Started from a console or a batch file, the text also reaches the log.
void EchoToStderr(const std::string& text) {
  HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
  if (err == nullptr || err == INVALID_HANDLE_VALUE) return;
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fputc('\n', stderr);
  std::fflush(stderr);
}

}  // namespace

// Boxes belong to the progress window while it is open.
void ShowMessage(const std::string& caption, const std::string& text, Icon icon) {
  HWND owner = OpenProgressWindow();
  MessageBoxA(owner, text.c_str(), caption.c_str(),
              MB_OK | (owner ? 0 : MB_TASKMODAL) | IconFlags(icon));
}

int AskOwned(HWND owner, const std::string& caption, const std::string& text, Icon icon,
             Buttons buttons, int default_button) {
  static constexpr UINT kSets[] = {MB_OK, MB_OKCANCEL, MB_RETRYCANCEL, MB_YESNO, MB_YESNOCANCEL};
  static constexpr UINT kDefaults[] = {MB_DEFBUTTON1, MB_DEFBUTTON2, MB_DEFBUTTON3};
  UINT flags = kSets[static_cast<int>(buttons)] |
               kDefaults[default_button < 0 || default_button > 2 ? 0 : default_button] |
               (owner ? 0 : MB_TASKMODAL) | IconFlags(icon);
  switch (MessageBoxA(owner, text.c_str(), caption.c_str(), flags)) {
    case IDOK:
    case IDRETRY:
    case IDYES:
      return 0;
    case IDNO:
      return 1;
    case IDCANCEL:
      return buttons == Buttons::kYesNoCancel ? 2 : buttons == Buttons::kOk ? 0 : 1;
    default:
      return default_button;  // no box could be shown
  }
}

int AskQuestion(const std::string& caption, const std::string& text, Icon icon, Buttons buttons,
                int default_button) {
  return AskOwned(OpenProgressWindow(), caption, text, icon, buttons, default_button);
}

void ShowWarning(const std::string& caption, const std::string& text) {
  EchoToStderr(caption + ": " + text);
  ShowMessage(caption, text, Icon::kExclamation);
}

void ShowReport(const std::string& caption, const std::string& text, Icon icon) {
  EchoToStderr(text);
  ShowMessage(caption, text, icon);
}

void ShowConsoleHint(const std::string& text) { EchoToStderr(text); }

}  // namespace platform
