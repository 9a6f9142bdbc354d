// Post dialogs as windows: each page a form window laid out from its
// items, a child dialog a window owned by its parent's, check messages
// and questions message boxes owned by the dialog on top, and the
// system's file and folder choosers.  Where no window can be made (Wine
// without a display, a service) the dialogs go to the console screen
// given, from the first page that could not be shown on.
#pragma once

#include <memory>
#include <vector>

#include "platform/form_window.h"
#include "tornel/dialogs/dialog_run.h"

namespace tornel {

class WindowScreen final : public DialogScreen {
 public:
  explicit WindowScreen(std::unique_ptr<DialogScreen> console) : console_(std::move(console)) {}

  PageAnswer ShowPage(const DialogDef& d, int page, const std::vector<PageRange>& pages,
                      const std::vector<FieldState>& fields, const PageButtons& buttons,
                      int focus) override;
  void Closed(const DialogDef& d) override;
  void Message(const std::string& text, MessageIcon icon) override;
  void Notice(const std::string& caption, const std::string& text, platform::Icon icon) override;
  int Question(const std::string& caption, const std::string& text, platform::Icon icon,
               platform::Buttons buttons, int default_button) override;
  std::optional<std::string> Path(const PathRequest& request) override;

 private:
  platform::FormWindows windows_;
  std::unique_ptr<DialogScreen> console_;
  bool at_console_ = false;          // no window could be made
  std::vector<const DialogDef*> shown_;  // the dialogs in windows, outermost first
};

}  // namespace tornel
