#include <signal.h>

#include <iterator>

#include "platform/stop_requests.h"

namespace platform {

namespace {

// Written by the signal handler, read by the pump: the one place where a
// signal meets the program, so it has to be a file-level flag.
volatile sig_atomic_t g_stop_requested = 0;
volatile sig_atomic_t g_armed = 0;

constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};
constexpr int kSignalCount = 3;
// Which signals were ignored when the program started (nohup, a background
// job of a shell): those stay ignored, as a Unix program is expected to do.
volatile sig_atomic_t g_ignored[kSignalCount] = {};

void SetAction(int sig, void (*handler)(int)) {
  struct sigaction sa {};
  sa.sa_handler = handler;
  sigemptyset(&sa.sa_mask);
  // No SA_RESTART: a terminal prompt blocked in read() returns, so a
  // request is seen there too.
  sa.sa_flags = 0;
  sigaction(sig, &sa, nullptr);
}

extern "C" void OnStopSignal(int sig) {
  if (g_stop_requested) {
    // Asked again before the first request was seen: end the way the
    // system would have (the NC file under its own name is never touched
    // before delivery, so nothing of the user's is half written).
    SetAction(sig, SIG_DFL);
    raise(sig);
    return;
  }
  g_stop_requested = 1;
}

}  // namespace

void ArmStopRequests() {
  g_stop_requested = 0;
  for (int i = 0; i < kSignalCount; ++i) {
    struct sigaction old {};
    if (!g_armed) {
      sigaction(kStopSignals[i], nullptr, &old);
      g_ignored[i] = old.sa_handler == SIG_IGN;
    }
    if (!g_ignored[i]) SetAction(kStopSignals[i], OnStopSignal);
  }
  g_armed = 1;
}

void DisarmStopRequests() {
  if (!g_armed) return;
  for (int i = 0; i < kSignalCount; ++i)
    if (!g_ignored[i]) SetAction(kStopSignals[i], SIG_DFL);
  g_armed = 0;
  g_stop_requested = 0;
}

bool TakeStopRequest() {
  if (!g_stop_requested) return false;
  g_stop_requested = 0;
  return true;
}

bool HandleStopEvent(int event) {
  for (int sig : kStopSignals)
    if (sig == event) {
      OnStopSignal(event);
      return true;
    }
  return false;
}

std::vector<int> StopEvents() { return {std::begin(kStopSignals), std::end(kStopSignals)}; }

}  // namespace platform
