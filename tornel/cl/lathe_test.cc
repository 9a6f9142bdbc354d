// Lathe processing over whole APT-CL files: threads and their passes,
// roughing cycles with their contours and the finishing pass.
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/fatal_report.h"
#include "tests/post_run.h"
#include "tornel/cl/cl_reader.h"
#include "tornel/cl/dispatch.h"
#include "tornel/cl/lathe_thread.h"
#include "tornel/driver/run.h"

namespace tornel {
namespace {

// Logs each call of `names`: its post function number and the value of
// `what` at the call.
std::string LoggingPost(const std::string& main, const std::vector<std::string>& names,
                        const std::string& what) {
  std::string post = "main\nvariable\nuiN\nuiLog[400]\nurVal[400]\nend\n" + main + "end main\n";
  for (const std::string& name : names) {
    post += "func " + name + "\nuiN = uiN + 1\nuiLog[uiN] = " +
            std::to_string(PostFunctionNumber(name)) + "\nurVal[uiN] = " + what + "\nend func\n";
  }
  return post;
}

class LatheTest : public tornel_test::PostRun {
 protected:
  std::vector<int32_t> Log() { return Ints("uiLog", Int("uiN")); }
  // Rounded to thousandths.
  std::vector<double> Values() {
    std::vector<double> values = Reals("urVal", Int("uiN"));
    for (double& x : values) x = std::round(x * 1000) / 1000;
    return values;
  }
};

TEST(ThreadPasses, ConstantAreaAndConstantStep) {
  bool overflow = false;
  std::vector<double> d = ThreadPassDepths(1, 0.3, 0, false, 0.0001, overflow);
  ASSERT_GE(d.size(), 4u);
  EXPECT_NEAR(d[0], 0.3, 1e-9);
  EXPECT_NEAR(d[1], 0.424, 1e-3);
  EXPECT_NEAR(d[2], 0.520, 1e-3);
  EXPECT_EQ(d.back(), 1);
  EXPECT_EQ(d.size(), 12u);
  EXPECT_EQ(ThreadPassDepths(1, 0.3, 0, true, 0.0001, overflow),
            (std::vector<double>{0.3, 0.6, 0.8999999999999999, 1}));
  // The smallest infeed keeps late passes from getting thin.
  d = ThreadPassDepths(1, 0.3, 0.1, false, 0.0001, overflow);
  EXPECT_EQ(d.size(), 8u);
  // No infeed, no passes; too many is reported.
  EXPECT_TRUE(ThreadPassDepths(1, 0, 0, false, 0.0001, overflow).empty());
  EXPECT_FALSE(overflow);
  EXPECT_TRUE(ThreadPassDepths(1e9, 0.001, 0, true, 0.0001, overflow).empty());
  EXPECT_TRUE(overflow);
}

const char* kThread =
    "THRDSQ/START,0,1,LENGTH,30,DIAMTR,20,18,INCR,0.3,0.05,60,PULBAC,2,PITCH,0.5\n";

TEST_F(LatheTest, AThreadRecordGivesItsGeometryAndOneThreadCall) {
  // END first: no END is made after the thread to change siRecType.
  RunPasses(LoggingPost("", {"Thread", "ThreadLC"}, "srDepth"), std::string("END\n") + kThread);
  EXPECT_EQ(Log(), (std::vector<int32_t>{81}));
  EXPECT_EQ(Int("siRecType"), 81);
  EXPECT_EQ(Int("siThrDir"), -1);
  EXPECT_EQ(Int("siThrSide"), 1);
  EXPECT_EQ(Real("srLead"), 2);
  EXPECT_EQ(Real("srThrXE_In"), -30);
  EXPECT_EQ(Real("srThrXI_In"), -30);
  EXPECT_EQ(Real("srThrYS_In"), 10);
  EXPECT_EQ(Real("srDepth"), 1);
  EXPECT_EQ(Real("srDepthL"), 9);
  EXPECT_EQ(Real("srDepthSg"), -1);
  EXPECT_EQ(Real("srRetrL"), 12);
  EXPECT_NEAR(Real("srCutL"), 9.7, 1e-12);
  EXPECT_EQ(Real("srThrTipAng"), 60);
  EXPECT_EQ(Int("siCuts"), 11);  // 0.3, 0.424 ... each at least 0.05 deeper
  EXPECT_EQ(Real("srcCycle"), Real("srcThreadCyc"));
  EXPECT_EQ(Real("srThrXS_Out"), 0);
  EXPECT_EQ(Real("srThrYS_Out"), 10);
}

TEST_F(LatheTest, WithoutTheThreadCycleEachPassGoesToThreadLC) {
  RunPasses(LoggingPost("siThrCycleOn = 0\nsiThrConstStep = 1\n", {"Thread", "ThreadLC"},
                        "srCutD"),
            kThread);
  EXPECT_EQ(Log(), (std::vector<int32_t>{82, 82, 82, 82}));
  EXPECT_EQ(Values(), (std::vector<double>{-0.3, -0.6, -0.9, -1}));
  EXPECT_EQ(Int("siCuts"), 4);
  EXPECT_EQ(Real("srcCycle"), Real("srcThreadCut"));
  // The last pass: the start moved along the flank and down.
  RunPasses(LoggingPost("siThrCycleOn = 0\nsiThrConstStep = 1\n", {"ThreadLC"}, "srThrXS_Out"),
            kThread);
  EXPECT_NEAR(Real("urVal", 4), -0.5, 1e-12);  // depth 1 x sin(30) x direction -1
  // A Thread function may ask for the passes all the same.
  RunPasses(LoggingPost("siThrConstStep = 1\n", {"ThreadLC"}, "siCut") +
                "func Thread\nLongCycle(20)\nend func\n",
            kThread);
  EXPECT_EQ(Values(), (std::vector<double>{1, 2, 3, 4}));
}

TEST_F(LatheTest, ThreadMinorWordsLeftInsideTaperAndBadAngles) {
  RunPasses(LoggingPost("", {}, "0"),
            "THRDSQ/LEFT,IN,START,5,2,LENGTH,20,TAPER,30,28,10,ATANGL,200,REPEAT,3\n");
  EXPECT_EQ(Int("siThrDir"), 1);
  EXPECT_EQ(Int("siThrSide"), -1);
  EXPECT_EQ(Int("siThrStarts"), 2);
  EXPECT_EQ(Int("siFinCuts"), 3);
  EXPECT_EQ(Real("srThrXE_In"), 25);
  EXPECT_NEAR(Real("srThrYI_In"), -std::tan(10 * std::acos(-1) / 180) * 20, 1e-9);
  EXPECT_NEAR(Real("srIncAng"), -10, 1e-12);
  EXPECT_EQ(Real("srThrTipAng"), 0);  // half of it beyond 89 degrees
  EXPECT_EQ(Real("srDepthL"), 16);    // inside: the root is outward
  RunPasses(LoggingPost("", {}, "0"), "THRDSQ/TAPER,30,28,95,LENGTH,10\n");
  EXPECT_EQ(Real("srThrYI_In"), 0);
}

TEST_F(LatheTest, SoManyThreadPassesStopTheRun) {
  Compile(LoggingPost("siThrConstStep = 1\n", {}, "0"));
  WriteFile("part.cl", "THRDSQ/DIAMTR,1000000,0,INCR,0.0001,0,60,LENGTH,5\n");
  ctx.files.apt_path = "part.cl";
  EXPECT_EQ(tornel_test::ReportOf(ctx.diag, [&] { RunFirstPass(ctx); }),
            "Too many thread passes in CL-record\nAPT-CL file - part.cl, line 1.");
}

// A roughing cycle: its parameters, an approach motion, a contour of
// `elements` feed moves, and after it the same contour again as a
// finishing pass, then one more move.
std::string Roughing(int elements, bool finishing_pass) {
  std::string contour;
  for (int k = 1; k <= elements; ++k)
    contour += "GOTO/" + std::to_string(-k) + ",10," + std::to_string(k % 7) + "\n";
  std::string cl = "MODE/TURN\nRAPID\nGOTO/5,30,0\nCYCLE/TURN\nSET/DEPTH,2,0.2\nSET/RAPTO,1\n"
                   "SET/STOCK,0.2,0.1\nSET/CUTANG,180\nSET/RETANG,90\n"
                   "SET/LEAD,IN,ATANGL,90,LENGTH,2\nSET/FEED,MMPR,0.25\nSET/FINPAS,0\n"
                   "SET/SPRPAS,0\nGOTO/2,12,0\nSHAPE/START\n" +
                   contour + "SHAPE/END\n";
  if (finishing_pass) cl += "RAPID\nGOTO/5,30,0\n" + contour;
  return cl + "RAPID\nGOTO/9,40,0\n";
}

const std::vector<std::string> kRoughFunctions = {"InitRough", "RoughTurn", "ShapeStart",
                                                  "ShapeEnd",  "aFinishing", "LineMove",
                                                  "RapidMove"};

TEST_F(LatheTest, ARoughingCycleCallsItsFunctionsAroundItsContour) {
  RunPasses(LoggingPost("siRoughTurnOn = 1\nsiFinishingOn = 1\n", kRoughFunctions, "srX"),
            Roughing(5, true));
  // The approach inside the definition is not output; the contour is,
  // between ShapeStart and ShapeEnd; the repeated contour is the finishing
  // pass: aFinishing, its rapid approach dropped, its moves as they are.
  EXPECT_EQ(Log(),
            (std::vector<int32_t>{2, 75, 77, 79, 3, 3, 3, 3, 3, 80, 80, 76, 3, 3, 3, 3, 3, 2}));
  std::vector<double> v = Values();
  EXPECT_EQ(v[2], 5);  // RoughTurn sees the start point, where SPRPAS found the tool
  EXPECT_EQ(v[11], 5);
  EXPECT_EQ(Int("siShapeElements"), 5);
  EXPECT_EQ(Real("srShpXS_In"), 2);  // the point before, plus the lead-in
  EXPECT_EQ(Real("srShpYS_In"), 14);
  EXPECT_EQ(Real("srShpXE_In"), -5);
  EXPECT_EQ(Real("srShpYE_In"), 10);
  EXPECT_EQ(Real("srCut"), 2);
  EXPECT_EQ(Real("srFinCut"), 0.2);
  EXPECT_EQ(Real("srLeaveMatX_In"), 0.1);
  EXPECT_EQ(Real("srLeaveMatY_In"), 0.2);
  EXPECT_EQ(Int("siLongSide"), 1);    // CUTANG 180, RETANG 90 in turning
  EXPECT_EQ(Int("siTransvSide"), 1);
  EXPECT_EQ(Int("siRoughType"), 0);
  EXPECT_EQ(Real("srPlungeFeed"), 0);

  // A different contour after it is no finishing pass.
  RunPasses(LoggingPost("siRoughTurnOn = 1\nsiFinishingOn = 1\n", kRoughFunctions, "srX"),
            Roughing(5, false) + "GOTO/-1,10,1\nGOTO/-2,10,3\n");
  EXPECT_EQ(Log(), (std::vector<int32_t>{2, 75, 77, 79, 3, 3, 3, 3, 3, 80, 2, 3, 3}));
}

TEST_F(LatheTest, WithoutRoughTurnTheContourIsOrdinaryMotion) {
  std::vector<std::string> names = {"ShapeStart", "ShapeEnd", "LineMove", "RapidMove"};
  RunPasses(LoggingPost("siRoughTurnOn = 1\n", names, "srX"), Roughing(3, false));
  EXPECT_EQ(Log(), (std::vector<int32_t>{2, 3, 3, 3, 3, 2}));
}

TEST_F(LatheTest, AContourLongerThanTheRingIsCountedAndReadingGoesOn) {
  RunPasses(LoggingPost("siRoughTurnOn = 1\n", kRoughFunctions, "srX"), Roughing(60, false));
  EXPECT_EQ(Int("siShapeElements"), 60);
  std::vector<int> log = Log();
  ASSERT_EQ(log.size(), 4u + 60 + 2);
  EXPECT_EQ(log[4 + 60], 80);
  EXPECT_EQ(Real("srShpXE_In"), -60);
  EXPECT_EQ(Real("srX"), 9);  // the last record was read where it stood
}

TEST_F(LatheTest, TheContoursLineNumbersForTheControlsCycle) {
  // Lines numbered: the first contour line comes after the roughing block.
  std::string post = "main\naddres\n_n 'N' >4\n_g 'G' 2\nend addres\nseqnums: yes _n 100 10 9999\n"
                     "siRoughTurnOn = 1\nsrShpStartInc = 10\nend main\n"
                     "func RoughTurn\no: _g(71)\nend func\n";
  RunPasses(post, Roughing(5, false));
  EXPECT_EQ(Real("srShpStart"), 110);
  EXPECT_EQ(Real("srShpEnd"), 150);
  // Unnumbered: the numbers grow by the increments.
  RunPasses("main\nsiRoughTurnOn = 1\nsrShpStartInc = 1000\nsrShpEndInc = 1\nend main\n"
            "func RoughTurn\nend func\n",
            Roughing(2, false));
  EXPECT_EQ(Real("srShpStart"), 1000);
  EXPECT_EQ(Real("srShpEnd"), 1001);
}

TEST_F(LatheTest, AContourWithoutShapeEndEndsWhereItsCountingEnded) {
  std::string cl = Roughing(3, false);
  cl.replace(cl.find("SHAPE/END\n"), 10, "");
  RunPasses(LoggingPost("siRoughTurnOn = 1\n", kRoughFunctions, "srX"), cl);
  EXPECT_EQ(Log(), (std::vector<int32_t>{2, 75, 77, 79, 3, 3, 3, 80, 2}));
  // At the end of the data too; a SHAPE/END without a contour ends nothing.
  cl = Roughing(3, false);
  cl = cl.substr(0, cl.find("SHAPE/END\n")) + "SHAPE/END\nSHAPE/END\n";
  RunPasses(LoggingPost("siRoughTurnOn = 1\n", kRoughFunctions, "srX"),
            cl.substr(0, cl.find("SHAPE/END\n")));
  EXPECT_EQ(Log(), (std::vector<int32_t>{2, 75, 77, 79, 3, 3, 3, 80}));
  RunPasses(LoggingPost("siRoughTurnOn = 1\n", kRoughFunctions, "srX"), cl);
  EXPECT_EQ(Log(), (std::vector<int32_t>{2, 75, 77, 79, 3, 3, 3, 80}));
}

TEST_F(LatheTest, ARoughingCycleWhoseContourNeverComesEndsWithAWarning) {
  ctx.flags.cycle_warning = 0;
  RunPasses(LoggingPost("siRoughTurnOn = 1\n", kRoughFunctions, "srX"),
            "MODE/TURN\nCYCLE/TURN\nSET/SPRPAS,0\nGOTO/2,12,0\nLOADTL/2\nGOTO/3,12,0\n");
  EXPECT_EQ(Log(), (std::vector<int32_t>{75, 3}));
  EXPECT_EQ(ctx.flags.cycle_warning, 1);
  EXPECT_EQ(ctx.diag.last_error,
            "Roughing cycle without its contour (SHAPE/START), motions left out. APT-CL line=5");
}

TEST_F(LatheTest, ContourMotionsOfAptAreRefusedNotDropped) {
  EXPECT_TRUE(IsContourMotionWord("TLON,GOFWD"));
  EXPECT_TRUE(IsContourMotionWord("godlta"));
  EXPECT_TRUE(IsContourMotionWord(" TLLFT , GOLFT"));
  EXPECT_FALSE(IsContourMotionWord("GOTO"));
  EXPECT_FALSE(IsContourMotionWord("INDIRV"));
  Compile("main\nend main\n");
  WriteFile("part.cl", "GOTO/1,2,3\nTLON,GOFWD/(CIRCLE/0,0,0,5),ON,(LINE/1,2,3,4,5,6)\n");
  ctx.files.apt_path = "part.cl";
  EXPECT_EQ(tornel_test::ReportOf(ctx.diag, [&] { RunFirstPass(ctx); }),
            "APT contour motion not supported, the post file's OnAPT functions may convert it. "
            "Record TLON,GOFWD in CL-record\nAPT-CL file - part.cl, line 2.");
}

TEST_F(LatheTest, ALatheStartsWithItsToolAxisNormalToTheXZPlane) {
  // lathecoord: CL X along the spindle becomes Z; the arc of the XZ plane
  // is no helix and is written as one arc, its radius as given, its
  // centre increments in the diameter scale of X.
  RunPasses(LoggingPost("lathecoord\ndiamx\nsiArcOn = $xz\nsiArcPlane = $xz\n",
                        {"ArcMove", "LineMove"}, "srXC_Inc"),
            "GOTO/-30,16,0\nCIRCLE/-30,18,0,0,0,1,2\nGOTO/-32,18,0\n");
  EXPECT_EQ(Log(), (std::vector<int32_t>{3, 4}));
  EXPECT_EQ(Real("srJ_CL"), 1);
  EXPECT_EQ(Real("urVal", 2), 4);  // a radius of 2 on the diameter: I is half of it
  EXPECT_EQ(Real("srRad"), 2);
  EXPECT_EQ(Real("srX"), 36);
  EXPECT_EQ(Real("srZ"), -32);
  EXPECT_EQ(Real("srZC_Inc"), 0);
}

}  // namespace
}  // namespace tornel
