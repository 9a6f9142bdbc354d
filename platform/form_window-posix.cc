// No window system here: forms and choosers cannot be shown (the caller
// asks at the console); messages and questions are the console's.
#include "platform/form_window.h"

namespace platform {

struct FormWindows::Windows {};

FormWindows::FormWindows() = default;
FormWindows::~FormWindows() = default;

bool FormWindows::Available() { return false; }

std::optional<FormAnswer> FormWindows::Show(int, const Form&) { return std::nullopt; }

void FormWindows::Close(int) {}

void FormWindows::SetBusy(bool) {}

void FormWindows::Message(const std::string& caption, const std::string& text, Icon icon) {
  ShowMessage(caption, text, icon);
}

int FormWindows::Ask(const std::string& caption, const std::string& text, Icon icon,
                     Buttons buttons, int default_button) {
  return AskQuestion(caption, text, icon, buttons, default_button);
}

std::optional<std::string> FormWindows::ChooseFile(const FileChoice&, bool* shown) {
  if (shown) *shown = false;
  return std::nullopt;
}

std::optional<std::string> FormWindows::ChooseFolder(const std::string&, bool* shown) {
  if (shown) *shown = false;
  return std::nullopt;
}

std::optional<std::string> FormWindows::ChooseFolder(const std::string&, const std::string&,
                                                     bool* shown) {
  if (shown) *shown = false;
  return std::nullopt;
}

}  // namespace platform
