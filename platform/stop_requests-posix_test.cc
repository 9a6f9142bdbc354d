#include "platform/stop_requests.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <cstdlib>

namespace platform {
namespace {

TEST(StopRequests, SignalsOnlyRaiseTheFlagWhileArmed) {
  ArmStopRequests();
  EXPECT_FALSE(TakeStopRequest());
  for (int sig : {SIGINT, SIGTERM, SIGHUP}) {
    raise(sig);
    EXPECT_TRUE(TakeStopRequest()) << sig;
    EXPECT_FALSE(TakeStopRequest()) << sig;
  }
  EXPECT_EQ(StopEvents(), (std::vector<int>{SIGINT, SIGTERM, SIGHUP}));
  EXPECT_FALSE(HandleStopEvent(SIGUSR1));
  raise(SIGTERM);
  DisarmStopRequests();  // drops the pending request
  EXPECT_FALSE(TakeStopRequest());
}

TEST(StopRequests, SignalIgnoredAtStartStaysIgnored) {
  // nohup: a hang-up is not meant for this program.
  signal(SIGHUP, SIG_IGN);
  ArmStopRequests();
  raise(SIGHUP);
  EXPECT_FALSE(TakeStopRequest());
  DisarmStopRequests();
  raise(SIGHUP);  // still ignored
  signal(SIGHUP, SIG_DFL);
}

TEST(StopRequestsDeathTest, SecondSignalBeforeTheFirstIsSeenEndsTheProcess) {
  ASSERT_EXIT(
      {
        ArmStopRequests();
        raise(SIGTERM);
        raise(SIGTERM);
        std::exit(0);
      },
      ::testing::KilledBySignal(SIGTERM), "");
}

}  // namespace
}  // namespace platform
