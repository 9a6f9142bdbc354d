// The views of the plot and how a motion looks in one: a view is a
// parallel projection onto the plane of its `right` and `up` axes, seen
// from `toward`.  An arc whose axis points at the viewer stays a circular
// arc; in any other view it becomes a fine polyline of the true arc (so a
// helix or a tilted circle is drawn as it is, never as its chord).
#pragma once

#include <string>
#include <vector>

#include "tornel/dev/toolpath.h"

namespace tornel::dev {

struct Point2 {
  double x = 0, y = 0;  // y up
};

struct View {
  std::string title;
  Point3 right{1, 0, 0};
  Point3 up{0, 1, 0};
  Point3 toward{0, 0, 1};  // right x up: from the drawing to the viewer
};

// XY seen from above, XZ from the front (-Y), and the isometric view from
// (+1, -1, +1): X to the lower right, Y to the upper right, Z up.
View TopView();
View FrontView();
View IsometricView();

Point2 Project(const View& view, const Point3& p);

// One piece of a motion as drawn: a polyline, or a circular arc from
// points[0] to points[1].
struct Stroke {
  MoveKind kind = MoveKind::kFeed;
  std::vector<Point2> points;
  bool arc = false;
  double radius = 0;   // of the arc, in view units
  bool large = false;  // the arc turns more than 180 degrees
  bool ccw = false;    // counter-clockwise as seen (y up)
};

// The longest step of an arc's polyline, in degrees.
inline constexpr double kPolylineStep = 2.0;

// Appends the strokes of `move` in `view` (a full circle seen face-on is
// two half circles).
void ProjectMove(const View& view, const ToolMove& move, std::vector<Stroke>& out);

// Points along the motion in space: the ends, and on an arc every few
// degrees and where it reaches furthest along each of `directions`.  What
// the extents are taken from.
void SamplePoints(const ToolMove& move, const std::vector<Point3>& directions,
                  std::vector<Point3>& out);

}  // namespace tornel::dev
