#include "tornel/dev/projection.h"

#include <cmath>

namespace tornel::dev {

View TopView() { return {"XY (top)", {1, 0, 0}, {0, 1, 0}, {0, 0, 1}}; }

View FrontView() { return {"XZ (front)", {1, 0, 0}, {0, 0, 1}, {0, -1, 0}}; }

View IsometricView() {
  const double s2 = std::sqrt(2.0), s3 = std::sqrt(3.0), s6 = std::sqrt(6.0);
  return {"Isometric", {1 / s2, 1 / s2, 0}, {-1 / s6, 1 / s6, 2 / s6}, {1 / s3, -1 / s3, 1 / s3}};
}

Point2 Project(const View& view, const Point3& p) { return {Dot(view.right, p), Dot(view.up, p)}; }

namespace {

int PolylineSteps(double angle) {
  return std::max(2, static_cast<int>(std::ceil(std::fabs(angle) / kPolylineStep)));
}

}  // namespace

void ProjectMove(const View& view, const ToolMove& move, std::vector<Stroke>& out) {
  Stroke s;
  s.kind = move.kind;
  if (!move.arc) {
    s.points = {Project(view, move.from), Project(view, move.to)};
    out.push_back(s);
    return;
  }
  const ArcPath& path = move.path;
  double facing = Dot(path.axis, view.toward);
  if (std::fabs(facing) > 1 - 1e-9) {
    Point2 c = Project(view, path.centre);
    Point2 a = Project(view, path.start);
    s.arc = true;
    s.radius = std::hypot(a.x - c.x, a.y - c.y);
    s.ccw = (path.angle > 0) == (facing > 0);
    double turn = std::fabs(path.angle);
    if (turn >= 360 - 1e-9) {
      Point2 half = Project(view, PointOnArc(path, 0.5));
      s.points = {a, half};
      out.push_back(s);
      s.points = {half, Project(view, path.end)};
      out.push_back(s);
      return;
    }
    s.large = turn > 180;
    s.points = {a, Project(view, path.end)};
    out.push_back(s);
    return;
  }
  int n = PolylineSteps(path.angle);
  for (int k = 0; k <= n; ++k) s.points.push_back(Project(view, PointOnArc(path, double(k) / n)));
  out.push_back(s);
}

void SamplePoints(const ToolMove& move, const std::vector<Point3>& directions,
                  std::vector<Point3>& out) {
  if (!move.arc) {
    out.push_back(move.from);
    out.push_back(move.to);
    return;
  }
  const ArcPath& path = move.path;
  int n = PolylineSteps(path.angle);
  for (int k = 0; k <= n; ++k) out.push_back(PointOnArc(path, double(k) / n));
  if (path.angle == 0) return;
  // Along d the circle goes as R cos t + S sin t: furthest at atan2(S, R)
  // and half a turn on.
  constexpr double kPi = 3.14159265358979323846;
  Point3 rel = Sub(path.start, path.centre);
  Point3 radial = Sub(rel, {path.axis[0] * Dot(rel, path.axis), path.axis[1] * Dot(rel, path.axis),
                            path.axis[2] * Dot(rel, path.axis)});
  Point3 side = Cross(path.axis, radial);
  double turn = path.angle * kPi / 180;
  for (const Point3& d : directions) {
    double r = Dot(radial, d), s = Dot(side, d);
    if (r == 0 && s == 0) continue;
    double t0 = std::atan2(s, r);
    for (int k = -3; k <= 3; ++k) {
      double t = t0 + k * kPi;
      double f = t / turn;
      if (f > 0 && f < 1) out.push_back(PointOnArc(path, f));
    }
  }
}

}  // namespace tornel::dev
