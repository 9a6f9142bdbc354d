#include "tornel/dialogs/window_screen.h"

#include <algorithm>

#include "tornel/dialogs/window_layout.h"

namespace tornel {

PageAnswer WindowScreen::ShowPage(const DialogDef& d, int page,
                                  const std::vector<PageRange>& pages,
                                  const std::vector<FieldState>& fields,
                                  const PageButtons& buttons, int focus) {
  if (!at_console_) {
    auto at = std::find(shown_.begin(), shown_.end(), &d);
    int level = static_cast<int>(at - shown_.begin());
    if (at == shown_.end()) shown_.push_back(&d);
    PageForm form = LayoutPage(d, page, pages, fields, buttons, focus);
    std::optional<platform::FormAnswer> answer = windows_.Show(level, form.form);
    if (answer) return AnswerOf(d, form, *answer, fields);
    at_console_ = true;
    windows_.Close(0);
    shown_.clear();
  }
  return console_->ShowPage(d, page, pages, fields, buttons, focus);
}

void WindowScreen::Closed(const DialogDef& d) {
  auto at = std::find(shown_.begin(), shown_.end(), &d);
  if (at != shown_.end()) {
    windows_.Close(static_cast<int>(at - shown_.begin()));
    shown_.erase(at, shown_.end());
  }
  console_->Closed(d);
}

void WindowScreen::Message(const std::string& text, MessageIcon icon) {
  if (at_console_ || shown_.empty()) return console_->Message(text, icon);
  windows_.Message(shown_.back()->title, text,
                   icon == MessageIcon::kExclamation ? platform::Icon::kExclamation
                                                     : platform::Icon::kInformation);
}

void WindowScreen::Notice(const std::string& caption, const std::string& text,
                          platform::Icon icon) {
  if (at_console_) return console_->Notice(caption, text, icon);
  windows_.Message(caption, text, icon);
}

int WindowScreen::Question(const std::string& caption, const std::string& text,
                           platform::Icon icon, platform::Buttons buttons, int default_button) {
  if (at_console_) return console_->Question(caption, text, icon, buttons, default_button);
  return windows_.Ask(caption, text, icon, buttons, default_button);
}

std::optional<std::string> WindowScreen::Path(const PathRequest& request) {
  if (!at_console_) {
    bool shown = false;
    std::optional<std::string> path = request.folder
                                          ? windows_.ChooseFolder(request.caption, &shown)
                                          : windows_.ChooseFile(request.file, &shown);
    if (shown) return path;
  }
  return console_->Path(request);
}

}  // namespace tornel
