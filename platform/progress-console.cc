#include <csignal>
#include <cstdio>

#include "platform/progress.h"
#include "platform/terminal.h"

namespace platform {

namespace {

// Written by the signal handler, read by the pump: the one place where a
// signal meets the program, so it has to be a file-level flag.
volatile std::sig_atomic_t g_cancel_requested = 0;

extern "C" void OnInterrupt(int) { g_cancel_requested = 1; }

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
  g_cancel_requested = 0;
  std::signal(SIGINT, OnInterrupt);
  w.open = true;
  w.terminal = StderrIsTerminal();
}

void ProgressClose(ProgressWindow& w) {
  if (!w.open) return;
  std::signal(SIGINT, SIG_DFL);
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
  if (g_cancel_requested) {
    g_cancel_requested = 0;
    return true;
  }
  return false;
}

void RequestCancel() { std::raise(SIGINT); }

}  // namespace platform
