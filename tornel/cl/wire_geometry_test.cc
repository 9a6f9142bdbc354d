// The geometry of the wire's two guides: arc sweeps, points along a guide's
// motion, the common segment count, when a pair of motions must go out as
// lines, and the wire's angles against the path.
#include "tornel/cl/wire_geometry.h"

#include <cmath>
#include <numbers>

#include <gtest/gtest.h>

namespace tornel {
namespace {

TEST(WireGeometry, ArcSweepFollowsTheSenseAndTakesClosedArcsAsFullCircles) {
  Point2 c{0, 0};
  EXPECT_DOUBLE_EQ(ArcSweep({10, 0}, {0, 10}, c, true, 0.001), 90);
  EXPECT_DOUBLE_EQ(ArcSweep({10, 0}, {0, 10}, c, false, 0.001), -270);
  EXPECT_DOUBLE_EQ(ArcSweep({10, 0}, {-10, 0}, c, false, 0.001), -180);
  EXPECT_DOUBLE_EQ(ArcSweep({10, 0}, {10, 0.0005}, c, true, 0.001), 360);
  EXPECT_DOUBLE_EQ(ArcSweep({10, 0}, {10, 0.0005}, c, false, 0.001), -360);
}

TEST(WireGeometry, PointsAlongLinesAndArcsEndExactlyAtTheEnd) {
  GuideMotion line{false, {0, 0}, {10, 20}, {}, 0};
  Point2 mid = PointAlong(line, 0.25);
  EXPECT_DOUBLE_EQ(mid.x, 2.5);
  EXPECT_DOUBLE_EQ(mid.y, 5);
  // A quarter turn whose radius grows from 10 to 12: halfway it is 11.
  GuideMotion arc{true, {10, 0}, {0, 12}, {0, 0}, 90};
  Point2 p = PointAlong(arc, 0.5);
  EXPECT_NEAR(std::hypot(p.x, p.y), 11, 1e-12);
  EXPECT_NEAR(std::atan2(p.y, p.x), std::atan2(1, 1), 1e-12);
  Point2 end = PointAlong(arc, 1);
  EXPECT_EQ(end.x, 0);
  EXPECT_EQ(end.y, 12);
}

TEST(WireGeometry, BothMotionsTakeTheSegmentCountOfTheArcThatNeedsMost) {
  GuideMotion line{false, {0, 0}, {10, 0}, {}, 0};
  GuideMotion small{true, {1, 0}, {-1, 0}, {0, 0}, 180};
  GuideMotion large{true, {100, 0}, {-100, 0}, {0, 0}, 180};
  EXPECT_EQ(SyncSegmentCount(line, line, 0.01), 1);
  // Step angle 2 acos(1 - t/r): for r 100, t 0.01 about 1.62 degrees.
  int large_n = SyncSegmentCount(line, large, 0.01);
  EXPECT_EQ(large_n, static_cast<int>(std::ceil(180 / (2 * std::acos(1 - 0.0001) * 180 / std::numbers::pi))));
  EXPECT_EQ(SyncSegmentCount(large, small, 0.01), large_n);
  EXPECT_EQ(SyncSegmentCount(small, line, 0.01), SyncSegmentCount(line, small, 0.01));
  EXPECT_LT(SyncSegmentCount(small, line, 0.01), large_n);
}

TEST(WireGeometry, PairsOfMotionsGoOutAsLinesWhereThePostCannotWriteThem) {
  WirePair base;
  base.min_rad = 0.01;
  base.max_rad = 1000;
  base.arc_on = 1;
  base.arc_arc_on = 1;
  base.line_arc_on = 1;
  base.xy_rad = base.uv_rad = 10;
  WirePair p = base;
  EXPECT_FALSE(WirePairLinearised(p));  // two lines
  p.xy_arc = p.uv_arc = true;
  EXPECT_FALSE(WirePairLinearised(p));  // two arcs of one sense
  p.uv_rad = 2000;
  EXPECT_TRUE(WirePairLinearised(p));   // the UV radius out of range
  p = base;
  p.xy_arc = true;
  p.xy_rad = 0.001;
  EXPECT_TRUE(WirePairLinearised(p));   // the XY radius out of range
  p = base;
  p.xy_arc = p.uv_arc = true;
  p.arc_on = 0;
  EXPECT_TRUE(WirePairLinearised(p));   // no arcs at all
  p.arc_on = 1;
  p.arc_arc_on = 0;
  EXPECT_TRUE(WirePairLinearised(p));   // no arc pairs
  p.arc_arc_on = 1;
  p.uv_ccw = false;
  EXPECT_TRUE(WirePairLinearised(p));   // opposite senses
  p.arc_arc_on = kEdmArcPairsAnySense;
  EXPECT_FALSE(WirePairLinearised(p));
  p = base;
  p.uv_arc = true;
  EXPECT_FALSE(WirePairLinearised(p));  // a line with an arc, allowed
  p.line_arc_on = 0;
  EXPECT_TRUE(WirePairLinearised(p));
  p.uv_arc = false;
  EXPECT_FALSE(WirePairLinearised(p));
}

TEST(WireGeometry, TaperIsAcrossThePathAndLeanAlongIt) {
  double k = 1 / std::sqrt(1.01);
  double i = 0.1 * k;
  // Moving along +Y, a wire whose top leans to +X leans to the right.
  WireAngles a = WireAnglesFor(90, i, 0, k);
  EXPECT_NEAR(a.across, std::atan(0.1) * 180 / std::numbers::pi, 1e-9);
  EXPECT_NEAR(a.along, 0, 1e-9);
  // Moving along +X the same wire leans forward.
  a = WireAnglesFor(0, i, 0, k);
  EXPECT_NEAR(a.across, 0, 1e-9);
  EXPECT_NEAR(a.along, std::atan(0.1) * 180 / std::numbers::pi, 1e-9);
  // Moving along -Y it leans to the left.
  EXPECT_NEAR(WireAnglesFor(-90, i, 0, k).across, -std::atan(0.1) * 180 / std::numbers::pi, 1e-9);
  a = WireAnglesFor(37, 0, 0, 1);
  EXPECT_EQ(a.across, 0);
  EXPECT_EQ(a.along, 0);
  // The axis as a CL file may give it, not of unit length.
  EXPECT_NEAR(WireAnglesFor(90, 0.1, 0, 1).across, std::atan(0.1) * 180 / std::numbers::pi, 1e-9);
}

}  // namespace
}  // namespace tornel
