// The matrix and vector procedures in posts: matrices in REAL arrays and
// system variables, the kinematics behind MatrAng, AngVect and VectAng,
// the limit check of AngChkLim and the reports of bad arguments.
#include "tornel/builtins/matrix_calls.h"

#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "tests/post_run.h"
#include "tornel/kinematics/angle_solution.h"
#include "tornel/kinematics/axis_model.h"

namespace tornel {
namespace {

class MatrixCalls : public tornel_test::PostRun {
 protected:
  // A post whose MAIN runs `body` on a trunnion (C table around Z on a B
  // table around Y, B from -35 to 120).
  void RunBody(const std::string& body) {
    Run("main\nvariable\nurM[9]\nurT[9]\nurV[3]\nurA\nurB\nurC\nurD\nurE\nend\n"
        "rotary: table z 1 0 -360 360 0.001 0 0 0\n"
        "tilt: table y 1 0 -35 120 0.001 0 0 0\n" +
        body + "end main\n");
  }
  double M(int i) { return Real("urM", i); }
};

TEST_F(MatrixCalls, SetResetCopyAndTheInputFrame) {
  RunBody("MatrSet(urM[1], 1, 2, 3, 4, 5, 6, 7, 8, 9)\nMatrCopy(urM[1], urT[1])\n"
          "MatrReset(urM[1])\nMatrSet(srXIT_In, 0, 1, 0, -1, 0, 0, 0, 0, 1)\n");
  for (int i = 1; i <= 9; ++i) {
    EXPECT_EQ(Real("urT", i), i);
    EXPECT_EQ(M(i), i % 4 == 1 ? 1 : 0) << i;
  }
  EXPECT_EQ(Real("srXJT_In"), 1);  // the input frame's row X: (0, 1, 0)
  EXPECT_EQ(Real("srYIT_In"), -1);
}

TEST_F(MatrixCalls, EulerViewWorldAndCoordinates) {
  // MatrEuler(90, 0, 0): the columns (0, -1, 0), (1, 0, 0), (0, 0, 1).
  RunBody("MatrEuler(urM[1], 90, 0, 0)\n"
          "CoordView(urA, urB, urC, 1, 2, 3, urM[1])\n"
          "CoordWorld(urD, urE, urV[1], urA, urB, urC, urM[1])\n");
  const double want[9] = {0, 1, 0, -1, 0, 0, 0, 0, 1};
  for (int i = 0; i < 9; ++i) EXPECT_NEAR(M(i + 1), want[i], 1e-12) << i;
  EXPECT_NEAR(Real("urA"), 2, 1e-12);   // m · (1, 2, 3)
  EXPECT_NEAR(Real("urB"), -1, 1e-12);
  EXPECT_NEAR(Real("urC"), 3, 1e-12);
  EXPECT_NEAR(Real("urD"), 1, 1e-12);   // and back by the transpose
  EXPECT_NEAR(Real("urE"), 2, 1e-12);
  EXPECT_NEAR(Real("urV"), 3, 1e-12);

  // MatrView turns each row by t, MatrWorld turns it back.
  RunBody("MatrSet(urM[1], 1, 2, 3, 4, 5, 6, 7, 8, 9)\nMatrEuler(urT[1], 30, 40, 50)\n"
          "MatrView(urM[1], urT[1])\nMatrWorld(urM[1], urT[1])\n");
  for (int i = 1; i <= 9; ++i) EXPECT_NEAR(M(i), i, 1e-12);
}

TEST_F(MatrixCalls, AnglesAndToolAxesOfTheMachine) {
  RunBody("AngVect(urA, urB, 0.5, 0.5, 0.70710678118654752)\n"
          "VectAng(urC, urD, urE, urA, urB)\n"
          "MatrAng(urM[1], urA, urB)\n");
  EXPECT_NEAR(Real("urA"), 45, 1e-3);  // rotary
  EXPECT_NEAR(Real("urB"), 45, 1e-3);  // tilt
  EXPECT_NEAR(Real("urC"), 0.5, 1e-5);
  EXPECT_NEAR(Real("urD"), 0.5, 1e-5);
  EXPECT_NEAR(Real("urE"), std::sqrt(0.5), 1e-5);
  EXPECT_NEAR(M(7), Real("urC"), 1e-12);  // the orientation's third row is the axis
  EXPECT_NEAR(M(9), Real("urE"), 1e-12);

  // At the pole AngVectExt says so; MatrVect gives the first solution's frame.
  RunBody("AngVectExt(urA, urB, 0, 0, 1, urC, urD)\nMatrVect(urM[1], 0, 1, 0)\n");
  EXPECT_EQ(Real("urD"), 1);
  EXPECT_NEAR(Real("urB"), 0, 1e-12);
  EXPECT_NEAR(M(8), 1, 1e-12);

  // MatrAngExt: the tables turn the part about their pivots; a part point
  // p is at table · p - v.  Tilt 90 about a pivot 100 below the part zero.
  RunBody("srPostUnitFactor = 1\nsrTilt_Z_Pivot = -100\nsrRot_Z_Pivot = -100\nMatrAngExt(urM[1], urV[1], 0, 90)\n");
  EXPECT_NEAR(Real("urV", 1), 100, 1e-9);
  EXPECT_NEAR(Real("urV", 3), 100, 1e-9);
}

TEST_F(MatrixCalls, NutAngVectSolvesForTheHeadItDescribes) {
  // The trunnion's C axis with a nutator head pointing +1, the tilt
  // solution free, tilt direction -1.
  RunBody("NutAngVect(urA, urB, 0.8660254, 0, 0.5, 1, 0, -1)\n");
  AxisConfig c;
  c.rot_type = kAxisTable;
  c.rot_around = kAroundZ;
  c.tilt_type = kAxisTable;
  c.tilt_around = kAroundY;
  c.nutator = 1;
  c.rot_min = -360;
  c.rot_max = 360;
  c.tilt_min = -35;
  c.tilt_max = 120;
  const double axis[3] = {0.8660254, 0, 0.5};
  AngleSolution s;
  ASSERT_EQ(SolveAngles(c, axis, true, 0, s), nullptr);
  EXPECT_DOUBLE_EQ(Real("urA"), s.rot);
  EXPECT_DOUBLE_EQ(Real("urB"), s.tilt);
  EXPECT_NEAR(Real("urB"), -90, 1e-3);
}

TEST_F(MatrixCalls, AngChkLimFlagsAnAngleBeyondTheLimits) {
  RunBody("AngChkLim(10, 130)\nurA = siRotLimitPassAct\n");
  EXPECT_EQ(Real("urA"), 1);
  RunBody("AngChkLim(10, 100)\nurA = siRotLimitPassAct\n");
  EXPECT_EQ(Real("urA"), 0);
}

TEST_F(MatrixCalls, BadArguments) {
  const std::string head = "main\nvariable\nurLast\nuiN\nend\n";
  EXPECT_EQ(ReportOf(head + "MatrSet(uiN, 1, 2, 3, 4, 5, 6, 7, 8, 9)\nend main\n"),
            Report("Parameter 1 must be REAL variable in MatrSet function in", 6,
                   "MatrSet(uiN, 1, 2, 3, 4, 5, 6, 7, 8, 9)"));
  EXPECT_EQ(ReportOf(head + "rotary: table z 1 0 -360 360 0.001 0 0 0\n"
                            "AngVect(urLast, urLast, 0, 0, 0)\nend main\n"),
            Report(kMsgBadToolAxis, 7, "AngVect(urLast, urLast, 0, 0, 0)"));
  EXPECT_EQ(ReportOf(head + "NutAngVect(urLast, uiN, 0, 0, 1, 1, 0, 1)\nend main\n"),
            Report("Parameter 2 must be REAL variable in NutAngVect function in", 6,
                   "NutAngVect(urLast, uiN, 0, 0, 1, 1, 0, 1)"));
}

}  // namespace
}  // namespace tornel
