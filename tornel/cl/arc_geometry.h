// The geometry of arc motions, free of the value tables: the coordinate
// frame of an arc plane, points along an arc (helical or not), where an arc
// is cut into pieces, and how many chords keep within a tolerance.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace tornel {

using Point3 = std::array<double, 3>;

double Dot(const Point3& a, const Point3& b);
Point3 Cross(const Point3& a, const Point3& b);
Point3 Sub(const Point3& a, const Point3& b);
double Length(const Point3& a);

// A right-handed frame: plane axes u and v and the plane normal w = u x v.
// Plane angles are atan2(v, u), so counter-clockwise about +w increases
// them.
struct ArcFrame {
  Point3 u{1, 0, 0};
  Point3 v{0, 1, 0};
  Point3 w{0, 0, 1};
};

// The frames of the three arc planes: 17 XY uses (X, Y), 18 XZ uses (Z, X)
// and 19 YZ uses (Y, Z), so that each normal is the positive Y or X axis
// and G2/G3 keep their usual sense.  False for any other plane code.
bool PlaneFrame(int32_t plane, ArcFrame& frame);

// A frame whose normal is `axis` (made unit; (0, 0, 1) when it has no
// length).
ArcFrame FrameAround(const Point3& axis);

// Coordinates of `p` in the frame: (u·p, v·p, w·p).
Point3 InFrame(const ArcFrame& f, const Point3& p);

// An arc as a path in space: from `start` it turns by `angle` degrees about
// the line through `centre` along the unit vector `axis` (counter-clockwise
// about `axis` for a positive angle), while the coordinate along `axis`
// moves linearly from the start's to the end's.
struct ArcPath {
  Point3 centre{};
  Point3 axis{0, 0, 1};
  Point3 start{};
  Point3 end{};
  double angle = 0;  // degrees, signed
};

// The point at `fraction` (0 to 1) of the path; exactly `end` at 1.
Point3 PointOnArc(const ArcPath& path, double fraction);

// The distance of `point` from the line through `centre` along `axis`
// (the radius of the circle about that axis through the point); the plain
// distance from `centre` when the axis has no length.
double RadiusAcrossAxis(const Point3& centre, const Point3& axis, const Point3& point);

// -180 to 180 by adding or subtracting 360.
double Wrap180(double degrees);

// `x` rounded to a multiple of `step`; unchanged when step is not above 0.
double RoundToStep(double x, double step);

// The angles, as signed offsets from the start angle, at which an arc that
// starts at plane angle `start` and turns by `inc` degrees crosses a
// multiple of `step` degrees; crossings closer than `margin` degrees to
// either end are left out (no slivers).  Ascending in |offset|; `cuts` is
// cleared first.
void CutAngles(double start, double inc, double step, double margin, std::vector<double>& cuts);

// The number of equal chords that keep an arc of |inc| degrees and radius
// `radius` within `tolerance` of the circle: the step angle is
// 2·acos(1 − tolerance/radius), the whole arc one chord when the tolerance
// reaches the radius.  At least 1, at most kMaxArcSegments.
inline constexpr int kMaxArcSegments = 100000;
int ChordCount(double inc, double radius, double tolerance);

}  // namespace tornel
