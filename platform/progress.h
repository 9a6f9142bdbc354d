// The progress display and the message pump.  On the console it is a
// one-line bar on standard error, redrawn in place when standard error is a
// terminal and silent otherwise; Ctrl-C, SIGTERM and SIGHUP (on Windows the
// console's Ctrl-C, Ctrl-Break and close events) are its Cancel button.
#pragma once

#include <string>

namespace platform {

struct ProgressWindow {
  std::string post_label = "Postprocessor:";
  std::string file_label = "Filename:";
  std::string cancel_label = "Cancel";
  std::string build_date;
  std::string post_name;
  std::string file_name;  // NC file name and extension, no directory
  int value = 0;          // 0..100
  int shown = -1;         // the value last drawn
  bool open = false;
  bool terminal = false;  // draw at all
};

// Shows the window and arms Cancel (the stop requests on the console).
void ProgressOpen(ProgressWindow& w);
// Removes the display; the stop requests end the process the usual way again.
void ProgressClose(ProgressWindow& w);
void ProgressSetValue(ProgressWindow& w, int value);

// Handles at most one pending window event: redraws the bar when its value
// changed.  Returns true when the user asked to cancel since the last call.
bool PumpMessages(ProgressWindow& w);

// The console's progress line for a terminal `columns` wide: post name,
// NC file name, bar and percentage, never wider than columns - 1 (a line
// that reaches the last column would wrap, and "\r" could no longer
// redraw it in place).  When it does not fit, the bar narrows first, then
// the post name and the file name lose their beginnings ("...posts/mill"),
// then the names go, and on the narrowest terminals only the percentage
// stays.
std::string ProgressLine(const ProgressWindow& w, int columns);

// What Ctrl-C does, for tests: marks a pending cancel request (the window
// must be open).
void RequestCancel();

}  // namespace platform
