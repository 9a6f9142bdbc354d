#include "tornel/cl/arc_geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tornel/cl/cl_codes.h"

namespace tornel {

namespace {

constexpr double kDegToRad = std::numbers::pi / 180.0;

Point3 Scale(const Point3& a, double s) { return {a[0] * s, a[1] * s, a[2] * s}; }
Point3 Add(const Point3& a, const Point3& b) { return {a[0] + b[0], a[1] + b[1], a[2] + b[2]}; }

}  // namespace

double Dot(const Point3& a, const Point3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

Point3 Cross(const Point3& a, const Point3& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

Point3 Sub(const Point3& a, const Point3& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }

double Length(const Point3& a) { return std::sqrt(Dot(a, a)); }

double RadiusAcrossAxis(const Point3& centre, const Point3& axis, const Point3& point) {
  Point3 d = Sub(point, centre);
  double len = Length(axis);
  if (!(len > 0)) return Length(d);
  double along = Dot(d, axis) / len;
  return std::sqrt(std::max(0.0, Dot(d, d) - along * along));
}

bool PlaneFrame(int32_t plane, ArcFrame& frame) {
  switch (plane) {
    case kPlaneXY:
      frame = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
      return true;
    case kPlaneXZ:
      frame = {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}};
      return true;
    case kPlaneYZ:
      frame = {{0, 1, 0}, {0, 0, 1}, {1, 0, 0}};
      return true;
    default:
      return false;
  }
}

ArcFrame FrameAround(const Point3& axis) {
  double len = Length(axis);
  if (len == 0) return ArcFrame{};
  Point3 w = Scale(axis, 1 / len);
  // Start u from the world axis least parallel to w.
  Point3 seed{1, 0, 0};
  if (std::fabs(w[1]) < std::fabs(w[0]) && std::fabs(w[1]) <= std::fabs(w[2])) seed = {0, 1, 0};
  if (std::fabs(w[2]) < std::fabs(w[0]) && std::fabs(w[2]) < std::fabs(w[1])) seed = {0, 0, 1};
  Point3 u = Sub(seed, Scale(w, Dot(seed, w)));
  u = Scale(u, 1 / Length(u));
  return {u, Cross(w, u), w};
}

Point3 InFrame(const ArcFrame& f, const Point3& p) { return {Dot(f.u, p), Dot(f.v, p), Dot(f.w, p)}; }

Point3 PointOnArc(const ArcPath& path, double fraction) {
  if (fraction >= 1) return path.end;
  const Point3& a = path.axis;
  Point3 rel = Sub(path.start, path.centre);
  double start_axial = Dot(rel, a);
  double end_axial = Dot(Sub(path.end, path.centre), a);
  Point3 radial = Sub(rel, Scale(a, start_axial));
  double t = path.angle * fraction * kDegToRad;
  // Rodrigues' rotation of a vector perpendicular to the axis.
  Point3 turned = Add(Scale(radial, std::cos(t)), Scale(Cross(a, radial), std::sin(t)));
  double axial = start_axial + fraction * (end_axial - start_axial);
  return Add(path.centre, Add(turned, Scale(a, axial)));
}

double Wrap180(double degrees) {
  while (degrees > 180) degrees -= 360;
  while (degrees < -180) degrees += 360;
  return degrees;
}

double RoundToStep(double x, double step) {
  if (!(step > 0)) return x;
  return std::round(x / step) * step;
}

void CutAngles(double start, double inc, double step, double margin, std::vector<double>& cuts) {
  cuts.clear();
  if (!(step > 0) || inc == 0) return;
  double dir = inc > 0 ? 1 : -1;
  double span = std::fabs(inc);
  // The first multiple of step beyond the start in the direction of travel.
  double first = dir > 0 ? std::floor(start / step) * step + step
                         : std::ceil(start / step) * step - step;
  for (double at = first;; at += dir * step) {
    double offset = std::fabs(at - start);
    if (offset >= span - margin) break;
    if (offset > margin) cuts.push_back(dir * offset);
    if (cuts.size() > static_cast<size_t>(kMaxArcSegments)) break;
  }
}

int ChordCount(double inc, double radius, double tolerance) {
  double span = std::fabs(inc);
  if (span == 0 || !(radius > 0) || tolerance >= radius) return 1;
  double step = tolerance > 0 ? 2 * std::acos(1 - tolerance / radius) / kDegToRad : 0;
  if (!(step > 0)) return kMaxArcSegments;
  double n = std::ceil(span / step - 1e-9);
  if (n < 1) return 1;
  return n > kMaxArcSegments ? kMaxArcSegments : static_cast<int>(n);
}

}  // namespace tornel
