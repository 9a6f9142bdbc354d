#include "platform/stop_requests.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <thread>

namespace platform {
namespace {

TEST(StopRequests, ConsoleEventsOnlyRaiseTheFlagWhileArmed) {
  DisarmStopRequests();
  EXPECT_FALSE(HandleStopEvent(CTRL_C_EVENT));  // not armed: the system's way
  ArmStopRequests();
  for (DWORD e : {CTRL_C_EVENT, CTRL_BREAK_EVENT}) {
    EXPECT_TRUE(HandleStopEvent(static_cast<int>(e))) << e;
    EXPECT_TRUE(TakeStopRequest()) << e;
    EXPECT_FALSE(TakeStopRequest()) << e;
  }
  // Ctrl-C again before the first was seen goes to the system's handler.
  EXPECT_TRUE(HandleStopEvent(CTRL_C_EVENT));
  EXPECT_FALSE(HandleStopEvent(CTRL_C_EVENT));
  EXPECT_TRUE(TakeStopRequest());
  EXPECT_FALSE(HandleStopEvent(12345));
  EXPECT_EQ(StopEvents().size(), 5u);
  DisarmStopRequests();
}

TEST(StopRequests, CloseEventWaitsForTheEndOfTheRun) {
  ArmStopRequests();
  std::atomic<bool> returned{false};
  std::thread console([&] {
    EXPECT_TRUE(HandleStopEvent(CTRL_CLOSE_EVENT));
    returned = true;
  });
  while (!TakeStopRequest()) Sleep(1);
  Sleep(20);
  EXPECT_FALSE(returned);  // Windows would end the process on return
  DisarmStopRequests();    // the end-of-run steps are done
  console.join();
  EXPECT_TRUE(returned);
}

}  // namespace
}  // namespace platform
