#include "tornel/dev/toolpath.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>

namespace tornel::dev {

void MoveStraight(Toolpath& path, ToolPosition& pos, const Point3& target,
                  const std::array<bool, 3>& given, MoveKind kind, int line) {
  Point3 from = pos.at;
  for (int i = 0; i < 3; ++i) {
    if (!given[i]) continue;
    if (!pos.known[i]) from[i] = target[i];
    pos.at[i] = target[i];
    pos.known[i] = true;
  }
  if (!pos.AllKnown() || from == pos.at) return;
  ToolMove m;
  m.kind = kind;
  m.from = from;
  m.to = pos.at;
  m.line = line;
  path.moves.push_back(m);
}

ToolMove ArcMove(const Point3& start, const Point3& end, const Point3& centre, const ArcFrame& frame,
                 bool ccw, double closed_tol, MoveKind kind, int line, double& radius,
                 double& end_radius) {
  constexpr double kRadToDeg = 180 / 3.14159265358979323846;
  Point3 a = InFrame(frame, Sub(start, centre));
  Point3 b = InFrame(frame, Sub(end, centre));
  radius = std::hypot(a[0], a[1]);
  end_radius = std::hypot(b[0], b[1]);
  double start_ang = std::atan2(a[1], a[0]) * kRadToDeg;
  double end_ang = std::atan2(b[1], b[0]) * kRadToDeg;
  Point3 chord = InFrame(frame, Sub(end, start));
  if (std::fabs(chord[0]) <= closed_tol && std::fabs(chord[1]) <= closed_tol) end_ang = start_ang;
  double angle = end_ang - start_ang;
  if (ccw && end_ang <= start_ang) angle += 360;
  if (!ccw && end_ang >= start_ang) angle -= 360;
  ToolMove m;
  m.kind = kind;
  m.from = start;
  m.to = end;
  m.arc = true;
  m.path = {centre, frame.w, start, end, angle};
  m.line = line;
  return m;
}

void AddArc(Toolpath& path, ToolPosition& pos, const ToolMove& move) {
  path.moves.push_back(move);
  pos.at = move.to;
  pos.known = {true, true, true};
}

std::string ReaderMessage(const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  std::va_list again;
  va_copy(again, args);
  int n = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  std::string text(n > 0 ? static_cast<size_t>(n) : 0, '\0');
  if (n > 0) std::vsnprintf(text.data(), text.size() + 1, format, again);
  va_end(again);
  return text;
}

}  // namespace tornel::dev
