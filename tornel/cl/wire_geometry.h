// The geometry of a wire between its two guides, free of the value tables:
// one guide's motion in its plane (a line or an arc), the point a fraction
// of the way along it, how many segments keep two such motions within a
// chord tolerance together, when a pair of them must be written as lines,
// and the wire's taper and lean against the path.
#pragma once

#include <cstdint>

namespace tornel {

struct Point2 {
  double x = 0, y = 0;
};

// One guide's motion in the XY plane.  An arc turns about `centre` by
// `sweep` degrees (positive counter-clockwise), its radius changing
// linearly from the start's to the end's.
struct GuideMotion {
  bool arc = false;
  Point2 from, to;
  Point2 centre;
  double sweep = 0;
};

// The signed sweep of an arc from `from` to `to` about `centre`: into
// (0, 360] counter-clockwise, [-360, 0) clockwise; an arc whose ends lie
// within `closed_tol` of each other is a full circle.
double ArcSweep(Point2 from, Point2 to, Point2 centre, bool ccw, double closed_tol);

// The point at `fraction` (0 to 1) of the motion; exactly `to` at 1.
Point2 PointAlong(const GuideMotion& m, double fraction);

// The number of segments into which both motions are cut together: the
// most that either arc needs to keep within `tolerance` of its circle
// (a line needs one).
int SyncSegmentCount(const GuideMotion& lower, const GuideMotion& upper, double tolerance);

// What decides whether the motions of the two profiles can go out as they
// are or must be cut into lines together.
struct WirePair {
  bool xy_arc = false, uv_arc = false;
  double xy_rad = 0, uv_rad = 0;
  bool xy_ccw = true, uv_ccw = true;
  double min_rad = 0, max_rad = 0;  // scaled srMinRad, srMaxRad
  int32_t arc_on = 1;               // siArcOn
  int32_t arc_arc_on = 0;           // siEdm4axArcOn: 0 no arc pairs, 4 also of opposite sense
  int32_t line_arc_on = 0;          // siEdmLineArcOn: 0 no line with an arc
};
inline constexpr int32_t kEdmArcPairsAnySense = 4;

bool WirePairLinearised(const WirePair& p);

// The wire's angles against the path in degrees, from its direction
// (i, j, k) from the lower to the upper guide and the path direction
// `dir_deg`: `across` (the taper; positive when the upper end leans to the
// right of the path) and `along` (the lean, positive forward).  Both 0 for
// a wire along +Z.  The direction need not be of unit length.
struct WireAngles {
  double across = 0, along = 0;
};
WireAngles WireAnglesFor(double dir_deg, double i, double j, double k);

}  // namespace tornel
