#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/progress_console.h"
#include "platform/stop_requests.h"
#include "platform/terminal.h"

namespace platform {

namespace {

// Blanks over the whole line: clears what a longer line left behind
// without escape sequences, which not every console understands.
std::string Blanks(int columns) {
  return std::string(static_cast<size_t>(std::max(columns - 1, 0)), ' ');
}

void Draw(ProgressWindow& w) {
  int columns = StderrColumns();
  std::string line = ProgressLine(w, columns);
  std::string pad = Blanks(columns);
  if (line.size() < pad.size()) line += pad.substr(line.size());
  std::fprintf(stderr, "\r%s", line.c_str());
  std::fflush(stderr);
  w.shown = w.value;
}

}  // namespace

namespace console {

void ProgressOpen(ProgressWindow& w) {
  ArmStopRequests();
  w.open = true;
  w.terminal = StderrIsTerminal();
}

void ProgressClose(ProgressWindow& w) {
  if (!w.open) return;
  DisarmStopRequests();
  if (w.terminal && w.shown >= 0) {
    std::fprintf(stderr, "\r%s\r", Blanks(StderrColumns()).c_str());
    std::fflush(stderr);
  }
  w.open = false;
}

PumpResult PumpMessages(ProgressWindow& w) {
  if (w.open && w.terminal && w.value != w.shown) Draw(w);
  return TakeStopRequest() ? PumpResult::kCancel : PumpResult::kNone;
}

}  // namespace console

void ProgressSetValue(ProgressWindow& w, int value) {
  w.value = value < 0 ? 0 : value > 100 ? 100 : value;
}

void RequestCancel() { HandleStopEvent(StopEvents().front()); }

}  // namespace platform
