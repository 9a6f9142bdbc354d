// Windows built at run time from a list of controls (the pages of post
// dialogs), and the system's file and folder choosers.  Positions and
// sizes are in dialog units, so that a form looks the same at every font
// size.  Only the Windows backend has windows; elsewhere nothing can be
// shown and every call says so, and the caller asks at the console.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/message_box.h"

namespace platform {

enum class FormControlKind {
  kLabel,     // a static text
  kEdit,      // a one-line text field
  kShow,      // a text field that cannot be edited
  kChoice,    // a drop-down list
  kList,      // a list box (a double click presses the default button)
  kOption,    // an option button of a group
  kCheck,     // a check box
  kPush,      // a push button
  kCombo,     // a text field with a drop-down list to choose its text from
};

struct FormControl {
  FormControlKind kind = FormControlKind::kLabel;
  int x = 0, y = 0, width = 0, height = 0;
  std::string text;                  // the caption, or the field's text (a kLabel's may hold "\n")
  std::vector<std::string> entries;  // kChoice, kList, kCombo
  // kChoice, kList, kCombo: the chosen entry from 0 (-1 none; a kCombo then
  // starts with its text); kOption, kCheck: 1 when chosen or ticked.
  int state = 0;
  bool group = false;           // kOption: the first button of its group
  bool right = false;           // kLabel: aligned to the right
  bool default_button = false;  // kPush: Return presses it
  bool cancel = false;          // kPush: Escape and the close box press it
};

struct Form {
  std::string title;
  int width = 0, height = 0;  // the client area
  std::vector<FormControl> controls;
  int focus = -1;  // the control that gets the focus (its text selected)
};

struct FormAnswer {
  int pressed = -1;                   // the push button pressed
  std::vector<FormControl> controls;  // as the user left them
};

// One file type of a file chooser: the text shown and its patterns
// ("*.nc;*.tap").
struct FileFilter {
  std::string text;
  std::string patterns;
};

struct FileChoice {
  bool save = false;  // the save chooser, else the open one
  std::vector<FileFilter> filters;
  std::string folder;     // where it starts ("" the current folder)
  std::string name;       // the proposed file name
  std::string extension;  // added to a name typed without one
};

// The open form windows, the outermost first.  A form shown one level
// deeper than the innermost window opens a window of its own, owned by
// (and disabling) the one below it, as a modal dialog does; a form shown
// at an open level replaces that window's controls.
class FormWindows {
 public:
  FormWindows();
  ~FormWindows();
  FormWindows(const FormWindows&) = delete;
  FormWindows& operator=(const FormWindows&) = delete;

  // Whether this platform has windows to try.
  static bool Available();

  // Shows `form` at `level` (0 the outermost) and waits until one of its
  // push buttons is pressed; nullopt when no window can be made.
  std::optional<FormAnswer> Show(int level, const Form& form);
  // Closes the window at `level` and every one above it.
  void Close(int level);

  // A message box and a question (the number of the button pressed, 0
  // the first) owned by the innermost window.
  void Message(const std::string& caption, const std::string& text, Icon icon);
  int Ask(const std::string& caption, const std::string& text, Icon icon, Buttons buttons,
          int default_button);

  // The file chooser and the folder chooser: the full path chosen,
  // nullopt when cancelled or when no chooser can be shown (`shown`
  // tells which).  The current directory is the same afterwards.
  std::optional<std::string> ChooseFile(const FileChoice& choice, bool* shown);
  std::optional<std::string> ChooseFolder(const std::string& title, bool* shown);
  // The same with folder `start` shown and selected at first.
  std::optional<std::string> ChooseFolder(const std::string& title, const std::string& start,
                                          bool* shown);

  // While busy the innermost window takes no input and shows the wait
  // cursor; it is still painted when its messages are dispatched.
  void SetBusy(bool busy);

 private:
  struct Windows;
  std::unique_ptr<Windows> windows_;
};

}  // namespace platform
