// Error, Exit, SeqSet, OutComments and HourMinSec in posts.
#include "tornel/builtins/run_calls.h"

#include <string>

#include <gtest/gtest.h>

#include "tests/post_run.h"
#include "tornel/driver/run.h"
#include "tornel/output/nc_finish.h"

namespace tornel {
namespace {

using RunCalls = tornel_test::PostRun;

TEST_F(RunCalls, HourMinSecSplitsMinutes) {
  MinuteParts p = SplitMinuteParts(125.5);
  EXPECT_EQ(p.h, 2);
  EXPECT_EQ(p.m, 5);
  EXPECT_EQ(p.s, 30);
  p = SplitMinuteParts(-125.5);  // each part truncated toward zero
  EXPECT_EQ(p.h, -2);
  EXPECT_EQ(p.m, -5);
  EXPECT_EQ(p.s, -30);
  Run("main\nvariable\nuiH\nurM\nuiS\nend\nHourMinSec(61.25, uiH, urM, uiS)\nend main\n");
  EXPECT_EQ(Int("uiH"), 1);
  EXPECT_EQ(Real("urM"), 1);
  EXPECT_EQ(Int("uiS"), 15);
  EXPECT_EQ(ReportOf("main\nvariable\nuiH\nend\nHourMinSec(99999999999999, uiH, uiH, uiH)\nend main\n"),
            Report("Invalid use of HourMinSec function in", 5, "HourMinSec(99999999999999, uiH, uiH, uiH)"));
  EXPECT_EQ(ReportOf("main\nvariable\nusH\nend\nHourMinSec(1, usH, usH, usH)\nend main\n"),
            Report("Parameter 2 must be INTEGER or REAL variable in HourMinSec function in", 5,
                   "HourMinSec(1, usH, usH, usH)"));
}

TEST_F(RunCalls, ErrorShowsThePostsWordsAlone) {
  EXPECT_EQ(ErrorText("Tool missing;Check the list"), "Tool missing\nCheck the list");
  EXPECT_EQ(ErrorText("Ends in a break;"), "Ends in a break");
  EXPECT_EQ(ReportOf("main\nError('Tool missing;Check the list')\nend main\n"),
            "Tool missing\nCheck the list");
}

TEST_F(RunCalls, ExitSetsTheCancelledFlag) {
  for (int n : {0, 1, 7}) {
    Compile("main\nExit(" + std::to_string(n) + ")\nend main\n");
    try {
      RunMainSections(ctx);
      ADD_FAILURE() << "Exit returned";
    } catch (const RunEnded& e) {
      EXPECT_EQ(e.status, 1);
    }
    EXPECT_EQ(ctx.diag.cancelled, n);
    EXPECT_EQ(ctx.diag.error_flag, 0);  // no error: no frame
  }
}

#ifndef _WIN32
TEST_F(RunCalls, ExecStartsTheProgramItselfAndWaitsWhenAsked) {
  // The words reach the program as a Windows command line gives them.
  Run("main\nExec('sh -c \"printf made > made.txt\"', 1)\nend main\n");
  EXPECT_EQ(ReadFile("made.txt"), "made");
  // A program that is not there is not reported.
  Run("main\nExec('no-such-program-anywhere x', 1)\nend main\n");
}
#else
TEST_F(RunCalls, ExecStartsTheProgramAndWaitsWhenAsked) {
  Run("main\nExec('cmd /c echo made> made.txt', 1)\nend main\n");
  EXPECT_EQ(ReadFile("made.txt"), "made\r\n");
  Run("main\nExec('no-such-program-anywhere x', 1)\nend main\n");
}
#endif

}  // namespace
}  // namespace tornel
