#include <algorithm>
#include <csignal>
#include <cstdio>
#include <string>

#include "platform/progress.h"
#include "platform/terminal.h"

namespace platform {

namespace {

// Written by the signal handler, read by the pump: the one place where a
// signal meets the program, so it has to be a file-level flag.
volatile std::sig_atomic_t g_cancel_requested = 0;

extern "C" void OnInterrupt(int) { g_cancel_requested = 1; }

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
    std::fprintf(stderr, "\r%s\r", Blanks(StderrColumns()).c_str());
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
