#include "tornel/cl/wire_geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tornel/cl/arc_geometry.h"

namespace tornel {

namespace {

constexpr double kRadToDeg = 180.0 / std::numbers::pi;
constexpr double kDegToRad = std::numbers::pi / 180.0;

double Distance(Point2 a, Point2 b) { return std::hypot(a.x - b.x, a.y - b.y); }

}  // namespace

double ArcSweep(Point2 from, Point2 to, Point2 centre, bool ccw, double closed_tol) {
  if (Distance(from, to) <= closed_tol) return ccw ? 360 : -360;
  double a = std::atan2(from.y - centre.y, from.x - centre.x) * kRadToDeg;
  double b = std::atan2(to.y - centre.y, to.x - centre.x) * kRadToDeg;
  double sweep = b - a;
  if (ccw && sweep <= 0) sweep += 360;
  if (!ccw && sweep >= 0) sweep -= 360;
  return sweep;
}

Point2 PointAlong(const GuideMotion& m, double fraction) {
  if (fraction >= 1) return m.to;
  if (!m.arc) {
    return {m.from.x + (m.to.x - m.from.x) * fraction, m.from.y + (m.to.y - m.from.y) * fraction};
  }
  double r0 = Distance(m.from, m.centre);
  double r1 = Distance(m.to, m.centre);
  double start = std::atan2(m.from.y - m.centre.y, m.from.x - m.centre.x);
  double angle = start + m.sweep * fraction * kDegToRad;
  double r = r0 + (r1 - r0) * fraction;
  return {m.centre.x + r * std::cos(angle), m.centre.y + r * std::sin(angle)};
}

int SyncSegmentCount(const GuideMotion& lower, const GuideMotion& upper, double tolerance) {
  int n = 1;
  for (const GuideMotion* m : {&lower, &upper}) {
    if (!m->arc) continue;
    double radius = std::max(Distance(m->from, m->centre), Distance(m->to, m->centre));
    n = std::max(n, ChordCount(m->sweep, radius, tolerance));
  }
  return n;
}

bool WirePairLinearised(const WirePair& p) {
  auto out_of_range = [&](double r) { return r < p.min_rad || r > p.max_rad; };
  if (p.xy_arc && out_of_range(p.xy_rad)) return true;
  if (p.uv_arc && out_of_range(p.uv_rad)) return true;
  if ((p.xy_arc || p.uv_arc) && p.arc_on == 0) return true;
  if (p.xy_arc && p.uv_arc && p.arc_arc_on == 0) return true;
  if (p.xy_arc && p.uv_arc && p.xy_ccw != p.uv_ccw && p.arc_arc_on != kEdmArcPairsAnySense)
    return true;
  if (p.xy_arc != p.uv_arc && p.line_arc_on == 0) return true;
  return false;
}

WireAngles WireAnglesFor(double dir_deg, double i, double j, double k) {
  // A vertical wire (also one whose axis is not of unit length).
  if (i == 0 && j == 0 && k > 0) return {};
  double a = std::cos(dir_deg * kDegToRad);
  double b = std::sin(dir_deg * kDegToRad);
  double along = a * i + b * j;
  double across = -(a * j - b * i);
  return {std::atan2(across, k) * kRadToDeg, std::atan2(along, k) * kRadToDeg};
}

}  // namespace tornel
