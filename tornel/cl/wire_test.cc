// Wire EDM over whole APT-CL files: the wire state records and their post
// functions, the upper guide over the tool axis or along a UV profile, the
// synchronous cutting of both profiles into lines, EdmArcToLines, and the
// reports of profiles out of step.
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/fatal_report.h"
#include "tornel/base/language_file.h"
#include "tests/post_run.h"
#include "tornel/cl/cl_reader.h"
#include "tornel/compiler/post_functions.h"
#include "tornel/driver/run.h"

namespace tornel {
namespace {

// A wire EDM post that logs every motion: its post function, the lower and
// upper guide points, the tool axis and the taper.
std::string Post(const std::string& settings, const std::string& arc_body = "") {
  return "main\nvariable\nuiN\nuiFn[400]\nurX[400]\nurY[400]\nurX2[400]\nurY2[400]\n"
         "urK[400]\nurAng[400]\nurTaper[400]\nend\n"
         "siEdmPost = 1\nsrArcTol = 0.01\nsrMinRad = 0.01\nsrMaxRad = 5000\n" +
         settings +
         "\nend main\n"
         "func fvLog(liFn)\nuiN = uiN + 1\nuiFn[uiN] = liFn\nurX[uiN] = srX\nurY[uiN] = srY\n"
         "urX2[uiN] = srX2\nurY2[uiN] = srY2\nurK[uiN] = srK\nurAng[uiN] = srWireAng\n"
         "urTaper[uiN] = srcTaper\nend func\n"
         "func LineMove\nfvLog(3)\nend func\n"
         "func RapidMove\nfvLog(2)\nend func\n"
         "func ArcMove\n" +
         (arc_body.empty() ? "fvLog(4)" : arc_body) +
         "\nend func\n"
         "func WireThread\nfvLog(89)\nend func\nfunc WireCut\nfvLog(90)\nend func\n"
         "func WireRegChange\nfvLog(91)\nend func\nfunc CutStart\nfvLog(33)\nend func\n"
         "func Stop\nfvLog(88)\nend func\n";
}

class WireTest : public tornel_test::PostRun {
 protected:
  std::vector<int32_t> Calls() { return Ints("uiFn", Int("uiN")); }
  // Runs with the UV profile `uv` as the companion file.
  void RunWithUv(const std::string& post, const std::string& cl, const std::string& uv,
                 const std::string& language_line = "") {
    Compile(post);
    if (!language_line.empty()) ApplyLanguageLine(ctx.diag.lang, language_line);
    WriteFile("part.cl", cl);
    WriteFile("partx.cl", uv);
    ctx.files.apt_path = "part.cl";
    ctx.flags.companion_file = 1;
    ctx.files.companion_path = "partx.cl";
    RunFirstPass(ctx);
    RunSecondPass(ctx);
  }
  std::string ReportWithUv(const std::string& post, const std::string& cl, const std::string& uv,
                           const std::string& language_line = "") {
    return tornel_test::ReportOf(ctx.diag, [&] { RunWithUv(post, cl, uv, language_line); });
  }
};

TEST_F(WireTest, WireRecordsSetTheWireStateAndCallTheirFunctions) {
  RunPasses(Post(""),
            "SET/POWER,3,7\nSET/THICK,20,25,2\nSET/TAPER,1.5\nSET/SPARK,0.02\nSET/WIRE,12.7\n"
            "WIRE/FLOOD,4\nWIRE/THREAD\nRAPID\nGOTO/0,0,0\nGOTO/10,0,0\nWIRE/CUT\nWIRE/SUB\n"
            "OPSTOP\nGOTO/20,0,0\n");
  EXPECT_EQ(Real("srInitPower"), 3);
  EXPECT_EQ(Real("srPower"), 7);
  EXPECT_EQ(Real("srPartThick"), 20);
  EXPECT_EQ(Real("srUpGuide"), 25);
  EXPECT_EQ(Real("srLowGuide"), 2);
  EXPECT_EQ(Real("srSparkGap"), 0.02);
  EXPECT_EQ(Int("siWireFeed"), 12);
  EXPECT_EQ(Int("siWireFlood"), 4);
  EXPECT_EQ(Int("siWireThread"), 0);
  EXPECT_EQ(Real("srcWire"), Real("srcWireCut"));
  EXPECT_EQ(Int("siSubmerge"), 1);
  EXPECT_EQ(Int("siOptStop"), 1);
  // SET/POWER makes the next CutStart call WireRegChange, once.
  EXPECT_EQ(Calls(), (std::vector<int32_t>{89, 2, 33, 91, 3, 90, 88, 3}));
  EXPECT_EQ(Int("siRegChAct"), 0);
  // A word that is no number leaves its value.
  RunPasses(Post(""), "SET/THICK,30\nSET/THICK,X,40\nSET/POWER,A\n");
  EXPECT_EQ(Real("srPartThick"), 30);
  EXPECT_EQ(Real("srUpGuide"), 40);
  EXPECT_EQ(Real("srInitPower"), 0);
}

// The first pass takes the wire records up to the first WIRE record with
// FLOOD, THREAD or CUT, and leaves the rest to the second.
TEST_F(WireTest, TheFirstPassStopsTakingWireRecordsAtTheWireFlag) {
  for (const char* flag : {"WIRE/FLOOD,1", "WIRE/THREAD", "WIRE/CUT"}) {
    Compile(Post(""));
    WriteFile("part.cl", "SET/THICK,20\nOPSTOP\n" + std::string(flag) +
                             "\nSET/THICK,35\nSTOP\nGOTO/1,2,3\n");
    ctx.files.apt_path = "part.cl";
    RunFirstPass(ctx);
    EXPECT_EQ(Real("srPartThick"), 20) << flag;
    EXPECT_EQ(Int("siOptStop"), 1) << flag;
  }
  Compile(Post(""));
  WriteFile("part.cl", "SET/THICK,20\nWIRE/SUB\nSET/THICK,35\n");
  ctx.files.apt_path = "part.cl";
  RunFirstPass(ctx);
  EXPECT_EQ(Real("srPartThick"), 35);
}

// Without a UV profile the upper guide lies on the tool axis at the part's
// thickness.
TEST_F(WireTest, WithoutAUvProfileTheUpperGuideFollowsTheToolAxis) {
  RunPasses(Post(""),
            "SET/THICK,20\nGOTO/0,0,0,0,0,1\nGOTO/10,5,0,0.1,0,1\nGOTO/10,20,0,0,0,1\n"
            "GOTO/10,30,0,1,0,0\n");
  EXPECT_EQ(Reals("urX2", 4), (std::vector<double>{0, 12, 10, 10}));
  EXPECT_EQ(Reals("urY2", 4), (std::vector<double>{0, 5, 20, 20}));  // kept: no K
  EXPECT_EQ(Real("srX2_Inc"), 0);
  EXPECT_EQ(Real("srY2_Inc"), -10);
}

// Wire angles in a 4-axis operation, against the direction of the motion.
TEST_F(WireTest, ATaperedWireGetsItsAngleAndTaperCode) {
  RunPasses(Post("srNcAccuracy = 0.001"),
            "OPERTN/26\nSET/THICK,10\nGOTO/0,0,0,0,0,1\nGOTO/0,10,0,0.1,0,1\n"
            "GOTO/0,20,0,-0.1,0,1\nGOTO/0,30,0,0,0,1\n");
  double deg = std::atan(0.1) * 180 / std::numbers::pi;
  std::vector<double> ang = Reals("urAng", 4);
  EXPECT_NEAR(ang[1], deg, 1e-9);   // leaning right of +Y
  EXPECT_NEAR(ang[2], -deg, 1e-9);
  EXPECT_EQ(ang[3], 0);
  EXPECT_EQ(Reals("urTaper", 4), (std::vector<double>{50, 51, 52, 50}));
}

const char* kSquare = "GOTO/0,0,0\nGOTO/10,0,0\nGOTO/10,10,0\n";

TEST_F(WireTest, TheUvProfileGivesTheUpperGuideAndTheToolAxis) {
  RunWithUv(Post("srPartThick = 20"), std::string("SET/THICK,20\n") + kSquare,
            "GOTO/0,0,0\nPPRINT/ANY RECORD\nGOTO/12,0,0\nGOTO/10,12,0\n");
  EXPECT_EQ(Reals("urX2", 3), (std::vector<double>{0, 12, 10}));
  EXPECT_EQ(Reals("urY2", 3), (std::vector<double>{0, 0, 12}));
  EXPECT_NEAR(Real("srJ"), 2 / std::sqrt(404.0), 1e-12);
  EXPECT_NEAR(Real("srK"), 20 / std::sqrt(404.0), 1e-12);
  EXPECT_EQ(Int("siEdm4ax"), 0);  // no OPERTN
}

TEST_F(WireTest, ProfilesOutOfStepStopTheRunWithTheOperation) {
  EXPECT_EQ(ReportWithUv(Post(""), kSquare, "GOTO/0,0,0\nGOTO/10,0,0\n"),
            "Error in operation - part\n\n"
            "XY and UV profiles not in sync. XY profile has more moves than UV profile.");
  EXPECT_EQ(ReportWithUv(Post(""), kSquare, "GOTO/0,0,0\nGOTO/10,0,0\nGOTO/1,1,1\nGOTO/2,2,2\n"),
            "Error in operation - part\n\n"
            "XY and UV profiles not in sync. UV profile has more moves than XY profile.");
  // The language file may replace the texts.
  EXPECT_EQ(ReportWithUv(Post(""), kSquare, "GOTO/0,0,0\n", "27:UV-Kontur zu kurz.\n"),
            "Error in operation - part\n\nUV-Kontur zu kurz.");
  // Records after the last GOTO, and anything after FINI, are no moves.
  RunWithUv(Post(""), kSquare, "GOTO/0,0,0\nGOTO/10,0,0\nGOTO/1,1,1\nRAPID\nEND\nFINI\nGOTO/5,5,5\n");
  EXPECT_EQ(Int("uiN"), 3);
}

TEST_F(WireTest, AMissingOrUnreadableUvProfileIsReported) {
  EXPECT_EQ(tornel_test::ReportOf(ctx.diag, [&] {
              Compile(Post(""));
              WriteFile("part.cl", kSquare);
              ctx.files.apt_path = "part.cl";
              ctx.flags.companion_file = 1;
              ctx.files.companion_path = "partx.cl";
              RunFirstPass(ctx);
            }),
            "File partx.cl not found.");
  // A post that asks for the UV profile itself has it opened at its first
  // motion.
  EXPECT_EQ(tornel_test::ReportOf(ctx.diag, [&] {
              Compile(Post("siEdmFileX = 1"));
              WriteFile("part.cl", kSquare);
              ctx.files.apt_path = "part.cl";
              ctx.files.companion_path = "partx.cl";
              RunFirstPass(ctx);
            }),
            "File partx.cl not found.");
  EXPECT_EQ(ReportWithUv(Post(""), kSquare, "GOTO/0,0,0\nGOTO/1E999,0,0\n"),
            "Number out of range in CL-record\nAPT-CL file - partx.cl, line 2.");
}

// A line under a UV arc, which the post can't write together: both are
// cut into the same number of lines, the upper guide on its circle.
TEST_F(WireTest, ALineWithAUvArcBecomesLinesOfBothProfiles) {
  RunWithUv(Post("siEdmLineArcOn = 0\nsiEdm4axArcOn = 1"),
            "SET/THICK,20\nGOTO/0,0,0\nGOTO/0,20,0\n",
            "GOTO/2,0,0\nCIRCLE/0,0,0,0,0,1,2\nGOTO/-2,0,0\n");
  int n = Int("uiN") - 1;
  int expected = static_cast<int>(std::ceil(180 / (2 * std::acos(1 - 0.01 / 2) * 180 / std::numbers::pi)));
  ASSERT_EQ(n, expected);
  std::vector<int32_t> fn = Ints("uiFn", n + 1);
  std::vector<double> x = Reals("urX", n + 1), y = Reals("urY", n + 1);
  std::vector<double> x2 = Reals("urX2", n + 1), y2 = Reals("urY2", n + 1);
  for (int k = 1; k <= n; ++k) {
    EXPECT_EQ(fn[k], 3);
    EXPECT_NEAR(x[k], 0, 1e-12);
    EXPECT_NEAR(y[k], 20.0 * k / n, 1e-9);
    EXPECT_NEAR(std::hypot(x2[k], y2[k]), 2, 1e-9) << k;
    EXPECT_NEAR(std::atan2(y2[k], x2[k]), std::numbers::pi * k / n, 1e-9) << k;
  }
  EXPECT_EQ(Int("siMoveType_Prev"), 3);
}

// Two arcs of one sense that the post may write together stay one motion,
// with the UV arc's values beside the XY arc's.
TEST_F(WireTest, TwoArcsThePostCanWriteStayOneMotion) {
  std::string cl = "SET/THICK,20\nGOTO/10,0,0\nCIRCLE/0,0,0,0,0,1,10\nGOTO/0,10,0\n";
  std::string uv = "GOTO/12,0,0\nCIRCLE/0,0,0,0,0,1,12\nGOTO/0,12,0\n";
  RunWithUv(Post("siEdm4axArcOn = 1"), cl, uv);
  EXPECT_EQ(Calls(), (std::vector<int32_t>{3, 4}));
  EXPECT_EQ(Real("srRad2"), 12);
  EXPECT_EQ(Int("siArcDir2"), 3);
  EXPECT_EQ(Int("siMoveType2"), 3);  // back to linear after the motion
  EXPECT_EQ(Real("srX2"), 0);
  EXPECT_EQ(Real("srY2"), 12);
  // Opposite senses need siEdm4axArcOn 4; without it both become lines.
  std::string uv_cw = "GOTO/12,0,0\nCIRCLE/0,0,0,0,0,-1,12\nGOTO/0,12,0\n";
  RunWithUv(Post("siEdm4axArcOn = 4"), cl, uv_cw);
  EXPECT_EQ(Calls(), (std::vector<int32_t>{3, 4}));
  EXPECT_EQ(Int("siArcDir2"), 2);
  RunWithUv(Post("siEdm4axArcOn = 1"), cl, uv_cw);
  EXPECT_GT(Int("uiN"), 3);
  // So does an arc no post can write: siArcOn 0, or a radius beyond srMaxRad.
  RunWithUv(Post("siEdm4axArcOn = 1\nsiArcOn = 0"), cl, uv);
  EXPECT_GT(Int("uiN"), 3);
  EXPECT_EQ(Ints("uiFn", 3), (std::vector<int32_t>{3, 3, 3}));
  RunWithUv(Post("siEdm4axArcOn = 1\nsrMaxRad = 11"), cl, uv);
  EXPECT_GT(Int("uiN"), 3);
}

// EdmArcToLines from the post's arc function: the segments of both
// profiles, each through LineMove; the arc function doesn't run again.
TEST_F(WireTest, EdmArcToLinesCutsBothProfilesFromThePost) {
  std::string cl = "GOTO/10,0,0\nCIRCLE/0,0,0,0,0,1,10\nGOTO/-10,0,0\n";
  std::string uv = "GOTO/12,0,0\nCIRCLE/0,0,0,0,0,1,12\nGOTO/-12,0,0\n";
  RunWithUv(Post("siEdm4axArcOn = 1", "fvLog(4)\nEdmArcToLines()"), cl, uv);
  int n = Int("uiN") - 2;
  int expected = static_cast<int>(std::ceil(180 / (2 * std::acos(1 - 0.01 / 12) * 180 / std::numbers::pi)));
  ASSERT_EQ(n, expected);
  std::vector<int32_t> fn = Ints("uiFn", n + 2);
  EXPECT_EQ(fn[1], 4);
  for (int k = 2; k < n + 2; ++k) EXPECT_EQ(fn[k], 3);
  EXPECT_NEAR(Real("urX", n + 2), -10, 1e-12);
  EXPECT_NEAR(Real("urX2", n + 2), -12, 1e-12);
  EXPECT_NEAR(std::hypot(Real("urX", 5), Real("urY", 5)), 10, 1e-9);
  EXPECT_NEAR(std::hypot(Real("urX2", 5), Real("urY2", 5)), 12, 1e-9);
}

// Without a UV profile, a 4-axis arc the post cannot write goes out as
// lines, the upper guide about the same centre.
TEST_F(WireTest, A4AxisArcWithoutUvProfileThatNoArcWordCarriesBecomesLines) {
  std::string cl =
      "OPERTN/26\nSET/THICK,10\nGOTO/10,0,0,0.1,0,1\nCIRCLE/0,0,0,0,0,1,10\n"
      "GOTO/-10,0,0,-0.1,0,1\n";
  RunPasses(Post(""), cl);
  EXPECT_EQ(Calls(), (std::vector<int32_t>{3, 4}));
  RunPasses(Post("siArcOn = 0"), cl);
  int n = Int("uiN") - 1;
  EXPECT_GT(n, 1);
  for (int k = 2; k <= n + 1; ++k) {
    EXPECT_NEAR(std::hypot(Real("urX2", k), Real("urY2", k)), 11, 1e-9) << k;
  }
}

// Arcs a 2-axis operation cuts into chords by the mill's settings: the
// upper guide follows each chord.
TEST_F(WireTest, TheUpperGuideFollowsTheChordsOfA2AxisArc) {
  RunPasses(Post("siArcOn = 0"),
            "OPERTN/28\nSET/THICK,10\nGOTO/10,0,0\nCIRCLE/0,0,0,0,0,1,10\nGOTO/-10,0,0\n");
  int n = Int("uiN");
  ASSERT_GT(n, 3);
  for (int k = 1; k <= n; ++k) {
    EXPECT_EQ(Real("urX2", k), Real("urX", k)) << k;
    EXPECT_EQ(Real("urY2", k), Real("urY", k)) << k;
  }
}

TEST_F(WireTest, NurbsCurvesMustHaveThePointsTheirHeaderGives) {
  std::string post = "main\nend main\n";
  std::string more = "NCRV/3,2,0,1\nCTRLPT/0,1,2,3,1\nCTRLPT/0,4,5,6,1\nCTRLPT/1,7,8,9,1\n";
  EXPECT_EQ(tornel_test::ReportOf(ctx.diag, [&] { RunPasses(post, more); }),
            "NURBS curve has more control points than its NCRV record gives in CL-record\n"
            "APT-CL file - part.cl, line 4.");
  std::string fewer = "NCRV/3,3,0,1\nCTRLPT/0,1,2,3,1\nKNOT/1\nGOTO/1,2,3\n";
  EXPECT_EQ(tornel_test::ReportOf(ctx.diag, [&] { RunPasses(post, fewer); }),
            "NURBS curve has fewer control points than its NCRV record gives in CL-record\n"
            "APT-CL file - part.cl, line 4.");
  std::string next = "NCRV/3,2,0,1\nCTRLPT/0,1,2,3,1\nNCRV/3,1,0,1\n";
  EXPECT_EQ(tornel_test::ReportOf(ctx.diag, [&] { RunPasses(post, next); }),
            "NURBS curve has fewer control points than its NCRV record gives in CL-record\n"
            "APT-CL file - part.cl, line 3.");
  RunPasses(post, "NCRV/3,1,0,1\nCTRLPT/0,1,2,3,1\nKNOT/1\nGOTO/1,2,3\nNCRV/3,1,0,1\n"
                  "CTRLPT/0,1,2,3,1\n");
}

}  // namespace
}  // namespace tornel
