// Post dialogs at a console.  At a terminal each page is a form: its
// texts and fields numbered, each with its prompt, value and its range or
// choices; the user picks a field by its number to change it, or a
// letter for Next, Back, OK, Cancel, Reset, Reset all or Save.  Without a
// terminal every page is taken as it is shown, as if OK had been pressed,
// so that batch runs go through; a page whose values fail their checks
// then cancels the dialog (the message says why).  Message boxes are the
// platform's; a file chooser asks for the path at a terminal and is
// cancelled without one.
#pragma once

#include <cstdio>
#include <string>

#include "tornel/dialogs/dialog_run.h"

namespace tornel {

class ConsoleScreen final : public DialogScreen {
 public:
  // `in` is read only when `interactive`; the form and the messages go to
  // `out`.
  ConsoleScreen(std::FILE* in, std::FILE* out, bool interactive)
      : in_(in), out_(out), interactive_(interactive) {}

  PageAnswer ShowPage(const DialogDef& d, int page, const std::vector<PageRange>& pages,
                      const std::vector<FieldState>& fields, const PageButtons& buttons,
                      int focus) override;
  void Message(const std::string& text, MessageIcon icon) override;
  void Notice(const std::string& caption, const std::string& text, platform::Icon icon) override;
  int Question(const std::string& caption, const std::string& text, platform::Icon icon,
               platform::Buttons buttons, int default_button) override;
  std::optional<std::string> Path(const PathRequest& request) override;

 private:
  bool ReadLine(std::string& line);
  void Edit(const DialogDef& d, int item, std::vector<FieldState>& fields);

  std::FILE* in_;
  std::FILE* out_;
  bool interactive_;
  bool failed_ = false;  // without a terminal: a check failed
};

// How a field reads on the form: "Program number (1 - 9999): 1000".
std::string FormLine(const DialogItem& item, const FieldState& f);

}  // namespace tornel
