#include "tornel/builtins/math.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

namespace tornel {
namespace {

double Ok(MathResult r) {
  EXPECT_EQ(r.error, MathError::kNone);
  return r.value;
}

TEST(MathFunctions, SignTakesZeroAsPositive) {
  EXPECT_EQ(Sign(0), 1);
  EXPECT_EQ(Sign(-0.0), 1);
  EXPECT_EQ(Sign(-0.0001), -1);
  EXPECT_EQ(Sign(5), 1);
}

TEST(MathFunctions, RoundSnapsHalfUpAndIgnoresANonPositiveStep) {
  EXPECT_EQ(Round(2.5, 1), 3);
  EXPECT_EQ(Round(-2.5, 1), -2);
  EXPECT_EQ(Round(-2.6, 1), -3);
  EXPECT_EQ(Round(7.3, 0), 7.3);
  EXPECT_EQ(Round(7.3, -1), 7.3);
  EXPECT_NEAR(Round(1.23456, 0.01), 1.23, 1e-12);
  EXPECT_EQ(Round(7, 5), 5);
}

TEST(MathFunctions, TruncIntFracGoTowardZeroInThirtyTwoBits) {
  EXPECT_EQ(Ok(Trunc(-7.9, 1)), -7);
  EXPECT_EQ(Ok(Trunc(7.77, 0.5)), 7.5);
  EXPECT_EQ(Ok(Trunc(-7.77, 0.5)), -7.5);
  EXPECT_EQ(Trunc(7, 0).error, MathError::kStepNotPositive);
  EXPECT_EQ(Trunc(7, -1).error, MathError::kStepNotPositive);
  EXPECT_EQ(Ok(Int(-3.7)), -3);
  EXPECT_EQ(Ok(Int(3.7)), 3);
  EXPECT_NEAR(Ok(Frac(-3.7)), -0.7, 1e-12);
  EXPECT_NEAR(Ok(Frac(3.25)), 0.25, 1e-15);

  // The limits of a 32-bit integer part.
  EXPECT_EQ(Ok(Int(2147483647.9)), 2147483647.0);
  EXPECT_EQ(Ok(Int(-2147483647.9)), -2147483647.0);
  EXPECT_EQ(Int(2147483648.0).error, MathError::kIntegerRange);
  EXPECT_EQ(Int(-3e9).error, MathError::kIntegerRange);
  EXPECT_EQ(Frac(1e10).error, MathError::kIntegerRange);
  EXPECT_EQ(Trunc(1, 1e-10).error, MathError::kIntegerRange);  // the quotient counts
  EXPECT_EQ(Ok(Trunc(4e9, 2)), 4e9);
  EXPECT_EQ(Int(std::numeric_limits<double>::quiet_NaN()).error, MathError::kIntegerRange);
}

TEST(MathFunctions, Rot360) {
  EXPECT_EQ(Rot360(-30, 0), 330);
  EXPECT_NEAR(Rot360(725, 0.001), 5, 1e-9);
  EXPECT_EQ(Rot360(725, 0), 5);
  EXPECT_EQ(Rot360(359.9996, 0.001), 0);  // snapped to 360 first
  EXPECT_NEAR(Rot360(359.9994, 0.001), 359.999, 1e-9);
  EXPECT_NEAR(Rot360(-720.5, 0), 359.5, 1e-9);
  EXPECT_EQ(Rot360(360, 0), 0);
  // Far-off values end, in range.
  double far = Rot360(-1e300, 0);
  EXPECT_TRUE(far >= 0 && far < 360) << far;
  EXPECT_TRUE(std::isnan(Rot360(-std::numeric_limits<double>::infinity(), 0)));
}

TEST(MathFunctions, Rot180) {
  EXPECT_NEAR(Rot180(190, 0.001), -170, 1e-9);
  EXPECT_EQ(Rot180(-180, 0.001), -180);
  EXPECT_EQ(Rot180(180, 0.001), 180);
  EXPECT_EQ(Rot180(-190, 0), 170);
  EXPECT_EQ(Rot180(540, 0), 180);
  EXPECT_EQ(Rot180(-540, 0), -180);
  EXPECT_NEAR(Rot180(10.0004, 0.001), 10, 1e-9);
  EXPECT_EQ(Rot180(10.0004, 0), 10.0004);
  EXPECT_TRUE(std::isnan(Rot180(std::numeric_limits<double>::infinity(), 0)));
}

TEST(MathFunctions, Ang360CarriesTheDirectionInItsSign) {
  EXPECT_EQ(Ang360(-90, 0, 0), -270);  // position 270, reached going negative
  EXPECT_EQ(Ang360(90, 0, 0), 90);
  EXPECT_EQ(Ang360(10, 350, 0), -10);
  EXPECT_EQ(Ang360(370, 0, 0), 10);
  EXPECT_EQ(Ang360(-370, -720, 0), 350);
  EXPECT_EQ(Ang360(0, 0, 0), 0);
  // Both values are snapped before they are compared: equal after snapping
  // means no negative direction.
  EXPECT_EQ(Ang360(10.0001, 10.0004, 0.001), 10);
  EXPECT_EQ(Ang360(10.0001, 10.0004, 0), -10.0001);
  EXPECT_EQ(Ang360(359.9996, 0, 0.001), 0);
}

TEST(MathFunctions, TrigonometryInDegrees) {
  EXPECT_NEAR(SinDeg(30), 0.5, 1e-15);
  EXPECT_NEAR(CosDeg(60), 0.5, 1e-15);
  EXPECT_NEAR(TanDeg(45), 1, 1e-15);
  EXPECT_NEAR(AtanDeg(1), 45, 1e-13);
  // atan2 takes y first.
  EXPECT_EQ(Atan2Deg(1, 0), 90);
  EXPECT_EQ(Atan2Deg(0, -1), 180);
  EXPECT_EQ(Atan2Deg(-1, 0), -90);
  EXPECT_NEAR(Atan2Deg(1, 1), 45, 1e-13);
  EXPECT_EQ(Ok(AsinDeg(1)), 90);
  EXPECT_EQ(Ok(AcosDeg(-1)), 180);
  EXPECT_EQ(AsinDeg(1.0000001).error, MathError::kAboveOne);
  EXPECT_EQ(AsinDeg(-1.0000001).error, MathError::kBelowMinusOne);
  EXPECT_EQ(AcosDeg(2).error, MathError::kAboveOne);
  EXPECT_EQ(AcosDeg(-2).error, MathError::kBelowMinusOne);
}

TEST(MathFunctions, RootsRemaindersAndTheRest) {
  EXPECT_EQ(Ok(Sqrt(16)), 4);
  EXPECT_EQ(Sqrt(-0.001).error, MathError::kNegativeRoot);
  EXPECT_EQ(Ok(Sqrt(-0.0)), 0);
  EXPECT_EQ(Hypot(3, 4), 5);
  EXPECT_EQ(Hypot3(1, 2, 2), 3);
  EXPECT_EQ(Ok(Mod(7, 3)), 1);
  EXPECT_EQ(Ok(Mod(-7, 3)), -1);  // the sign of a
  EXPECT_EQ(Ok(Mod(7.5, -2)), 1.5);
  EXPECT_EQ(Mod(7, 0).error, MathError::kZeroDivisor);
  EXPECT_EQ(Pow(2, 10), 1024);
  EXPECT_TRUE(std::isnan(Pow(-8, 1.0 / 3)));
  EXPECT_EQ(Abs(-2.5), 2.5);
  EXPECT_EQ(Min(2, -3), -3);
  EXPECT_EQ(Max(2, -3), 2);
}

}  // namespace
}  // namespace tornel
