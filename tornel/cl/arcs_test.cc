// Arc motions over whole APT-CL files: the values each arc (or piece, or
// chord) carries when its post function runs, and how arcs are cut.
#include "tornel/cl/arcs.h"

#include <cmath>
#include <initializer_list>
#include <numbers>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/post_run.h"
#include "tornel/cl/cl_reader.h"
#include "tornel/driver/run_host.h"
#include "tornel/sysvars/defaults.h"

namespace tornel {
namespace {

constexpr double kPi = std::numbers::pi;

// Each logging function appends its code to uiLog and up to eight values
// to urV[8 n + 1] ... urV[8 n + 8].
const char* kLogVariables =
    "main\nvariable\nuiN\nuiLog[300]\nurV[2500]\nend\nend main\n";

std::string LogFunc(const std::string& name, int code, std::initializer_list<std::string> values,
                    const std::string& extra = "") {
  std::string f = "func " + name + "\nuiN = uiN + 1\nuiLog[uiN] = " + std::to_string(code) + "\n";
  int k = 1;
  for (const std::string& v : values) f += "urV[uiN * 8 + " + std::to_string(k++) + "] = " + v + "\n";
  return f + extra + "end func\n";
}

class ArcsTest : public tornel_test::PostRun {
 protected:
  std::vector<int> Log() {
    std::vector<int> codes;
    for (int i = 1; i <= Int("uiN"); ++i) codes.push_back(Int("uiLog", i));
    return codes;
  }
  // Value k (1-8) of log entry n (from 1).
  double V(int n, int k) { return Real("urV", n * 8 + k); }
};

// Arcs start from (10, 0, 0) on a circle of radius 10 around the origin.
const char* kToStart = "FEDRAT/100\nGOTO/10,0,0\n";

std::string Post(const std::string& main_body, const std::string& funcs) {
  return std::string(kLogVariables) + "main\n" + main_body + "end main\n" + funcs;
}

TEST_F(ArcsTest, QuarterSplitGivesEachPieceItsEndCentreAndAngles) {
  std::string arc_log =
      LogFunc("ArcMove", 4, {"srX", "srY", "srIncAng", "srXC_Inc", "srYC_Inc", "srRadSg",
                             "srStartAng", "srMoveLen"});
  RunPasses(Post("siArcOnQuad = 1\n", arc_log + LogFunc("LineMove", 3, {"srX"})),
            std::string(kToStart) + "CIRCLE/0,0,0,0,0,1,10\nGOTO/0,-10,0\n");
  ASSERT_EQ(Log(), (std::vector<int>{3, 4, 4, 4}));
  const double ends[3][2] = {{0, 10}, {-10, 0}, {0, -10}};
  const double centre_inc[3][2] = {{-10, 0}, {0, -10}, {10, 0}};
  for (int p = 0; p < 3; ++p) {
    int n = p + 2;
    EXPECT_NEAR(V(n, 1), ends[p][0], 1e-9) << "piece " << p;
    EXPECT_NEAR(V(n, 2), ends[p][1], 1e-9) << "piece " << p;
    EXPECT_NEAR(V(n, 3), 90, 1e-9);
    EXPECT_NEAR(V(n, 4), centre_inc[p][0], 1e-9);
    EXPECT_NEAR(V(n, 5), centre_inc[p][1], 1e-9);
    EXPECT_EQ(V(n, 6), 10);
    EXPECT_NEAR(V(n, 7), 90 * p, 1e-9);
    EXPECT_NEAR(V(n, 8), 2 * kPi * 10 / 4, 1e-9);
  }
  EXPECT_EQ(Int("siArcDir"), 3);
  EXPECT_EQ(Int("siMoveType_Prev"), 4);
  EXPECT_NEAR(Real("srMoveLenOper"), 10 + 2 * kPi * 10 * 0.75, 1e-9);
  EXPECT_NEAR(Real("srMoveTimeOper"), (10 + 2 * kPi * 10 * 0.75) / 100, 1e-9);
}

TEST_F(ArcsTest, MaximumAngleCutsAtItsMultiples) {
  RunPasses(Post("srArcMaxAng = 120\n", LogFunc("ArcMove", 4, {"srIncAng", "srX", "srY"})),
            std::string(kToStart) + "CIRCLE/0,0,0,0,0,1,10\nGOTO/0,-10,0\n");
  ASSERT_EQ(Log(), (std::vector<int>{4, 4, 4}));
  EXPECT_NEAR(V(1, 1), 120, 1e-9);
  EXPECT_NEAR(V(2, 1), 120, 1e-9);
  EXPECT_NEAR(V(3, 1), 30, 1e-9);
  EXPECT_NEAR(V(2, 2), 10 * std::cos(240 * kPi / 180), 1e-9);
  EXPECT_NEAR(V(2, 3), 10 * std::sin(240 * kPi / 180), 1e-9);
}

TEST_F(ArcsTest, FullCirclesAndTheRadiusOrCentreChain) {
  std::string funcs = LogFunc("CenterArcMove", 5, {"srIncAng", "srRadSg", "siArcDir", "srcMove"}) +
                      LogFunc("RadiusArcMove", 6, {"srIncAng", "srRadSg", "siArcDir", "srcMove"});
  RunPasses(Post("", funcs),
            std::string(kToStart) +
                "CIRCLE/0,0,0,0,0,1,10\nGOTO/10,0,0\n"     // full circle, counter-clockwise
                "CIRCLE/0,0,0,0,0,-1,10\nGOTO/10,0,0\n"    // full circle, clockwise
                "CIRCLE/0,0,0,0,0,1,10\nGOTO/-10,0,0\n"    // half circle: by radius
                "CIRCLE/0,0,0,0,0,-1,10\nGOTO/0,-10,0\n");  // 270 clockwise: by centre
  ASSERT_EQ(Log(), (std::vector<int>{5, 5, 6, 5}));
  EXPECT_DOUBLE_EQ(V(1, 1), 360);
  EXPECT_EQ(V(1, 2), -10);
  EXPECT_EQ(V(1, 3), 3);
  EXPECT_EQ(V(1, 4), 3);  // srcArcCcw
  EXPECT_DOUBLE_EQ(V(2, 1), -360);
  EXPECT_EQ(V(2, 2), -10);
  EXPECT_EQ(V(2, 3), 2);
  EXPECT_EQ(V(2, 4), 2);
  EXPECT_NEAR(V(3, 1), 180, 1e-9);
  EXPECT_EQ(V(3, 2), 10);
  EXPECT_NEAR(V(4, 1), -270, 1e-9);
  EXPECT_EQ(V(4, 2), -10);
}

TEST_F(ArcsTest, SmallArcBecomesChordsWithinTheArcTolerance) {
  std::string funcs =
      LogFunc("LineMove", 3, {"srX", "srY", "siMoveType", "srMoveLen"}) + LogFunc("ArcMove", 4, {"0"});
  RunPasses(Post("srMinRad = 5\nsrArcTol = 0.01\n", funcs),
            "FEDRAT/100\nGOTO/2,0,0\nCIRCLE/0,0,0,0,0,1,2\nGOTO/-2,0,0\n");
  std::vector<int> log = Log();
  int chords = static_cast<int>(log.size()) - 1;
  double step = 2 * std::acos(1 - 0.01 / 2) * 180 / kPi;
  EXPECT_EQ(chords, static_cast<int>(std::ceil(180 / step)));
  ASSERT_GT(chords, 4);
  double x0 = 2;
  double y0 = 0;
  double length = 0;
  for (int n = 2; n <= chords + 1; ++n) {
    EXPECT_EQ(log[n - 1], 3);
    double x = V(n, 1);
    double y = V(n, 2);
    EXPECT_NEAR(std::hypot(x, y), 2, 1e-9);  // chord ends lie on the circle
    double mid = std::hypot((x + x0) / 2, (y + y0) / 2);
    EXPECT_LE(2 - mid, 0.01 + 1e-12);  // and the chord stays within the tolerance
    EXPECT_GE(y, 0);                   // counter-clockwise through the top
    EXPECT_EQ(V(n, 3), 3);
    length += V(n, 4);
    x0 = x;
    y0 = y;
  }
  EXPECT_NEAR(x0, -2, 1e-12);
  EXPECT_NEAR(y0, 0, 1e-12);
  EXPECT_EQ(Int("siMoveType_Prev"), 3);
  EXPECT_NEAR(Real("srMoveLenOper"), 2 + length, 1e-9);
}

TEST_F(ArcsTest, ArcOutOfTheArcPlaneIsWrittenAsChords) {
  // A half circle in XZ about +Y while the arc plane is XY.
  std::string funcs = LogFunc("LineMove", 3, {"srX", "srY", "srZ"}) + LogFunc("ArcMove", 4, {"0"});
  const char* cl = "FEDRAT/100\nGOTO/10,0,0\nCIRCLE/0,0,0,0,1,0,10\nGOTO/-10,0,0\n";
  RunPasses(Post("", funcs), cl);
  std::vector<int> log = Log();
  ASSERT_GT(log.size(), 3u);
  double lowest = 0;
  for (size_t n = 2; n <= log.size(); ++n) {
    EXPECT_EQ(log[n - 1], 3);
    EXPECT_NEAR(V(n, 2), 0, 1e-12);
    EXPECT_NEAR(std::hypot(V(n, 1), V(n, 3)), 10, 1e-9);
    lowest = std::min(lowest, V(n, 3));
  }
  EXPECT_NEAR(lowest, -10, 0.01);  // counter-clockwise about +Y passes below
  // In the XZ plane the same arc is one arc.
  RunPasses(Post("siArcPlane = 18\nsiArcOn = 20\n", LogFunc("ArcMove", 4, {"srIncAng", "siArcDir", "srStartAng"})),
            cl);
  ASSERT_EQ(Log(), (std::vector<int>{4}));
  EXPECT_NEAR(V(1, 1), 180, 1e-9);
  EXPECT_EQ(V(1, 2), 3);
  EXPECT_NEAR(V(1, 3), 90, 1e-9);  // (Z, X) = (0, 10)
  // Clockwise about +Y: the vertical tool cannot tell the sense, the plane
  // normal does.
  RunPasses(Post("siArcPlane = 18\nsiArcOn = 20\n", LogFunc("ArcMove", 4, {"srIncAng", "siArcDir"})),
            "FEDRAT/100\nGOTO/10,0,0\nCIRCLE/0,0,0,0,-1,0,10\nGOTO/-10,0,0\n");
  ASSERT_EQ(Log(), (std::vector<int>{4}));
  EXPECT_NEAR(V(1, 1), -180, 1e-9);
  EXPECT_EQ(V(1, 2), 2);
}

TEST_F(ArcsTest, HelixLeadAndLength) {
  std::string funcs =
      LogFunc("HelicalArcMove", 7, {"srHelicDist", "srHelicLead", "srMoveLen", "siHelic", "srIncAng"});
  RunPasses(Post("siHelicOn = 1\n", funcs),
            std::string(kToStart) + "CIRCLE/0,0,0,0,0,1,10\nGOTO/10,0,-2\n"
                                    "CIRCLE/0,0,0,0,0,1,10\nGOTO/0,10,-5\n");
  ASSERT_EQ(Log(), (std::vector<int>{7, 7}));
  EXPECT_DOUBLE_EQ(V(1, 1), -2);
  EXPECT_DOUBLE_EQ(V(1, 2), -2);
  EXPECT_NEAR(V(1, 3), std::hypot(2 * kPi * 10, 2), 1e-9);
  EXPECT_EQ(V(1, 4), 1);
  EXPECT_NEAR(V(1, 5), 360, 1e-9);
  EXPECT_NEAR(V(2, 1), -3, 1e-12);
  EXPECT_NEAR(V(2, 2), -12, 1e-9);  // a quarter turn descends 3: 12 per turn
  // Without helical output a helix becomes chords that descend evenly.
  RunPasses(Post("", LogFunc("LineMove", 3, {"srZ"})),
            std::string(kToStart) + "CIRCLE/0,0,0,0,0,1,10\nGOTO/0,10,-5\n");
  std::vector<int> log = Log();
  ASSERT_GT(log.size(), 3u);
  int chords = static_cast<int>(log.size()) - 1;
  EXPECT_NEAR(V(2, 1), -5.0 / chords, 1e-9);
  EXPECT_DOUBLE_EQ(V(chords + 1, 1), -5);
}

TEST_F(ArcsTest, NearlyClosedArcIsDropped) {
  std::string funcs = LogFunc("ArcMove", 4, {"0"}) + LogFunc("LineMove", 3, {"srX"});
  RunPasses(Post("", funcs),
            std::string(kToStart) + "CIRCLE/0,0,0,0,0,1,10\nGOTO/10,0.0005,0\nGOTO/20,0,0\n");
  EXPECT_EQ(Log(), (std::vector<int>{3, 3}));
  EXPECT_EQ(V(2, 1), 20);
  EXPECT_EQ(Int("siMoveType_Prev"), 3);
}

TEST_F(ArcsTest, ArcToLinesSendsTheArcThroughTheLinearChain) {
  std::string funcs = LogFunc("ArcMove", 4, {"srIncAng"}, "ArcToLines()\n") +
                      LogFunc("LineMove", 3, {"srX", "srY"});
  RunPasses(Post("", funcs), std::string(kToStart) + "CIRCLE/0,0,0,0,0,1,10\nGOTO/0,10,0\n");
  std::vector<int> log = Log();
  ASSERT_GE(log.size(), 4u);
  EXPECT_EQ(log[1], 4);
  int chords = static_cast<int>(log.size()) - 2;
  double step = 2 * std::acos(1 - 0.001 / 10) * 180 / kPi;
  EXPECT_EQ(chords, static_cast<int>(std::ceil(90 / step)));
  EXPECT_NEAR(V(chords + 2, 1), 0, 1e-12);
  EXPECT_NEAR(V(chords + 2, 2), 10, 1e-12);
  EXPECT_EQ(Int("siMoveType_Prev"), 3);
}

TEST_F(ArcsTest, CircleRecordValues) {
  RunPasses(Post("", ""), "GOTO/10,0,5\nCIRCLE/2,3,5,0,0,1,8\n");
  EXPECT_EQ(Int("siMoveType"), 4);
  EXPECT_EQ(Real("srXC_CL"), 2);
  EXPECT_EQ(Real("srKC_CL"), 1);
  EXPECT_EQ(Real("srRad"), 8);
  EXPECT_EQ(Real("srXC_In_Inc"), -8);
  EXPECT_EQ(Real("srYC_CL_Inc"), 3);
}

}  // namespace
}  // namespace tornel
