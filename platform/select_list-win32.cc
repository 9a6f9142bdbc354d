// The list as a window: the prompt, a list box, OK and Cancel; a double
// click on an entry is OK.  Where no window can be made the console
// answers.
#include <algorithm>

#include "platform/form_window.h"
#include "platform/select_list.h"
#include "platform/select_list_console.h"

namespace platform {

namespace {

// Dialog units.
constexpr int kWidth = 180, kMargin = 7, kButtonWidth = 50, kButtonHeight = 14;
constexpr int kListRows = 10, kRowHeight = 9;

Form ListForm(const ListRequest& r, int preselected) {
  Form form;
  form.title = r.caption;
  form.width = kWidth;
  int y = kMargin;
  FormControl prompt;
  prompt.kind = FormControlKind::kLabel;
  prompt.x = kMargin;
  prompt.y = y;
  prompt.width = kWidth - 2 * kMargin;
  prompt.height = 9;
  prompt.text = r.prompt;
  form.controls.push_back(prompt);
  y += 13;

  FormControl list;
  list.kind = FormControlKind::kList;
  list.x = kMargin;
  list.y = y;
  list.width = kWidth - 2 * kMargin;
  list.height = kListRows * kRowHeight + 4;
  list.entries = r.entries;
  list.state = preselected;
  form.controls.push_back(list);
  form.focus = 1;
  y += list.height + kMargin;

  FormControl ok;
  ok.kind = FormControlKind::kPush;
  ok.y = y;
  ok.width = kButtonWidth;
  ok.height = kButtonHeight;
  ok.text = r.ok_label;
  ok.default_button = true;
  FormControl cancel = ok;
  cancel.text = r.cancel_label;
  cancel.default_button = false;
  cancel.cancel = true;
  ok.x = kWidth / 2 - kButtonWidth - 3;
  cancel.x = kWidth / 2 + 3;
  form.controls.push_back(ok);
  form.controls.push_back(cancel);
  form.height = y + kButtonHeight + kMargin;
  return form;
}

}  // namespace

ListChoice SelectFromList(const ListRequest& r) {
  int preselected = r.preselected;
  if (preselected >= static_cast<int>(r.entries.size())) preselected = r.entries.empty() ? -1 : 0;
  Form form = ListForm(r, preselected);
  FormWindows windows;
  std::optional<FormAnswer> answer = windows.Show(0, form);
  if (!answer) return console::SelectFromList(r.caption, r.prompt, r.entries, preselected);
  windows.Close(0);
  if (answer->pressed != 2) return {false, -1};  // Cancel, the close box, Escape
  int chosen = answer->controls[1].state;
  return {true, chosen >= 0 && chosen < static_cast<int>(r.entries.size()) ? chosen : -1};
}

}  // namespace platform
