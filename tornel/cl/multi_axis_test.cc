// Motions on machines with rotary and tilt axes: angles and machine
// positions in the post's variables, divided moves, repositioning, the
// half turn and the limit break point, the pole, index moves and the
// reports of bad axes.
#include "tornel/cl/multi_axis.h"

#include <cmath>
#include <numbers>
#include <string>

#include <gtest/gtest.h>

#include "tests/fatal_report.h"
#include "tests/post_run.h"
#include "tornel/cl/cl_reader.h"
#include "tornel/driver/run.h"

namespace tornel {
namespace {

constexpr double kDeg = std::numbers::pi / 180;

// A trunnion (C table around Z on a B table around Y, B from -35 to 120)
// whose motion functions log their kind and values; `extra` goes into MAIN.
std::string Trunnion(const std::string& extra = "", const std::string& functions = "") {
  std::string log = "uiN = uiN + 1\nurRot[uiN] = srRot\nurTilt[uiN] = srTilt\n"
                    "urX[uiN] = srX\nurY[uiN] = srY\nurZ[uiN] = srZ\nurXCL[uiN] = srX_CL\n"
                    "urYCL[uiN] = srY_CL\n";
  return "main\nvariable\nuiN\nuiKind[200]\nurRot[200]\nurTilt[200]\nurX[200]\nurY[200]\n"
         "urZ[200]\nurXCL[200]\nurYCL[200]\nurVal[200]\nend\n"
         "rotary: table z 1 0 -360 360 0.001 0 0 0\n"
         "tilt: table y 1 0 -35 120 0.001 0 0 0\n" +
         extra + "end main\n" + "func LineMove\n" + log + "uiKind[uiN] = 1\nend func\n" +
         "func RapidMove\n" + log + "uiKind[uiN] = 2\nend func\n" + functions;
}

// GOTO/x,y,z with the tool axis of rotary angle `rot` and tilt `tilt`
// (degrees) on the trunnion.
std::string Goto(double x, double y, double z, double rot, double tilt) {
  double i = std::sin(tilt * kDeg) * std::cos(rot * kDeg);
  double j = std::sin(tilt * kDeg) * std::sin(rot * kDeg);
  double k = std::cos(tilt * kDeg);
  char buf[160];
  std::snprintf(buf, sizeof buf, "GOTO/%.4f,%.4f,%.4f,%.9f,%.9f,%.9f\n", x, y, z, i, j, k);
  return buf;
}

class MultiAxisTest : public tornel_test::PostRun {
 protected:
  int Calls() { return Int("uiN"); }
  // The report the first pass over `cl` ends with.
  std::string RunReport(const std::string& cl) {
    ctx.files.apt_path = "part.cl";
    WriteFile("part.cl", cl);
    return tornel_test::ReportOf(ctx.diag, [&] { RunFirstPass(ctx); });
  }
};

TEST_F(MultiAxisTest, AnglesPreviousNextAndTheMachinePosition) {
  std::string functions =
      "func LineMove\nuiN = uiN + 1\nurRot[uiN] = srRot\nurTilt[uiN] = srTilt\n"
      "urX[uiN] = srRot_Prev\nurY[uiN] = srRot_Next\nurZ[uiN] = srTilt_Next\n"
      "urVal[uiN] = srRot_Inc\nend func\n";
  std::string post = "main\nvariable\nuiN\nurRot[9]\nurTilt[9]\nurX[9]\nurY[9]\nurZ[9]\n"
                     "urVal[9]\nend\nrotary: table z 1 0 -360 360 0.001 0 0 0\n"
                     "tilt: table y 1 0 -35 120 0.001 0 0 0\nsrRotDivAng = 0\nend main\n" +
                     functions;
  RunPasses(post, "FEDRAT/100\n" + Goto(10, 0, 0, 30, 20) + Goto(20, 0, 0, 40, 25) +
                      Goto(30, 0, 0, 50, 30) + "FINI\n");
  ASSERT_EQ(Int("uiN"), 3);
  EXPECT_NEAR(Real("urRot", 2), 40, 1e-6);
  EXPECT_NEAR(Real("urTilt", 2), 25, 1e-6);
  EXPECT_NEAR(Real("urX", 2), 30, 1e-6);  // srRot_Prev
  EXPECT_NEAR(Real("urY", 2), 50, 1e-6);  // srRot_Next
  EXPECT_NEAR(Real("urZ", 2), 30, 1e-6);  // srTilt_Next
  EXPECT_NEAR(Real("urVal", 2), 10, 1e-6);  // srRot_Inc

  // The tables carry the part: the point turns with them about the pivots
  // (here the table centre 100 mm below the part zero).
  RunPasses(Trunnion("srRotDivAng = 0\nsrTilt_Z_Pivot = -100\nsrRot_Z_Pivot = -100\n"),
            "FEDRAT/100\n" + Goto(10, 0, 0, 0, 90) + "FINI\n");
  ASSERT_EQ(Calls(), 1);
  EXPECT_NEAR(Real("urTilt"), 90, 1e-6);
  // Tilting the part by 90 degrees about Y through (0, 0, -100):
  // (10, 0, 0), 10 mm out along the tool axis, ends 10 mm above where
  // the part zero went: (-100, 0, -90) seen from the machine.
  EXPECT_NEAR(Real("urX"), -100, 1e-6);
  EXPECT_NEAR(Real("urZ"), -90, 1e-6);
  EXPECT_NEAR(Real("urXCL"), 10, 1e-9);  // the part point stays for a tool-tip post
}

TEST_F(MultiAxisTest, LineMovesWhoseAxisTurnsAreDividedIntoSteps) {
  std::string cl = "FEDRAT/100\n" + Goto(0, 0, 0, 0, 0) + Goto(12, 0, 0, 0, 12) + "FINI\n";
  RunPasses(Trunnion(), cl);  // srRotDivAng 5 by default
  ASSERT_EQ(Calls(), 4);      // the first move, then 12 degrees in three steps
  for (int k = 1; k <= 3; ++k) {
    EXPECT_NEAR(Real("urTilt", 1 + k), 4.0 * k, 1e-6) << k;
    EXPECT_NEAR(Real("urXCL", 1 + k), 4.0 * k, 1e-9) << k;
  }
  RunPasses(Trunnion("srRotDivAng = 0\n"), cl);
  EXPECT_EQ(Calls(), 2);
  // By tolerance only when siRotTolOn is 1: the tool point 100 mm from the
  // pivot, 0.01 mm: steps of 1.62 degrees.
  RunPasses(Trunnion("srRotDivAng = 0\nsiRotTolOn = 1\nsrRotTol = 0.01\nsrTilt_Z_Pivot = -100\n"),
            cl);
  EXPECT_EQ(Calls(), 1 + 8);
  // A rapid move is never divided, nor a machine without a rotary axis.
  RunPasses(Trunnion(), "FEDRAT/100\n" + Goto(0, 0, 0, 0, 0) + "RAPID\n" + Goto(12, 0, 0, 0, 12) +
                            "FINI\n");
  EXPECT_EQ(Calls(), 2);
  RunPasses("main\nvariable\nuiN\nend\nend main\nfunc LineMove\nuiN = uiN + 1\nend func\n", cl);
  EXPECT_EQ(Int("uiN"), 2);
}

TEST_F(MultiAxisTest, RapidMovesBeyondTheLimitRepositionTheRotaryAxis) {
  std::string functions = "func ReposRotRapid\nuiN = uiN + 1\nuiKind[uiN] = 9\n"
                          "urVal[uiN] = siReposRotAct\nend func\n";
  std::string cl = "FEDRAT/100\n";
  for (int a = 0; a <= 400; a += 40) cl += "RAPID\n" + Goto(0, 0, 0, a, 30);
  RunPasses(Trunnion("siReposRotRapid = 1\n", functions), cl + "FINI\n");
  int n = Calls();
  ASSERT_GE(n, 2);
  EXPECT_EQ(Int("uiKind", n - 1), 9);  // ReposRotRapid before the rapid move
  EXPECT_EQ(Real("urVal", n - 1), 1);
  EXPECT_NEAR(Real("urRot", n), 40, 1e-6);  // 400 brought back to 40
  // Without permission the value stays, and the limit is reported.
  RunPasses(Trunnion("", functions), cl + "FINI\n");
  EXPECT_NEAR(Real("urRot", Calls()), 400, 1e-6);
  EXPECT_EQ(Int("siRotLimitPassAct"), 0);  // cleared at the end of the event
}

TEST_F(MultiAxisTest, ArcChordsCarryTheirToolTipInPartCoordinates) {
  // A tool-tip post (srX_CL ...) on the trunnion tilted 30 degrees: every
  // chord of a linearised arc is on the part's circle, not only the last.
  RunPasses(Trunnion("siArcOn = 0\nsrRotDivAng = 0\n"),
            "FEDRAT/100\n" + Goto(10, 0, 0, 0, 30) + "CIRCLE/0,0,0,0,0,1,10\n" +
                Goto(0, 10, 0, 0, 30) + "FINI\n");
  ASSERT_GT(Calls(), 10);
  for (int k = 2; k <= Calls(); ++k) {
    EXPECT_NEAR(std::hypot(Real("urXCL", k), Real("urYCL", k)), 10, 1e-9) << k;
    EXPECT_GT(Real("urYCL", k), Real("urYCL", k - 1)) << k;  // on along the arc
  }
  EXPECT_NEAR(Real("urXCL", Calls()), 0, 1e-9);
  EXPECT_LT(Real("urXCL", 2), 10);  // the first chord's end, not the arc's
}

TEST_F(MultiAxisTest, AStretchIsPutInsideTheLimitsBeforeItStarts) {
  std::string functions = "func ReposRotRapid\nuiN = uiN + 1\nuiKind[uiN] = 9\nend func\n";
  // Feed moves turn C on to 300; a rapid move to 310, then feed moves on
  // to 400, which is beyond 360: the whole stretch goes a turn back,
  // starting at -50.  The last moves lie beyond the 40 records the ring
  // holds: they are read from the file.
  std::string cl = "FEDRAT/100\n";
  for (int a = 0; a <= 300; a += 100) cl += Goto(0, 0, 0, a, 30);
  cl += "RAPID\n" + Goto(0, 0, 0, 310, 30);
  for (int k = 1; k <= 100; ++k) cl += Goto(k, 0, 0, 310 + 0.9 * k, 30);
  cl += "RAPID\n" + Goto(0, 0, 50, 0, 0) + "FINI\n";
  RunPasses(Trunnion("srRotDivAng = 0\nsiReposRotRapid = 1\n", functions), cl);
  ASSERT_EQ(Calls(), 4 + 1 + 1 + 100 + 1);
  EXPECT_NEAR(Real("urRot", 4), 300, 1e-6);
  EXPECT_EQ(Int("uiKind", 5), 9);  // ReposRotRapid, then the rapid move
  EXPECT_NEAR(Real("urRot", 6), -50, 1e-6);
  EXPECT_NEAR(Real("urRot", 6 + 100), 40, 1e-6);
  EXPECT_NEAR(Real("srRotOffs"), -360, 1e-9);
  EXPECT_NEAR(Real("srRotReposOffs"), -360, 1e-9);  // where the axis was repositioned
  // Without the look-ahead the stretch runs over the limit.
  RunPasses(Trunnion("srRotDivAng = 0\nsiRotLimitWarn = 0\n", functions), cl);
  EXPECT_NEAR(Real("urRot", 5 + 100), 400, 1e-6);

  // A tilt the limits refuse is taken in the other solution: B -120..35.
  std::string flip = "FEDRAT/100\nRAPID\n" + Goto(0, 0, 0, 0, 60) + Goto(5, 0, 0, 10, 60) +
                     "FINI\n";
  RunPasses("main\nvariable\nuiN\nuiKind[9]\nurRot[9]\nurTilt[9]\nend\n"
            "rotary: table z 1 0 -360 360 0.001 0 0 0\n"
            "tilt: table y 1 0 -120 35 0.001 0 0 0\nsrRotDivAng = 0\nsiReposRotRapid = 1\n"
            "end main\nfunc Move\nuiN = uiN + 1\nurRot[uiN] = srRot\nurTilt[uiN] = srTilt\n"
            "end func\n",
            flip);
  ASSERT_EQ(Int("uiN"), 2);
  EXPECT_NEAR(std::fabs(Real("urRot", 1)), 180, 1e-6);
  EXPECT_NEAR(Real("urTilt", 1), -60, 1e-6);
  EXPECT_NEAR(Real("urTilt", 2), -60, 1e-6);  // the stretch stays in that solution
  EXPECT_NEAR(Real("urRot", 2) - Real("urRot", 1), 10, 1e-6);
}

TEST_F(MultiAxisTest, AHalfTurnThroughThePoleCallsHalfRotWithTheBreakPoint) {
  std::string functions =
      "func HalfRot\nuiN = uiN + 1\nuiKind[uiN] = 8\nurRot[uiN] = srRot_BreakPt\n"
      "urTilt[uiN] = srTilt_BreakPt\nurX[uiN] = srK_BreakPt\nurXCL[uiN] = srX_BreakPt\n"
      "end func\n";
  std::string cl = "FEDRAT/100\n" + Goto(-10, 0, 0, 0, 30) + Goto(10, 0, 0, 180, 30) + "FINI\n";
  RunPasses(Trunnion("siTiltLimit = 1\nsrRotDivAng = 0\n", functions), cl);
  ASSERT_EQ(Calls(), 3);
  EXPECT_EQ(Int("uiKind", 2), 8);
  EXPECT_NEAR(Real("urRot", 2), 0, 1e-9);   // the rotary axis waits at the pole
  EXPECT_NEAR(Real("urTilt", 2), 0, 1e-9);  // the tilt reaches the pole
  EXPECT_NEAR(Real("urX", 2), 1, 1e-9);     // the tool axis there is the rotary axis
  EXPECT_NEAR(Real("urXCL", 2), 0, 1e-6);   // half way, where the tilt is 0
  EXPECT_NEAR(std::fabs(Real("urRot", 3)), 180, 1e-6);
  // With a free tilt solution the other solution is taken: no half turn.
  RunPasses(Trunnion("srRotDivAng = 0\n", functions), cl);
  ASSERT_EQ(Calls(), 2);
  EXPECT_NEAR(Real("urRot", 2), 0, 1e-6);
  EXPECT_NEAR(Real("urTilt", 2), -30, 1e-6);
}

TEST_F(MultiAxisTest, ALimitCrossedCallsRotLimitPassAtTheCrossing) {
  std::string functions =
      "func RotLimitPass\nuiN = uiN + 1\nuiKind[uiN] = 7\nurTilt[uiN] = srTilt_BreakPt\n"
      "urXCL[uiN] = srX_BreakPt\nend func\n";
  RunPasses(Trunnion("srRotDivAng = 0\nsiRotLimitWarn = 0\n", functions),
            "FEDRAT/100\n" + Goto(0, 0, 0, 0, 100) + Goto(10, 0, 0, 0, 140) + "FINI\n");
  ASSERT_EQ(Calls(), 3);
  EXPECT_EQ(Int("uiKind", 2), 7);
  EXPECT_NEAR(Real("urTilt", 2), 120, 1e-6);  // half way from 100 to 140
  EXPECT_EQ(Int("siRotLimitPassAct"), 0);
}

TEST_F(MultiAxisTest, ThePoleKeepsTheRotaryAxisOrTakesTheNeutralAngle) {
  std::string cl = "FEDRAT/100\n" + Goto(0, 0, 0, 70, 20) + "GOTO/0,0,0,0,0,1\nFINI\n";
  RunPasses(Trunnion("srRotDivAng = 0\n"), cl);
  ASSERT_EQ(Calls(), 2);
  EXPECT_NEAR(Real("urRot", 2), 70, 1e-6);
  EXPECT_NEAR(Real("urTilt", 2), 0, 1e-6);
  RunPasses(Trunnion("srRotDivAng = 0\nsiRotNeutrSol = 1\nsrRotNeutrAng = 90\n"), cl);
  EXPECT_NEAR(Real("urRot", 2), 90, 1e-6);
}

TEST_F(MultiAxisTest, TheSecondPassStartsFromTheAnglesTheFirstStartedFrom) {
  std::string cl = "FEDRAT/100\n";
  for (int a = 30; a <= 750; a += 30) cl += "RAPID\n" + Goto(0, 0, 0, a, 30);
  RunPasses(Trunnion("srRotMaxAng = 99999\n"), cl + "FINI\n");
  EXPECT_NEAR(Real("urRot", 1), 30, 1e-6);  // not 780, after the first pass's 750
  EXPECT_NEAR(Real("urRot", Calls()), 750, 1e-6);
}

TEST_F(MultiAxisTest, AnIndexMoveReplacesTheRapidMoveOnlyWhereThePostHasOne) {
  std::string cl = "FEDRAT/100\n" + Goto(0, 0, 0, 0, 0) + "RAPID\n" + Goto(0, 0, 0, 0, 40) +
                   "FINI\n";
  RunPasses(Trunnion(), cl);
  ASSERT_EQ(Calls(), 2);
  EXPECT_EQ(Int("uiKind", 2), 2);  // the rapid move itself
  RunPasses(Trunnion("", "func IndexMove\nuiN = uiN + 1\nuiKind[uiN] = 6\nend func\n"), cl);
  ASSERT_EQ(Calls(), 2);
  EXPECT_EQ(Int("uiKind", 2), 6);
}

TEST_F(MultiAxisTest, TheWorkPlaneGetsItsAngles) {
  // MCS: the columns of the rotation are the work plane's axes; its Z
  // axis tilted 30 degrees toward +X.
  double c = std::cos(30 * kDeg), s = std::sin(30 * kDeg);
  char mcs[200];
  std::snprintf(mcs, sizeof mcs, "MCS/%.9f,0,%.9f,0,1,0,%.9f,0,%.9f,0,0,0\n", c, s, -s, c);
  RunPasses(Trunnion(), std::string(mcs) + "FINI\n");
  EXPECT_NEAR(Real("srWCoordRot"), 0, 1e-6);
  EXPECT_NEAR(Real("srWCoordTilt"), 30, 1e-6);
}


TEST_F(MultiAxisTest, AToolAxisOfZeroLengthNamesItsRecord) {
  Compile(Trunnion());
  EXPECT_EQ(RunReport("FEDRAT/100\nGOTO/0,0,0,0,0,0\nFINI\n"),
            std::string(kMsgZeroToolAxis) + "\nAPT-CL file - part.cl, line 2.");
}

TEST_F(MultiAxisTest, ATiltAxisWithoutARotaryAxisStopsTheRun) {
  Compile("main\ntilt: table y 1 0 -35 120 0.001 0 0 0\nend main\n");
  std::string report = RunReport("GOTO/0,0,0\nFINI\n");
  EXPECT_NE(report.find(kMsgTiltWithoutRotary), std::string::npos) << report;
}

// A C axis alone (a mill-turn's spindle) in polar interpolation along +X.
std::string PolarPost(const std::string& extra = "", const std::string& functions = "") {
  return "main\nvariable\nuiN\nuiKind[200]\nurRot[200]\nurX[200]\nurY[200]\nurVal[200]\nend\n"
         "rotary: table z 1 0 -99999 99999 0.001 0 0 0\n"
         "siRotPolarOn = 1\nsiRotPolarAx = 14\n" + extra + "end main\n"
         "func LineMove\nuiN = uiN + 1\nuiKind[uiN] = 1\nurRot[uiN] = srRot\n"
         "urX[uiN] = srX\nurY[uiN] = srY\nurVal[uiN] = siRotPolarAct\nend func\n"
         "func HalfRot\nuiN = uiN + 1\nuiKind[uiN] = 8\nurX[uiN] = srX_BreakPt\n"
         "urY[uiN] = srY_BreakPt\nend func\n" + functions;
}

TEST_F(MultiAxisTest, PolarInterpolationTurnsThePointOntoTheLinearAxis) {
  RunPasses(PolarPost(), "OPERTN/10\nFEDRAT/100\nGOTO/0,10,0,0,0,1\nGOTO/-10,10,0\nFINI\n");
  ASSERT_EQ(Calls(), 2);
  EXPECT_NEAR(Real("urRot", 1), 90, 1e-6);  // (0, 10) turned onto +X
  EXPECT_NEAR(Real("urX", 1), 10, 1e-9);
  EXPECT_NEAR(Real("urY", 1), 0, 1e-9);
  EXPECT_EQ(Real("urVal", 1), 1);
  EXPECT_NEAR(Real("urRot", 2), 135, 1e-6);
  EXPECT_NEAR(Real("urX", 2), std::sqrt(200.0), 1e-9);
  EXPECT_NEAR(Real("urY", 2), 0, 1e-9);
  // A line through the centre turns the table half a turn there.
  // (A rapid move first: only feed moves report a half turn.)
  RunPasses(PolarPost("", "func RapidMove\nuiN = uiN + 1\nurRot[uiN] = srRot\nend func\n"),
            "OPERTN/10\nRAPID\nGOTO/-10,0,0,0,0,1\nFEDRAT/100\nGOTO/10,0,0\nFINI\n");
  ASSERT_EQ(Calls(), 3);
  EXPECT_EQ(Int("uiKind", 2), 8);
  EXPECT_NEAR(Real("urX", 2), 0, 1e-9);
  EXPECT_NEAR(Real("urY", 2), 0, 1e-9);
  EXPECT_NEAR(std::fabs(Real("urRot", 3) - Real("urRot", 1)), 180, 1e-6);
}

TEST_F(MultiAxisTest, PolarArcsTurnTheRotaryAxisOrBecomeChords) {
  // About the C axis: 270 degrees counter-clockwise is a turn of +270, one
  // linear motion (the nearest angle alone would say -90).
  RunPasses(PolarPost(), "OPERTN/10\nFEDRAT/100\nGOTO/10,0,0,0,0,1\n"
                         "CIRCLE/0,0,0,0,0,1,10\nGOTO/0,-10,0\nFINI\n");
  ASSERT_EQ(Calls(), 2);
  EXPECT_NEAR(Real("urRot", 1), 0, 1e-6);
  EXPECT_NEAR(Real("urRot", 2), 270, 1e-6);
  EXPECT_NEAR(Real("urX", 2), 10, 1e-9);
  // About another centre: chords, each turned onto +X.
  RunPasses(PolarPost("srArcTol = 0.01\n"), "OPERTN/10\nFEDRAT/100\nGOTO/25,0,0,0,0,1\n"
                                              "CIRCLE/20,0,0,0,0,1,5\nGOTO/15,0,0\nFINI\n");
  ASSERT_GT(Calls(), 5);
  // Each chord end on +X, within what the C axis's rounding (0.001 degree) allows.
  for (int k = 1; k <= Calls(); ++k) EXPECT_NEAR(Real("urY", k), 0, 1e-3) << k;
  EXPECT_NEAR(Real("urX", Calls()), 15, 1e-9);
  // The linear axis must lie across the rotary axis.
  Compile(PolarPost("siRotPolarAx = -16\n"));
  EXPECT_NE(RunReport("OPERTN/10\nGOTO/0,0,0\nFINI\n").find(kMsgPolarAxisZ), std::string::npos);
}

TEST_F(MultiAxisTest, ANutatorHeadGetsItsAngles) {
  // A C head around Z carrying a nutator head (+1): the tool axis leaning
  // 60 degrees toward +X.
  RunPasses("main\nvariable\nuiN\nurRot[9]\nurTilt[9]\nend\n"
            "rotary: head z 1 0 -360 360 0.001 0 0 0\ntilt: head x 1 0 -180 180 0.001 0 0 0\n"
            "nutator: 1\nsrRotDivAng = 0\nend main\n"
            "func Move\nuiN = uiN + 1\nurRot[uiN] = srRot\nurTilt[uiN] = srTilt\nend func\n",
            "FEDRAT/100\nGOTO/0,0,0,0.8660254,0,0.5\nFINI\n");
  ASSERT_EQ(Int("uiN"), 1);
  AxisConfig c;
  c.rot_type = kAxisHead;
  c.rot_around = kAroundZ;
  c.tilt_type = kAxisHead;
  c.tilt_around = kAroundX;
  c.nutator = 1;
  KinematicRecord k;
  ASSERT_EQ(BuildKinematics(c, Real("urRot"), Real("urTilt"), k), nullptr);
  EXPECT_NEAR(k.orient[6], 0.8660254, 1e-5);
  EXPECT_NEAR(k.orient[7], 0, 1e-5);
  EXPECT_NEAR(k.orient[8], 0.5, 1e-5);
  EXPECT_NEAR(std::fabs(Real("urTilt")), 90, 1e-3);  // 2 cos t - 1 = 0.5 ... the swivel turns 90
}

}  // namespace
}  // namespace tornel
