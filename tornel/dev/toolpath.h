// A toolpath as the plot draws it: straight and arc motions between known
// points, each rapid or at feed, the drilled holes, and the units.  The CL
// and NC readers build it; the projection and the SVG writer read it.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "tornel/cl/arc_geometry.h"

namespace tornel::dev {

enum class MoveKind { kRapid, kFeed };

struct ToolMove {
  MoveKind kind = MoveKind::kFeed;
  Point3 from{};
  Point3 to{};
  bool arc = false;
  ArcPath path;  // an arc: centre, unit axis, from, to, signed angle about the axis
  int line = 0;  // the line of the file the motion comes from
};

struct Toolpath {
  std::string units;  // "mm", "inch", or "" when the file does not say
  std::vector<ToolMove> moves;
  std::vector<Point3> holes;  // the top of every drilled hole
};

// Where the tool is.  A coordinate no motion has given yet is unknown: a
// motion is drawn only once all three are known, and the start of that
// first motion takes the unknown coordinates from its end (no line from
// an invented origin).
struct ToolPosition {
  Point3 at{};
  std::array<bool, 3> known{};
  bool AllKnown() const { return known[0] && known[1] && known[2]; }
};

// A straight motion to `target`, of which only the `given` coordinates
// count.  Adds it to the path when it is drawable and moves somewhere.
void MoveStraight(Toolpath& path, ToolPosition& pos, const Point3& target,
                  const std::array<bool, 3>& given, MoveKind kind, int line);

// An arc from the current position (all coordinates known) to `end`,
// turning about the line through `centre` along `frame.w`, counter-clockwise
// about it when `ccw`.  An end on the start in the arc plane (within
// `closed_tol`) is a full circle.  The radius at the start is returned in
// `radius`, at the end in `end_radius`.
ToolMove ArcMove(const Point3& start, const Point3& end, const Point3& centre, const ArcFrame& frame,
                 bool ccw, double closed_tol, MoveKind kind, int line, double& radius,
                 double& end_radius);

// Adds an arc motion and moves the position to its end.
void AddArc(Toolpath& path, ToolPosition& pos, const ToolMove& move);

inline constexpr const char* kMsgArcTooLarge = "line %d: an arc too large to plot";

// A reader's message: printf `format` with its values.
std::string ReaderMessage(const char* format, ...);

}  // namespace tornel::dev
