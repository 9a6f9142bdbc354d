// Running a post dialog: its pages one after the other on a screen (the
// backend), the fields shown from their variables, checked and written
// back when the user leaves a page forward, Back, Reset, Reset all, save
// and the buttons that call post functions.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/form_window.h"
#include "platform/message_box.h"
#include "tornel/base/language_file.h"
#include "tornel/dialogs/dialog_def.h"
#include "tornel/sysvars/value_tables.h"

namespace tornel {

// A field as the screen shows and edits it: the text of an input field or
// of a shown value, the chosen entry of a choice list (from 1, 0 none), a
// check box's state, the chosen button of an option group.
struct FieldState {
  std::string text;
  int choice = 0;
};

enum class DialogAction { kNext, kBack, kCancel, kReset, kResetAll, kSave, kButton };

// What the user did on a page, with the fields as they left them (one per
// item of the dialog; only the page's count).
struct PageAnswer {
  DialogAction action = DialogAction::kNext;
  int item = -1;  // kButton: the button's item
  std::vector<FieldState> fields;
};

// The buttons a page shows, with their captions (the language file may
// replace them).
struct PageButtons {
  bool back = false;
  bool next = false;  // "Next >" (else the page ends with OK)
  bool ok = false;
  bool reset = false;
  bool reset_all = false;
  bool save = false;
  std::string back_text, next_text, ok_text, cancel_text, reset_text, reset_all_text, save_text;
};

inline constexpr int kLangOk = 4;
inline constexpr int kLangCancel = 5;
inline constexpr int kLangSaveSettings = 6;
inline constexpr int kLangBack = 7;
inline constexpr int kLangNext = 8;
inline constexpr int kLangReset = 29;
inline constexpr int kLangResetAll = 30;

enum class MessageIcon { kExclamation, kInformation };

// What a file or folder chooser is asked for; `caption` names it at the
// console (the procedure, or the folder chooser's title).
struct PathRequest {
  bool folder = false;
  std::string caption;
  platform::FileChoice file;
};

class DialogScreen {
 public:
  virtual ~DialogScreen() = default;
  // Shows page `page` (of `pages`) with the fields `fields` (one per item of
  // the dialog), `focus` the item whose text is selected (-1 none), and
  // waits for the user.
  virtual PageAnswer ShowPage(const DialogDef& d, int page, const std::vector<PageRange>& pages,
                              const std::vector<FieldState>& fields, const PageButtons& buttons,
                              int focus) = 0;
  // The dialog `d` has closed (after its last page, or when it ends
  // otherwise).
  virtual void Closed(const DialogDef& d) { (void)d; }
  // A check's message (exclamation mark) or "Values saved permanently."
  virtual void Message(const std::string& text, MessageIcon icon) = 0;

  // The system dialogs: a message box with OK; a question, giving the
  // number of the button pressed (0 the first); a file or folder chooser
  // (nullopt: cancelled).
  virtual void Notice(const std::string& caption, const std::string& text, platform::Icon icon) = 0;
  virtual int Question(const std::string& caption, const std::string& text, platform::Icon icon,
                       platform::Buttons buttons, int default_button) = 0;
  virtual std::optional<std::string> Path(const PathRequest& request) = 0;
};

// What a dialog's buttons reach outside it.
struct DialogHost {
  ValueTables& values;
  const LanguageTable& lang;
  std::function<void(int label)> call;           // a button's post function
  std::function<void(bool all, const DialogDef&)> reset;  // Reset (false) or Reset all
};

struct DialogResult {
  bool cancelled = false;
  bool back = false;  // left by Back on its first page
  bool save = false;  // the save button was used
};

DialogResult RunDialog(const DialogDef& d, DialogScreen& screen, DialogHost& host);

// The field of `item` from its variable, and the variable from the field.
FieldState FieldFromVariable(const DialogItem& item, const ValueTables& v);
void StoreField(const DialogItem& item, const FieldState& f, ValueTables& v);

}  // namespace tornel
