#include "tornel/kinematics/frame_transform.h"

#include <gtest/gtest.h>

namespace tornel {
namespace {

TEST(FrameTransform, PointsTakeTheTranslationDirectionsDoNot) {
  // A quarter turn about Z, shifted by (10, 20, 30).
  const double t[3] = {10, 20, 30};
  const double m[9] = {0, -1, 0, 1, 0, 0, 0, 0, 1};
  const double in[3] = {1, 2, 3};
  double out[3];
  TransformByFrame(t, m, in, true, out);
  EXPECT_DOUBLE_EQ(out[0], 8);
  EXPECT_DOUBLE_EQ(out[1], 21);
  EXPECT_DOUBLE_EQ(out[2], 33);
  TransformByFrame(t, m, in, false, out);
  EXPECT_DOUBLE_EQ(out[0], -2);
  EXPECT_DOUBLE_EQ(out[1], 1);
  EXPECT_DOUBLE_EQ(out[2], 3);
}

TEST(FrameTransform, TheInverseTakesAPointBack) {
  const double t[3] = {10, 20, 30};
  const double m[9] = {0, -2, 0, 1, 0, 0, 0, 0, 1};  // a turn with X written as a diameter
  const double in[3] = {1, 2, 3};
  double out[3], back[3];
  TransformByFrame(t, m, in, true, out);
  ASSERT_TRUE(UntransformByFrame(t, m, out, true, back));
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(back[i], in[i], 1e-12);
  const double flat[9] = {1, 0, 0, 0, 0, 0, 0, 0, 1};
  EXPECT_FALSE(UntransformByFrame(t, flat, out, true, back));
}

}  // namespace
}  // namespace tornel
