#include "tornel/cl/arc_geometry.h"

#include <cmath>
#include <vector>

#include <gtest/gtest.h>

namespace tornel {
namespace {

TEST(ArcGeometry, CutAnglesAtMultiplesInTheDirectionOfTravel) {
  std::vector<double> cuts;
  CutAngles(0, 270, 90, 1e-6, cuts);
  EXPECT_EQ(cuts, (std::vector<double>{90, 180}));
  CutAngles(45, -180, 90, 1e-6, cuts);  // clockwise from 45: crosses 0 and -90
  EXPECT_EQ(cuts, (std::vector<double>{-45, -135}));
  CutAngles(-170, 360, 90, 1e-6, cuts);  // a full circle from -170
  EXPECT_EQ(cuts, (std::vector<double>{80, 170, 260, 350}));
  // A multiple just past the start or just before the end makes no sliver.
  CutAngles(-0.0000001, 180.0000001, 90, 1e-6, cuts);
  ASSERT_EQ(cuts.size(), 1u);
  EXPECT_NEAR(cuts[0], 90, 1e-6);
  CutAngles(0, 90, 0, 1e-6, cuts);
  EXPECT_TRUE(cuts.empty());
}

TEST(ArcGeometry, ChordCountKeepsTheChordErrorWithinTolerance) {
  for (double r : {0.5, 2.0, 10.0, 250.0}) {
    for (double tol : {0.001, 0.01, 0.1}) {
      int n = ChordCount(180, r, tol);
      double half = 180.0 / n / 2 * std::numbers::pi / 180;
      EXPECT_LE(r - r * std::cos(half), tol * (1 + 1e-9)) << r << " " << tol;
      if (n > 1) {  // and one chord fewer would not
        double fewer = 180.0 / (n - 1) / 2 * std::numbers::pi / 180;
        EXPECT_GT(r - r * std::cos(fewer), tol) << r << " " << tol;
      }
    }
  }
  EXPECT_EQ(ChordCount(90, 1, 2), 1);  // tolerance beyond the radius
  EXPECT_EQ(ChordCount(0, 10, 0.01), 1);
  EXPECT_EQ(ChordCount(90, 10, 0), kMaxArcSegments);
}

TEST(ArcGeometry, PointOnArcTurnsAboutTheAxisAndMovesAlongIt) {
  ArcPath p{{1, 1, 0}, {0, 0, 1}, {3, 1, 0}, {1, 3, 4}, 90};
  Point3 mid = PointOnArc(p, 0.5);
  EXPECT_NEAR(mid[0], 1 + 2 * std::sqrt(0.5), 1e-12);
  EXPECT_NEAR(mid[1], 1 + 2 * std::sqrt(0.5), 1e-12);
  EXPECT_NEAR(mid[2], 2, 1e-12);
  p.angle = -270;  // the long way round, clockwise
  mid = PointOnArc(p, 1.0 / 3);
  EXPECT_NEAR(mid[0], 1, 1e-12);
  EXPECT_NEAR(mid[1], -1, 1e-12);
  Point3 end = PointOnArc(p, 1);
  EXPECT_EQ(end, p.end);
}

TEST(ArcGeometry, PlaneFramesAreRightHanded) {
  for (int plane : {17, 18, 19}) {
    ArcFrame f;
    ASSERT_TRUE(PlaneFrame(plane, f));
    EXPECT_EQ(Cross(f.u, f.v), f.w) << plane;
  }
  ArcFrame f;
  EXPECT_FALSE(PlaneFrame(20, f));
  f = FrameAround({0, 2, 2});
  EXPECT_NEAR(Dot(f.u, f.w), 0, 1e-12);
  EXPECT_NEAR(Length(f.u), 1, 1e-12);
  Point3 c = Cross(f.u, f.v);
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(c[i], f.w[i], 1e-12);
}

}  // namespace
}  // namespace tornel
