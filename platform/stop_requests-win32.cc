#include <windows.h>

#include <atomic>

#include "platform/stop_requests.h"

namespace platform {

namespace {

// Set by the console handler, which Windows runs on a thread of its own,
// and read by the pump on the main thread.
std::atomic<bool> g_stop_requested{false};
std::atomic<bool> g_armed{false};
// Signalled when the end-of-run steps are done; a close, logoff or
// shutdown event waits for it, since Windows ends the process as soon as
// the handler returns from one of those.
HANDLE g_run_done = nullptr;

constexpr DWORD kStopEvents[] = {CTRL_C_EVENT, CTRL_BREAK_EVENT, CTRL_CLOSE_EVENT,
                                 CTRL_LOGOFF_EVENT, CTRL_SHUTDOWN_EVENT};

BOOL WINAPI OnConsoleEvent(DWORD event) {
  bool known = false;
  for (DWORD e : kStopEvents) known = known || e == event;
  if (!known || !g_armed) return FALSE;
  // Ctrl-C again before the first request was seen: the system's own
  // handler ends the process (the NC file under its own name is never
  // touched before delivery, so nothing of the user's is half written).
  if ((event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) && g_stop_requested) return FALSE;
  g_stop_requested = true;
  if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT) {
    // The system allows a few seconds; the pump ends the run meanwhile.
    if (g_run_done) WaitForSingleObject(g_run_done, INFINITE);
  }
  return TRUE;
}

}  // namespace

void ArmStopRequests() {
  g_stop_requested = false;
  if (!g_run_done) g_run_done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  if (g_run_done) ResetEvent(g_run_done);
  g_armed = true;
  SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

void DisarmStopRequests() {
  if (!g_armed) return;
  g_armed = false;
  g_stop_requested = false;
  SetConsoleCtrlHandler(OnConsoleEvent, FALSE);
  if (g_run_done) SetEvent(g_run_done);
}

bool TakeStopRequest() { return g_stop_requested.exchange(false); }

bool HandleStopEvent(int event) { return OnConsoleEvent(static_cast<DWORD>(event)) != FALSE; }

std::vector<int> StopEvents() {
  std::vector<int> events;
  for (DWORD e : kStopEvents) events.push_back(static_cast<int>(e));
  return events;
}

}  // namespace platform
