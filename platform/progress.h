// The progress display and the message pump.  On Windows it is a small
// modeless window with the post, the NC file, a bar, the percentage and
// Cancel; where no window can be made (and on every other system) it is a
// one-line bar on standard error, redrawn in place when standard error is
// a terminal and silent otherwise.  Ctrl-C, SIGTERM and SIGHUP (on Windows
// the console's Ctrl-C, Ctrl-Break and close events) are Cancel too.
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
  void* window = nullptr;  // the window, when there is one (its backend's)
};

// What the user did since the last pump.
enum class PumpResult {
  kNone,
  kCancel,  // Cancel (or a stop request): the NC file is not delivered
  kClosed,  // the window closed by its system menu: the run ends, the NC
            // file written so far is delivered
};

// Shows the window and arms Cancel (the stop requests on the console).
void ProgressOpen(ProgressWindow& w);
// Removes the display; the stop requests end the process the usual way again.
void ProgressClose(ProgressWindow& w);
void ProgressSetValue(ProgressWindow& w, int value);
// Shows the labels, the post name and the file name as they are now.
void ProgressShowTexts(ProgressWindow& w);

// Handles the pending window events (the bar follows the value).  Called
// for every line read or written, so it must cost next to nothing when
// nothing happened.
PumpResult PumpMessages(ProgressWindow& w);

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
