#include <cstdio>

#include "platform/progress.h"
#include "platform/stop_requests.h"
#include "platform/terminal.h"

namespace platform {

namespace {

void Draw(ProgressWindow& w) {
  constexpr int kWidth = 30;
  int filled = w.value * kWidth / 100;
  std::string bar(static_cast<size_t>(filled), '#');
  bar.append(static_cast<size_t>(kWidth - filled), '.');
  std::fprintf(stderr, "\r%s %s  [%s] %3d%%", w.post_name.c_str(), w.file_name.c_str(), bar.c_str(),
               w.value);
  std::fflush(stderr);
  w.shown = w.value;
}

}  // namespace

void ProgressOpen(ProgressWindow& w) {
  ArmStopRequests();
  w.open = true;
  w.terminal = StderrIsTerminal();
}

void ProgressClose(ProgressWindow& w) {
  if (!w.open) return;
  DisarmStopRequests();
  if (w.terminal && w.shown >= 0) {
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
  }
  w.open = false;
}

void ProgressSetValue(ProgressWindow& w, int value) {
  w.value = value < 0 ? 0 : value > 100 ? 100 : value;
}

bool PumpMessages(ProgressWindow& w) {
  if (w.open && w.terminal && w.value != w.shown) Draw(w);
  return TakeStopRequest();
}

void RequestCancel() { HandleStopEvent(StopEvents().front()); }

}  // namespace platform
