// Drill cycles over whole APT-CL files: the cycle record's words, the post
// functions each hole calls, the breaks with their moves, and holes
// written as single motions.
#include "tornel/cl/drill_cycles.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/fatal_report.h"
#include "tests/post_run.h"
#include "tornel/cl/cl_reader.h"
#include "tornel/driver/run.h"

namespace tornel {
namespace {

// A post whose functions log their post function number and one value;
// `main` goes into MAIN, `names` are the functions defined.
std::string LoggingPost(const std::string& main, const std::vector<std::string>& names) {
  std::string post =
      "main\nvariable\nuiN\nuiLog[400]\nurVal[400]\nurX[400]\nend\n" + main + "end main\n";
  for (const std::string& name : names) {
    int number = PostFunctionNumber(name);
    // Motions log the height they go to, cycle functions the hole bottom.
    bool motion = name == "RapidMove" || name == "LineMove" || name == "IndexMove";
    post += "func " + name + "\nuiN = uiN + 1\nuiLog[uiN] = " + std::to_string(number) +
            "\nurVal[uiN] = " + (motion ? "srZ" : name == "Dwell" ? "srDwell" : "srDepthL") +
            "\nurX[uiN] = srX\nend func\n";
  }
  return post;
}

const std::vector<std::string> kCanned = {"Drill", "CycleCall", "Cancel", "RapidMove",
                                          "LineMove"};

class DrillCycleTest : public tornel_test::PostRun {
 protected:
  std::vector<int32_t> Log() { return Ints("uiLog", Int("uiN")); }
  std::vector<double> Values() { return Reals("urVal", Int("uiN")); }
};

TEST_F(DrillCycleTest, TheCycleRecordSetsKindLevelsFeedAndRetract) {
  // The files checked for siRecType have its END first: the record under test is the last one
  // processed, with no END made after it to change siRecType.
  RunPasses(LoggingPost("", {}),
            "END\nCYCLE/DRILL,FEDTO,-5,RAPTO,2,RTRCTO,10,MMPM,50,DWELL,0.5,PULBAC,99\n");
  EXPECT_EQ(Int("siCycle"), 1);
  EXPECT_EQ(Int("siCycleAct"), 1);
  EXPECT_EQ(Int("siRecType"), 43);
  EXPECT_EQ(Real("srDepth"), 5);  // kept positive
  EXPECT_EQ(Real("srClear"), 2);
  EXPECT_EQ(Real("srDwell"), 0.5);
  EXPECT_EQ(Int("siRetrType"), 35);
  EXPECT_EQ(Real("srcRetType"), Real("srcClrPlane"));
  EXPECT_EQ(Real("srcCycle"), Real("srcDrill"));
  EXPECT_EQ(Int("siFeedType"), 6);
  EXPECT_EQ(Real("srFeed"), 50);

  RunPasses(LoggingPost("", {}), "CYCLE/DEEP,DEPTH,10,STEP,3,MMPR,0.1\n");
  EXPECT_EQ(Int("siCycle"), 2);
  EXPECT_EQ(Int("siPecks"), 4);
  EXPECT_EQ(Int("siRetrType"), 34);
  EXPECT_EQ(Int("siFeedType"), 7);
  RunPasses(LoggingPost("", {}), "CYCLE/DEEP,DEPTH,9,STEP,3\n");
  EXPECT_EQ(Int("siPecks"), 3);

  RunPasses(LoggingPost("siForceRigidTap = 1\n", {}), "CYCLE/TAP,DEPTH,8\n");
  EXPECT_EQ(Int("siCycle"), 14);
  EXPECT_EQ(Int("siRigidTap"), 1);
  EXPECT_EQ(Real("srcCycle"), Real("srcRigTap"));
  RunPasses(LoggingPost("", {}), "CYCLE/LRIGID,DEPTH,8\n");
  EXPECT_EQ(Int("siCycle"), 15);
  EXPECT_EQ(Int("siRigidTap"), 1);

  // FACE is a countersink only with 10 words or more outside turning.
  RunPasses(LoggingPost("", {}), "CYCLE/FACE,DEPTH,2,RAPTO,1,MMPM,100,DWELL,1,RTRCTO,5\n");
  EXPECT_EQ(Int("siCycle"), 16);
  RunPasses(LoggingPost("", {}), "END\nCYCLE/FACE,DEPTH,2\n");
  EXPECT_EQ(Int("siRecType"), 75);
  EXPECT_EQ(Int("siCycleAct"), 0);
}

TEST_F(DrillCycleTest, AWordThatNamesNoCycleLeavesTheCycleAlone) {
  RunPasses(LoggingPost("", {}), "CYCLE/DRILL,DEPTH,4\nCYCLE/INIT\n");
  EXPECT_EQ(Int("siCycle"), 1);
  EXPECT_EQ(Int("siCycleAct"), 1);
  EXPECT_EQ(Real("srDepth"), 4);
  RunPasses(LoggingPost("", {}), "CYCLE/INIT\n");
  EXPECT_EQ(Int("siCycleAct"), 0);
}

TEST_F(DrillCycleTest, SoManyPecksThatTheHoleCouldNeverEndStopTheRun) {
  Compile(LoggingPost("", {}));
  WriteFile("part.cl", "CYCLE/DEEP,DEPTH,1000,STEP,0.001\n");
  ctx.files.apt_path = "part.cl";
  EXPECT_EQ(tornel_test::ReportOf(ctx.diag, [&] { RunFirstPass(ctx); }),
            "Too many pecks in CL-record\nAPT-CL file - part.cl, line 1.");
}

const char* kThreeHoles =
    "RAPID\nGOTO/0,0,20\n"
    "CYCLE/DRILL,FEDTO,5,RAPTO,2,RTRCTO,10,MMPM,80\n"
    "GOTO/0,0,0\nGOTO/10,0,0\nGOTO/20,0,0\n"
    "CYCLE/OFF\nRAPID\nGOTO/20,0,50\n";

TEST_F(DrillCycleTest, HolesOfOneLevelCallTheCycleOnceThenCycleCall) {
  RunPasses(LoggingPost("", kCanned), kThreeHoles);
  EXPECT_EQ(Log(), (std::vector<int32_t>{2, 46, 44, 44, 45, 2}));
  std::vector<double> v = Values();
  EXPECT_EQ(v[1], -5);  // srDepthL
  EXPECT_EQ(v[5], 50);
  EXPECT_EQ(Real("srX_Pt"), 20);
  EXPECT_EQ(Real("srClearL"), 2);
  EXPECT_EQ(Real("srRetrL"), 10);
  EXPECT_EQ(Real("srInitL"), 10);
  EXPECT_EQ(Int("siCycleAct"), 0);
  // The last hole saw the OFF coming; the hole got the cycle's feed.
  EXPECT_EQ(Int("siLastPoint"), 1);
  EXPECT_EQ(Real("srFeed"), 80);

  // Without CycleCall the cycle's own function makes every hole.
  RunPasses(LoggingPost("", {"Drill", "Cancel"}), kThreeHoles);
  EXPECT_EQ(Log(), (std::vector<int32_t>{46, 46, 46, 45}));
}

TEST_F(DrillCycleTest, AHoleAtAnotherLevelCancelsMovesAndIssuesTheCycleAgain) {
  const char* cl =
      "RAPID\nGOTO/0,0,20\nCYCLE/DRILL,FEDTO,5,RAPTO,2,RTRCTO,10,MMPM,80\n"
      "GOTO/0,0,0\nGOTO/10,0,-5\nGOTO/20,0,0\nCYCLE/OFF\n";
  RunPasses(LoggingPost("", kCanned), cl);
  // Lower hole: Cancel, up by the between-holes distance above the hole
  // before, Drill.  Higher hole: up by the difference and the distance.
  EXPECT_EQ(Log(), (std::vector<int32_t>{2, 46, 45, 2, 46, 45, 2, 46, 45}));
  std::vector<double> v = Values();
  EXPECT_EQ(v[3], 10);   // the rapid plane above the first hole
  EXPECT_EQ(v[4], -10);  // the lower hole's bottom
  EXPECT_EQ(v[6], 10);   // 5 up to the higher hole's level, 10 above it
  EXPECT_EQ(Real("srPointL_Inc"), 5);

  // With siCycleVarLevel 1 the level does not matter.
  RunPasses(LoggingPost("siCycleVarLevel = 1\n", kCanned), cl);
  EXPECT_EQ(Log(), (std::vector<int32_t>{2, 46, 44, 44, 45}));
}

TEST_F(DrillCycleTest, ACannedCycleStillActiveEndsBeforeAHoleMadeWithoutIt) {
  // A DEEP cycle after a DRILL cycle without OFF, at a post without Peck:
  // G80 must come before the single motions of the deep hole, which go
  // up from the hole before, across, then down.
  RunPasses(LoggingPost("", kCanned),
            "CYCLE/DRILL,DEPTH,3,RAPTO,2\nGOTO/0,0,0\n"
            "CYCLE/DEEP,DEPTH,4,RAPTO,2\nGOTO/10,0,0\nCYCLE/OFF\n");
  EXPECT_EQ(Log(), (std::vector<int32_t>{46, 45, 2, 2, 3, 2}));
  EXPECT_EQ(Values(), (std::vector<double>{-3, -4, 2, 2, -4, 2}));
  EXPECT_EQ(Real("urX", 3), 0);
  EXPECT_EQ(Real("urX", 4), 10);
}

TEST_F(DrillCycleTest, EveryHoleGetsTheWholeCycleWhenThePostAsks) {
  RunPasses(LoggingPost("siCycleEachPoint = 1\n", kCanned), kThreeHoles);
  EXPECT_EQ(Log(), (std::vector<int32_t>{2, 46, 46, 46, 45, 2}));
}

TEST_F(DrillCycleTest, OffWithoutCancelWritesNothingAndEndsTheCycle) {
  RunPasses(LoggingPost("", {"Drill", "RapidMove"}), kThreeHoles);
  EXPECT_EQ(Log(), (std::vector<int32_t>{2, 46, 46, 46, 2}));
  EXPECT_EQ(Int("siCycleAct"), 0);
  EXPECT_EQ(Int("siCycle"), 0);
  // A cycle that made no hole with the canned cycle has nothing to cancel.
  RunPasses(LoggingPost("siCycleOn = 0\n", {"Drill", "Cancel"}),
            "CYCLE/DRILL,DEPTH,5\nGOTO/0,0,0\nCYCLE/OFF\n");
  EXPECT_EQ(Log(), std::vector<int32_t>{});
}

TEST_F(DrillCycleTest, ADeepHoleWithoutAnyFunctionIsWrittenAsSingleMotions) {
  // Depth 10 in pecks of 3: the rest of 1 is below srMinPeck and joins the
  // first peck, so 4, 7, then the bottom at 10.
  RunPasses(LoggingPost("srMinPeck = 2\nsrPeckClr = 0.5\n", {"RapidMove", "LineMove", "Dwell"}),
            "RAPID\nGOTO/0,0,20\nCYCLE/DEEP,DEPTH,10,STEP,3,RAPTO,2,RTRCTO,5,MMPM,80,"
            "DWELL,1\nGOTO/0,0,0\nCYCLE/OFF\n");
  EXPECT_EQ(Log(), (std::vector<int32_t>{2, 2, 2, 3, 2, 2, 3, 2, 2, 3, 83, 2}));
  EXPECT_EQ(Values(), (std::vector<double>{20, 5, 2, -4, 2, -3.5, -7, 2, -6.5, -10, 1, 5}));
  // The dwell counts in the operation's time (besides the rapid motion
  // before the cycle); the hole's feed is the cycle's.
  EXPECT_NEAR(Real("srMoveTimeOper"), 1.0 / 60 + 20.0 / 10000, 1e-12);
  EXPECT_EQ(Real("srFeed"), 80);
}

TEST_F(DrillCycleTest, AChipBreakingHoleBacksOffWithoutLeavingTheHole) {
  RunPasses(LoggingPost("siCycleOn = 0\nsrPeckClr = 0.5\n", {"RapidMove", "LineMove"}),
            "CYCLE/BRKCHP,DEPTH,6,STEP,3,RAPTO,2,PULBAC,99\nGOTO/0,0,0\n"
            "GOTO/10,0,0\nCYCLE/OFF\n");
  // Retracting to the clearance plane, across to the next hole there; at
  // the last hole out to the retract distance (no less than the clearance).
  EXPECT_EQ(Values(), (std::vector<double>{2, -3, -2.5, -6, 2, 2, -3, -2.5, -6, 2}));
  EXPECT_EQ(Real("urX", 6), 10);
}

TEST_F(DrillCycleTest, ALongCycleFunctionWritesTheHoleThroughLongCycle) {
  std::string post = LoggingPost("siCycleOn = 0\n", {"RapidMove", "LineMove"}) +
                     "func DrillLC\nLongCycle\nend func\nfunc BoreLC\nLongCycle(4)\nend func\n";
  RunPasses(post, "CYCLE/DRILL,DEPTH,5,RAPTO,2\nGOTO/0,0,0\nCYCLE/OFF\n");
  EXPECT_EQ(Values(), (std::vector<double>{2, -5, 2}));
  // A bore made as a ream: feed back out.
  RunPasses(post, "CYCLE/BORE,DEPTH,5,RAPTO,2\nGOTO/0,0,0\nCYCLE/OFF\n");
  EXPECT_EQ(Log(), (std::vector<int32_t>{2, 3, 3}));
}

TEST_F(DrillCycleTest, AHoleNoFunctionCanMakeIsReportedNotLostInSilence) {
  ctx.flags.cycle_warning = 0;
  RunPasses(LoggingPost("", {"RapidMove", "LineMove"}),
            "CYCLE/TAP,DEPTH,5,RAPTO,2\nGOTO/0,0,0\nGOTO/5,0,0\nCYCLE/OFF\n");
  // No motion either: the tool stays where it was.
  EXPECT_EQ(Log(), std::vector<int32_t>{});
  EXPECT_EQ(ctx.flags.cycle_warning, 1);
  EXPECT_EQ(ctx.diag.last_error,
            "Hole not drilled, the post file has no function for its cycle. APT-CL line=2");

  // A depth in a form Tornel does not read (positional numbers) is no
  // depth: the holes would go nowhere.
  ctx.flags.cycle_warning = 0;
  RunPasses(LoggingPost("", {"Drill"}), "CYCLE/DRILL,5.0,MMPM,100,2.0\nGOTO/0,0,0\nCYCLE/OFF\n");
  EXPECT_EQ(Log(), (std::vector<int32_t>{46}));
  EXPECT_EQ(ctx.flags.cycle_warning, 1);
  EXPECT_EQ(ctx.diag.last_error,
            "Drill cycle without a depth, its holes are not drilled deep. APT-CL line=1");
}

TEST_F(DrillCycleTest, AHoleAlongAnotherAxisThanThePlanesNormalIsNoCannedCycle) {
  // The tool along X while the post's plane is XY: written long-hand.
  RunPasses(LoggingPost("", {"Drill", "RapidMove", "LineMove"}),
            "CYCLE/DRILL,DEPTH,5,RAPTO,2\nGOTO/0,0,0,1,0,0\nCYCLE/OFF\n");
  EXPECT_EQ(Log(), (std::vector<int32_t>{2, 3, 2}));
  // In the YZ plane the cycle makes it.
  RunPasses(LoggingPost("siArcPlane = $yz\nsiCycleOn = $xy_xz_yz\n", {"Drill"}),
            "CYCLE/DRILL,DEPTH,5,RAPTO,2\nGOTO/3,0,0,1,0,0\nCYCLE/OFF\n");
  EXPECT_EQ(Log(), (std::vector<int32_t>{46}));
  EXPECT_EQ(Real("srPointL"), 3);
  EXPECT_EQ(Real("srDepthL"), -2);
}

TEST_F(DrillCycleTest, OddCycleRecordsEndCleanly) {
  std::string post = LoggingPost("siCycleOn = 0\n", {"RapidMove", "LineMove"}) +
                     "func DrillLC\nLongCycle(-5)\nLongCycle(100000000000)\nLongCycle\nend func\n";
  const char* files[] = {
      "CYCLE/\nGOTO/0,0,0\n",
      "CYCLE/OFF\nCYCLE/OFF\nGOTO/1,2,3\n",
      "CYCLE/DEEP,STEP\nGOTO/0,0,0\nCYCLE/OFF\n",
      "CYCLE/DEEP,DEPTH,1e300,STEP,1e299,PULBAC,97,RTRCTO,CLEAR\nGOTO/0,0,0\nCYCLE/OFF\n",
      "CYCLE/DRILL,DEPTH,3\nCYCLE/DEEP,DEPTH,4,STEP,1\nGOTO/0,0,0\nGOTO/0,0,0,0,0,1\n",
      "CYCLE/DRILL,DEPTH,3\nGOTO/0,0,0\nLOADTL/2\nGOTO/5,0,0\nEND\n",
  };
  for (const char* cl : files) {
    Compile(post);
    WriteFile("part.cl", cl);
    ctx.files.apt_path = "part.cl";
    try {
      RunFirstPass(ctx);
      RunSecondPass(ctx);
    } catch (const RunEnded&) {
      ADD_FAILURE() << cl << ctx.diag.last_error;
    }
  }
}

TEST(PeckPlanTest, RestsBelowTheMinimumJoinTheFirstPeck) {
  PeckPlan p = PlanPecks(10, 3, 2);
  EXPECT_EQ(p.count, 3);
  EXPECT_EQ(p.first, 4);
  p = PlanPecks(10, 3, 0.5);
  EXPECT_EQ(p.count, 4);
  EXPECT_EQ(p.first, 3);
  p = PlanPecks(0.9, 0.3, 0);  // a whole number of pecks in decimal
  EXPECT_EQ(p.count, 3);
  EXPECT_EQ(PlanPecks(2, 3, 0).count, 1);
  EXPECT_EQ(PlanPecks(2, 0, 0).count, 1);
  EXPECT_EQ(PlanPecks(1e9, 1e-3, 0).count, 0);
  EXPECT_EQ(PeckCount(10, 3, 0.001), 4);
  EXPECT_EQ(PeckCount(9, 3, 0), 3);
  EXPECT_EQ(PeckCount(1e300, 1e-300, 0), -1);
}

}  // namespace
}  // namespace tornel
