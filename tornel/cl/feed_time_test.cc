// Move values, feed, inverse time, move time and the spindle speed limit
// over whole APT-CL files.
#include "tornel/cl/feed_time.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/post_run.h"
#include "tornel/cl/cl_reader.h"
#include "tornel/driver/run_host.h"
#include "tornel/sysvars/defaults.h"

namespace tornel {
namespace {

const char* kLogVariables = "main\nvariable\nuiN\nurV[800]\nend\nend main\n";

// LineMove and RapidMove append four values each to urV[4 n + 1 ...].
std::string LogMoves(const std::string& a, const std::string& b, const std::string& c,
                     const std::string& d) {
  std::string body = "uiN = uiN + 1\nurV[uiN * 4 + 1] = " + a + "\nurV[uiN * 4 + 2] = " + b +
                     "\nurV[uiN * 4 + 3] = " + c + "\nurV[uiN * 4 + 4] = " + d + "\n";
  return "func LineMove\n" + body + "end func\nfunc RapidMove\n" + body + "end func\n";
}

class FeedTimeTest : public tornel_test::PostRun {
 protected:
  void RunPasses(const std::string& main_body, const std::string& funcs, const std::string& cl) {
    PostRun::RunPasses(std::string(kLogVariables) + "main\n" + main_body + "end main\n" + funcs, cl);
  }

  double V(int n, int k) { return Real("urV", n * 4 + k); }
};

TEST_F(FeedTimeTest, AxisCombinationsFromRoundedIncrements) {
  RunPasses("", LogMoves("siLinAxComb", "siAxisComb", "srX_Inc", "siSubType"),
            "FEDRAT/10\nGOTO/1,2,0\nGOTO/1,2,3\nGOTO/4,5,6\nGOTO/4.0004,5,6\nGOTO/4.0004,5,7\n"
            "GOTO/4.0004,6,9\n");
  EXPECT_EQ(Int("uiN"), 6);
  EXPECT_EQ(V(1, 1), 17);
  EXPECT_EQ(V(1, 2), 22);  // no rotary axes
  EXPECT_EQ(V(2, 1), 16);
  EXPECT_EQ(V(3, 1), 21);
  EXPECT_EQ(V(4, 1), 0);   // below the NC tolerance: nothing moves
  EXPECT_EQ(V(4, 2), 0);
  EXPECT_EQ(V(4, 3), 0);
  EXPECT_EQ(V(5, 1), 16);
  EXPECT_EQ(V(6, 1), 19);
  EXPECT_EQ(V(6, 4), 0);
}

TEST_F(FeedTimeTest, DirectionAnglesOfStraightMotions) {
  RunPasses("", LogMoves("srStartAng", "srEndAng", "srDirIncAng", "srMoveLen"),
            "FEDRAT/10\nGOTO/10,0,0\nGOTO/10,10,0\nGOTO/10,10,5\nGOTO/0,0,5\n");
  EXPECT_DOUBLE_EQ(V(1, 2), 0);
  EXPECT_DOUBLE_EQ(V(1, 4), 10);  // from the start, not from where the first pass ended
  EXPECT_DOUBLE_EQ(V(2, 1), 0);
  EXPECT_DOUBLE_EQ(V(2, 2), 90);
  EXPECT_DOUBLE_EQ(V(2, 3), 90);
  EXPECT_DOUBLE_EQ(V(3, 2), 90);  // straight down keeps the direction
  EXPECT_DOUBLE_EQ(V(3, 4), 5);
  EXPECT_DOUBLE_EQ(V(4, 2), -135);
  EXPECT_DOUBLE_EQ(V(4, 3), 135);  // -225 brought into -180 ... 180
}

TEST_F(FeedTimeTest, InverseTimeWithItsLimits) {
  std::string cl = "FEDRAT/100\nGOTO/10,0,0\nGOTO/10,0,0\nGOTO/11,0,0\nGOTO/211,0,0\n";
  RunPasses("siInvTimeOn = 1\nsrInvTimeMax = 50\nsrInvTimeMin = 2\n",
            LogMoves("siFeedType", "srFeed", "srcFeedType", "srMoveTime"), cl);
  ASSERT_EQ(Int("uiN"), 4);
  for (int n = 1; n <= 4; ++n) {
    EXPECT_EQ(V(n, 1), 8);
    EXPECT_EQ(V(n, 3), Real("srcInvTime"));
  }
  EXPECT_DOUBLE_EQ(V(1, 2), 10);  // 100 per minute over 10
  EXPECT_DOUBLE_EQ(V(1, 4), 0.1);
  EXPECT_DOUBLE_EQ(V(2, 2), 50);  // a zero-length motion: the maximum
  EXPECT_DOUBLE_EQ(V(3, 2), 50);  // 100 is above the maximum
  EXPECT_DOUBLE_EQ(V(4, 2), 2);   // 0.5 is below the minimum
  EXPECT_DOUBLE_EQ(V(4, 4), 2);
  EXPECT_DOUBLE_EQ(Real("srMoveTimeOper"), 2.11);

  // Only for rotary motions: without rotary axes the feed stays per minute.
  RunPasses("siInvTimeOn = 29\n", LogMoves("siFeedType", "srFeed", "srcFeedType", "srInvTime"), cl);
  EXPECT_EQ(V(1, 1), 6);
  EXPECT_DOUBLE_EQ(V(1, 2), 100);
  EXPECT_EQ(V(1, 3), Real("srcFPM"));
  EXPECT_DOUBLE_EQ(V(1, 4), 10);
  EXPECT_DOUBLE_EQ(V(2, 4), 99999);
}

TEST_F(FeedTimeTest, SpeedLimitScalesThePerMinuteFeed) {
  std::string funcs = LogMoves("srFeed", "srRPM", "srSpeed", "srFPR");
  RunPasses("srRpmLimit = 2000\n", funcs,
            "LOADTL/1\nCUTTER/10\nSPINDL/3000,RPM\nFEDRAT/300\nGOTO/0,0,0\nGOTO/10,0,0\n"
            "GOTO/20,0,0\n");
  EXPECT_DOUBLE_EQ(Real("srRPM"), 2000);
  EXPECT_DOUBLE_EQ(Real("srSpeed"), 2000);
  ASSERT_GE(Int("uiN"), 1);
  EXPECT_DOUBLE_EQ(V(1, 1), 200);  // 300 x 2000 / 3000
  EXPECT_DOUBLE_EQ(V(1, 2), 2000);
  EXPECT_DOUBLE_EQ(V(1, 4), 0.1);
  EXPECT_NEAR(Real("srSS"), 2000 * 2 * std::numbers::pi * 5 / 1000, 1e-9);

  // Below the limit, and for a tool without a radius, the programmed speed
  // and feed stand.
  RunPasses("srRpmLimit = 2000\n", funcs,
            "LOADTL/1\nSPINDL/1500,RPM\nFEDRAT/300\nGOTO/0,0,0\nGOTO/10,0,0\nGOTO/20,0,0\n");
  EXPECT_DOUBLE_EQ(Real("srRPM"), 1500);
  EXPECT_DOUBLE_EQ(V(1, 1), 300);

  // Constant surface speed: the speed from the tool radius, limited, and
  // the feed unchanged.
  RunPasses("srRpmLimit = 2000\nsiMetric = 1\n", funcs,
            "LOADTL/1\nCUTTER/10\nSPINDL/SMM,200\nFEDRAT/300\nGOTO/0,0,0\nGOTO/10,0,0\n"
            "GOTO/20,0,0\n");
  EXPECT_DOUBLE_EQ(Real("srRPM"), 2000);
  EXPECT_DOUBLE_EQ(V(1, 1), 300);
  EXPECT_NEAR(Real("srSS"), 200 * 2000 / (200 / (2 * std::numbers::pi * 5 / 1000)), 1e-9);
}

TEST_F(FeedTimeTest, RapidTimeAndModalCodes) {
  RunPasses("siAutoRevDir = 1\nsiRevPlane = 1\n", LogMoves("srMoveTime", "srcMove", "srcComp", "0"),
            "CUTCOM/LEFT\nCOOLNT/ON\nSPINDL/1000,CCLW\nRAPID\nGOTO/0,0,100\n");
  EXPECT_DOUBLE_EQ(V(1, 1), 0.01);  // 100 at the rapid feed of 10000
  EXPECT_EQ(V(1, 2), Real("srcRapid"));
  EXPECT_EQ(V(1, 3), Real("srcCompRight"));  // swapped for a reversed plane
  EXPECT_EQ(Real("srcSpDirCool"), Real("srcSpCcwCool"));
  EXPECT_EQ(Real("srcCool"), Real("srcCoolOn"));
  EXPECT_EQ(Real("srcCoolCancel"), Real("srcCoolOff"));
  EXPECT_EQ(Real("srcSpeedType"), Real("srcRPM"));
  EXPECT_DOUBLE_EQ(Real("srMoveTimeOper"), 0.01);
}

}  // namespace
}  // namespace tornel
