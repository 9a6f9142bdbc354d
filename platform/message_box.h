// Modal message boxes.  On the console backend the caption and text go to
// standard error; a question takes its default unless standard input is a
// terminal.
#pragma once

#include <string>

namespace platform {

enum class Icon { kStop, kExclamation, kInformation, kQuestion };

// Shows `text` under `caption` and waits for OK.
void ShowMessage(const std::string& caption, const std::string& text, Icon icon);

// The button sets of a question.
enum class Buttons { kOk, kOkCancel, kRetryCancel, kYesNo, kYesNoCancel };

// Asks `text` under `caption` with the buttons of `buttons`, button
// `default_button` (0 the first) preselected; gives the number of the
// button pressed (0 the first).  On the console the question goes to
// standard error and is answered at the terminal when standard input is
// one; otherwise the default button is taken.
int AskQuestion(const std::string& caption, const std::string& text, Icon icon, Buttons buttons,
                int default_button);

// A warning the run goes on after: a message box with OK, and for a user at
// a console (on Windows when the process has one) "caption: text" on
// standard error, so that batch runs keep it in their log.
void ShowWarning(const std::string& caption, const std::string& text);

// The fatal report: exactly `text` and a line feed on standard error on the
// console; a message box (and the same line on standard error when the
// process has one) on Windows.
void ShowReport(const std::string& caption, const std::string& text, Icon icon);

// A hint for the user at a console after a report (how to call the
// program): `text` and a line feed on standard error, on Windows only when
// the process has one; never a message box.
void ShowConsoleHint(const std::string& text);

}  // namespace platform
