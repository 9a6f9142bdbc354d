// Angles from tool axes: continuity, the pole, the half-turn rule, the
// limit check and its texts, break fractions and divided moves.
#include "tornel/kinematics/angle_solution.h"

#include <cmath>
#include <numbers>
#include <random>

#include <gtest/gtest.h>

namespace tornel {
namespace {

constexpr double kDeg = std::numbers::pi / 180;

AxisConfig Trunnion() {  // C table around Z on a B table around Y
  AxisConfig c;
  c.rot_type = kAxisTable;
  c.rot_around = kAroundZ;
  c.tilt_type = kAxisTable;
  c.tilt_around = kAroundY;
  c.tilt_min = -35;
  c.tilt_max = 120;
  return c;
}

void AxisAt(double rot_deg, double tilt_deg, double a[3]) {
  // Around Z, tilt around Y: the third row (st cr, st sr, ct).
  a[0] = std::sin(tilt_deg * kDeg) * std::cos(rot_deg * kDeg);
  a[1] = std::sin(tilt_deg * kDeg) * std::sin(rot_deg * kDeg);
  a[2] = std::cos(tilt_deg * kDeg);
}

TEST(AngleSolution, NearestRotaryKeepsTheAxisTurningOn) {
  EXPECT_EQ(NearestRotary(10, 355), 370);
  EXPECT_EQ(NearestRotary(-170, 175), 190);
  EXPECT_EQ(NearestRotary(350, 0), -10);
  EXPECT_EQ(NearestRotary(180, 0), 180);   // exactly half a turn stays
  EXPECT_EQ(NearestRotary(-180, 0), -180);
  EXPECT_EQ(NearestRotary(5, 725), 725);
}

TEST(AngleSolution, FoldingIntoTheLimitsByWholeTurns) {
  AxisConfig c = Trunnion();
  c.rot_min = -360;
  c.rot_max = 360;
  EXPECT_DOUBLE_EQ(FoldIntoLimits(c, 400, true), 40);
  EXPECT_DOUBLE_EQ(FoldIntoLimits(c, 800, false), 80);
  c.rot_min = 0;
  c.rot_max = 720;
  EXPECT_DOUBLE_EQ(FoldIntoLimits(c, 800, false), 440);  // a turn at a time
  EXPECT_DOUBLE_EQ(FoldIntoLimits(c, 800, true), 80);    // the nearest turn first
  EXPECT_DOUBLE_EQ(FoldIntoLimits(c, -1e12 - 10, false), std::fmod(-1e12 - 10, 360) + 360);
  c.rot_min = -10;  // limits narrower than a turn: the last turn tried stays
  c.rot_max = 10;
  EXPECT_DOUBLE_EQ(FoldIntoLimits(c, 400, true), 40);
  EXPECT_TRUE(RotaryOutOfLimits(c, 40));
}

TEST(AngleSolution, RoundingToTheAccuracy) {
  EXPECT_DOUBLE_EQ(RoundToAccuracy(12.3456, 0.001), 12.346);
  EXPECT_DOUBLE_EQ(RoundToAccuracy(12.3456, 0), 12.3456);
  AxisConfig c = Trunnion();
  c.rot_accuracy = 0.5;
  double a[3];
  AxisAt(30.2, 40, a);
  AngleSolution s;
  ASSERT_EQ(SolveAngles(c, a, false, 0, s), nullptr);
  EXPECT_DOUBLE_EQ(s.rot, 30);
  EXPECT_NEAR(s.tilt, 40, 1e-9);
}

TEST(AngleSolution, ThePoleKeepsThePreviousOrTheNeutralAngle) {
  AxisConfig c = Trunnion();
  AxisStepInput in;
  in.rot_prev = 123.5;
  AxisStep step;
  ASSERT_EQ(SolveAxisStep(c, in, step), nullptr);  // (0, 0, 1)
  EXPECT_TRUE(step.pole);
  EXPECT_DOUBLE_EQ(step.rot, 123.5);
  EXPECT_DOUBLE_EQ(step.tilt, 0);
  in.neutral = true;
  in.neutral_angle = 90;
  ASSERT_EQ(SolveAxisStep(c, in, step), nullptr);
  EXPECT_DOUBLE_EQ(step.rot, 90);
  // Within the pole tolerance (srTiltAccuracy, degrees) is the pole too.
  AxisAt(40, 0.0005, in.axis);
  ASSERT_EQ(SolveAxisStep(c, in, step), nullptr);
  EXPECT_TRUE(step.pole);
  AxisAt(40, 0.01, in.axis);
  ASSERT_EQ(SolveAxisStep(c, in, step), nullptr);
  EXPECT_FALSE(step.pole);
  EXPECT_NEAR(step.rot, 40, 1e-9);
}

TEST(AngleSolution, TenDegreesAMovePastAFullTurnGoesOnCounting) {
  AxisConfig c = Trunnion();
  AxisStepInput in;
  double expected = 0;
  for (int n = 0; n <= 60; ++n) {
    expected = n * 10.0;
    AxisAt(expected, 30, in.axis);
    AxisStep step;
    ASSERT_EQ(SolveAxisStep(c, in, step), nullptr);
    ASSERT_NEAR(step.rot, expected, 1e-6) << n;
    ASSERT_FALSE(step.half_turn);
    in.rot_prev = step.rot;
    in.tilt_prev = step.tilt;
  }
  EXPECT_NEAR(in.rot_prev, 600, 1e-6);
}

TEST(AngleSolution, LongPathsNeverJumpMoreThanHalfATurn) {
  // Tool axes wandering in small steps over the whole sphere, through the
  // poles too, on every kind of rotary axis: consecutive rotary values
  // differ by at most half a turn, and exactly half a turn only where the
  // step says so.
  std::mt19937_64 random(29);
  std::normal_distribution<double> n(0, 0.05);
  const int32_t pairs[][2] = {{kAroundX, kAroundY}, {kAroundY, kAroundX},
                              {kAroundZ, kAroundX}, {kAroundZ, kAroundY}};
  for (const auto& p : pairs) {
    for (int limit : {-1, 0, 1}) {
      AxisConfig c = Trunnion();
      c.rot_around = p[0];
      c.tilt_around = p[1];
      c.tilt_limit = limit;
      double a[3] = {0, 0, 1};
      AxisStepInput in;
      for (int k = 0; k < 20000; ++k) {
        for (double& x : a) x += n(random);
        double len = std::sqrt(a[0] * a[0] + a[1] * a[1] + a[2] * a[2]);
        for (int i = 0; i < 3; ++i) in.axis[i] = a[i] / len;
        AxisStep step;
        ASSERT_EQ(SolveAxisStep(c, in, step), nullptr);
        double jump = std::fabs(step.rot - in.rot_prev);
        ASSERT_LE(jump, 180 + 1e-9) << k;
        if (std::fabs(jump - 180) < 1e-9) {
          ASSERT_TRUE(step.half_turn) << k;
        }
        in.rot_prev = step.rot;
        in.tilt_prev = step.tilt;
      }
    }
  }
}

TEST(AngleSolution, AHalfTurnTakesTheOtherSolution) {
  AxisConfig c = Trunnion();
  AxisStepInput in;
  in.rot_prev = 0;
  AxisAt(180, 30, in.axis);  // the same as rotary 0, tilt -30
  AxisStep step;
  ASSERT_EQ(SolveAxisStep(c, in, step), nullptr);
  EXPECT_DOUBLE_EQ(step.rot, 0);
  EXPECT_NEAR(step.tilt, -30, 1e-9);
  EXPECT_FALSE(step.half_turn);
  // With a tilt solution demanded, the half turn stays and is reported.
  c.tilt_limit = 1;
  ASSERT_EQ(SolveAxisStep(c, in, step), nullptr);
  EXPECT_NEAR(std::fabs(step.rot), 180, 1e-9);
  EXPECT_NEAR(step.tilt, 30, 1e-9);
  EXPECT_TRUE(step.half_turn);
  // siTiltLimit -1: the negative solution.
  c.tilt_limit = -1;
  AxisAt(45, 30, in.axis);
  ASSERT_EQ(SolveAxisStep(c, in, step), nullptr);
  EXPECT_NEAR(step.tilt, -30, 1e-9);
  EXPECT_NEAR(step.rot, -135, 1e-9);
}

TEST(AngleSolution, ARotaryAxisAroundXMirrorsTheTiltAbout90) {
  AxisConfig c;
  c.rot_type = kAxisHead;
  c.rot_around = kAroundX;
  c.tilt_type = kAxisHead;
  c.tilt_around = kAroundY;
  AngleSolution first, other;
  const double a[3] = {0.5, -0.5, std::sqrt(0.5)};
  ASSERT_EQ(SolveAngles(c, a, false, 0, first), nullptr);
  ASSERT_EQ(SolveAngles(c, a, true, 0, other), nullptr);
  EXPECT_NEAR(other.tilt, 180 - first.tilt, 1e-9);
  EXPECT_NEAR(std::fabs(other.rot - first.rot), 180, 1e-9);
}

TEST(AngleSolution, BadToolAxes) {
  AxisConfig c = Trunnion();
  AngleSolution s;
  const double zero[3] = {0, 0, 0};
  EXPECT_STREQ(SolveAngles(c, zero, false, 0, s), kMsgBadToolAxis);
  const double inf[3] = {INFINITY, 0, 1};
  EXPECT_STREQ(SolveAngles(c, inf, false, 0, s), kMsgBadToolAxis);
  const double nan[3] = {NAN, 0, 1};
  EXPECT_STREQ(SolveAngles(c, nan, false, 0, s), kMsgBadToolAxis);
  // An axis not of unit length is taken for its direction.
  const double long_axis[3] = {0, 2, 2};
  ASSERT_EQ(SolveAngles(c, long_axis, false, 0, s), nullptr);
  EXPECT_NEAR(s.rot, 90, 1e-9);
  EXPECT_NEAR(s.tilt, 45, 1e-9);
  // Without a rotary axis nothing is solved.
  EXPECT_EQ(SolveAngles(AxisConfig{}, zero, false, 0, s), nullptr);
}

TEST(AngleSolution, LimitTextsAndOneMessageForTheSameAngle) {
  EXPECT_EQ(LimitAngleText(400), "+400.");
  EXPECT_EQ(LimitAngleText(-12.5), "-12.5");
  EXPECT_EQ(LimitAngleText(0.0004), "+0.");
  AxisConfig c = Trunnion();
  c.rot_min = -360;
  c.rot_max = 360;
  LimitMemory memory;
  LimitCheck check = CheckLimits(c, 400, 10, true, memory);
  EXPECT_TRUE(check.out);
  EXPECT_TRUE(check.rot_counts);
  EXPECT_FALSE(check.tilt_counts);
  EXPECT_EQ(check.rot_text, "+400.");
  check = CheckLimits(c, 400, 10, true, memory);
  EXPECT_TRUE(check.out);
  EXPECT_FALSE(check.rot_counts);  // the same angle again: no new message
  check = CheckLimits(c, 410, 130, true, memory);
  EXPECT_TRUE(check.rot_counts);
  EXPECT_TRUE(check.tilt_counts);
  check = CheckLimits(c, 360.000005, 120, true, memory);  // within the margin
  EXPECT_FALSE(check.out);
  check = CheckLimits(c, 500, 0, false, memory);  // no warning: only the flag
  EXPECT_TRUE(check.out);
  EXPECT_FALSE(check.rot_counts);
}

TEST(AngleSolution, TheFirstLimitCrossedGivesTheBreakFraction) {
  AxisConfig c = Trunnion();
  c.rot_min = -360;
  c.rot_max = 360;
  EXPECT_DOUBLE_EQ(LimitCrossing(c, 350, 370, 0, 0), 0.5);
  EXPECT_DOUBLE_EQ(LimitCrossing(c, 0, 10, 100, 140), 0.5);
  EXPECT_DOUBLE_EQ(LimitCrossing(c, 0, 10, -30, -40), 0.5);
  EXPECT_EQ(LimitCrossing(c, 0, 10, 0, 10), -1);
  EXPECT_EQ(LimitCrossing(c, 370, 380, 0, 0), -1);  // already out: no crossing
}

TEST(AngleSolution, DividedMoves) {
  DivisionInput in;
  in.rot_change = 12;
  in.tilt_change = -3;
  in.div_angle = 5;
  EXPECT_EQ(DivisionSteps(in), 3);
  in.rot_change = 10;
  EXPECT_EQ(DivisionSteps(in), 2);  // exactly two steps of 5
  in.rot_change = 0.5;
  EXPECT_EQ(DivisionSteps(in), 1);
  // By tolerance: 2 acos(1 - 0.01/100) is 1.62 degrees a step.
  in = DivisionInput{};
  in.rot_change = 10;
  in.tolerance = 0.01;
  in.rot_radius = 100;
  EXPECT_EQ(DivisionSteps(in), 7);
  in.rot_radius = 0;  // the tool point on the axis: R is raised to the tolerance
  EXPECT_EQ(DivisionSteps(in), 1);
}

TEST(AngleSolution, AxisInterpolationStaysInThePlaneOfBothAxes) {
  const double a[3] = {0, 0, 1};
  const double b[3] = {1, 0, 0};
  double m[3];
  InterpolateAxis(a, b, 0.5, m);
  EXPECT_NEAR(m[0], std::sqrt(0.5), 1e-12);
  EXPECT_NEAR(m[1], 0, 1e-12);
  EXPECT_NEAR(m[2], std::sqrt(0.5), 1e-12);
  InterpolateAxis(a, b, 1.0 / 3, m);
  EXPECT_NEAR(std::atan2(m[0], m[2]) / kDeg, 30, 1e-9);
  InterpolateAxis(a, a, 0.3, m);
  EXPECT_NEAR(m[2], 1, 1e-12);
}

}  // namespace
}  // namespace tornel
