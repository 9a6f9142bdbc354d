#include "tornel/dev/nc_toolpath.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <vector>

#include "tornel/cl/cl_codes.h"

namespace tornel::dev {

namespace {

constexpr int kNoMotion = -1;

// The modal state of the control.
struct NcState {
  int motion = kNoMotion;  // 0-3 or a drill cycle's G code
  int plane = kPlaneXY;
  bool absolute = true;
  double scale = 1;          // to the units of the first G20/G21
  bool retract_initial = true;  // G98; G99 returns to the R level
  bool cycle_active = false;
  double initial_level = 0;  // along the drill axis, where the cycle began
  double r_level = 0;
  std::optional<double> bottom;  // the last Z of the cycle (absolute)
  ToolPosition pos;
};

// One block: its G codes and the values of the letters (scaled).
struct NcBlock {
  std::vector<double> g;
  std::array<std::optional<double>, 26> value;
  bool Has(char letter) const { return value[letter - 'A'].has_value(); }
  double Of(char letter) const { return value[letter - 'A'].value_or(0); }
};

bool IsCycleCode(int g) {
  return g == 73 || g == 74 || g == 76 || (g >= 81 && g <= 89);
}
// Cycles that leave the hole at feed (tapping, reaming, boring out at feed).
bool FeedsOut(int g) { return g == 74 || g == 84 || g == 85 || g == 89; }

int Integral(double g) {
  double r = std::round(g);
  return std::fabs(g - r) < 1e-9 && std::fabs(r) < 1000 ? static_cast<int>(r) : -1000;
}

// Splits one line into its words; comments and "%" lines give none.
std::string SplitBlock(std::string_view line, int line_no, NcBlock& block) {
  size_t i = 0;
  while (i < line.size()) {
    char c = line[i];
    if (c == ' ' || c == '\t' || c == '\r' || c == '/' || c == '%') {
      ++i;
      continue;
    }
    if (c == '(') {
      size_t close = line.find(')', i);
      if (close == std::string_view::npos) return "";
      i = close + 1;
      continue;
    }
    if (c == ';') return "";
    char letter = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    if (letter < 'A' || letter > 'Z') return ReaderMessage(kMsgNcBadCharacter, line_no, c);
    ++i;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    size_t start = i;
    if (i < line.size() && line[i] == '+') ++start, ++i;
    if (i < line.size() && line[i] == '-') ++i;
    while (i < line.size() && ((line[i] >= '0' && line[i] <= '9') || line[i] == '.')) ++i;
    double number = 0;
    auto [end, ec] = std::from_chars(line.data() + start, line.data() + i, number);
    bool digits = false;
    for (size_t k = start; k < i; ++k) digits = digits || (line[k] >= '0' && line[k] <= '9');
    if (!digits || end != line.data() + i || ec != std::errc() || !std::isfinite(number))
      return ReaderMessage(kMsgNcNoNumber, line_no, letter);
    if (letter == 'G')
      block.g.push_back(number);
    else
      block.value[letter - 'A'] = number;
  }
  return "";
}

// The arc plane's axis indexes: the two in the plane (u, v as PlaneFrame
// has them) and the normal, which is also the drill axis.
int NormalAxis(int plane) { return plane == kPlaneXZ ? 1 : plane == kPlaneYZ ? 0 : 2; }

constexpr char kAxisLetter[3] = {'X', 'Y', 'Z'};
constexpr char kCentreLetter[3] = {'I', 'J', 'K'};

// The target of the block's X Y Z words, absolute or incremental.
Point3 Target(const NcState& s, const NcBlock& b, std::array<bool, 3>& given) {
  Point3 t = s.pos.at;
  for (int a = 0; a < 3; ++a) {
    given[a] = b.Has(kAxisLetter[a]);
    if (!given[a]) continue;
    double v = b.Of(kAxisLetter[a]) * s.scale;
    t[a] = s.absolute ? v : (s.pos.known[a] ? s.pos.at[a] : 0) + v;
  }
  return t;
}

std::string Arc(NcState& s, const NcBlock& b, int line_no, Toolpath& path) {
  std::array<bool, 3> given{};
  Point3 end = Target(s, b, given);
  bool has_r = b.Has('R');
  bool has_centre = b.Has('I') || b.Has('J') || b.Has('K');
  if (!given[0] && !given[1] && !given[2] && !has_r && !has_centre) return "";  // a modal code only
  if (!has_r && !has_centre) return ReaderMessage(kMsgNcArcNoCentre, line_no);
  if (!s.pos.AllKnown()) return ReaderMessage(kMsgNcArcUnknownStart, line_no);
  ArcFrame frame;
  PlaneFrame(s.plane, frame);
  const Point3 start = s.pos.at;
  const bool ccw = s.motion == 3;
  const int n = NormalAxis(s.plane);
  Point3 centre = start;
  if (!has_centre) {
    double r = b.Of('R') * s.scale;
    Point3 a = InFrame(frame, start);
    Point3 e = InFrame(frame, end);
    double cu = e[0] - a[0], cv = e[1] - a[1];
    double d = std::hypot(cu, cv);
    if (d < 1e-9) return ReaderMessage(kMsgNcArcFullCircleR, line_no);
    double half = d / 2;
    double tol = 1e-4 * std::max(1.0, std::fabs(r));
    if (std::fabs(r) < half - tol) return ReaderMessage(kMsgNcArcRadiusShort, line_no, r, d);
    double h = std::sqrt(std::max(0.0, r * r - half * half));
    // A short arc (R > 0) counter-clockwise has its centre left of the chord.
    double side = (ccw ? 1 : -1) * (r > 0 ? 1 : -1);
    double mu = a[0] + cu / 2 - side * h * cv / d;
    double mv = a[1] + cv / 2 + side * h * cu / d;
    for (int k = 0; k < 3; ++k) centre[k] = frame.u[k] * mu + frame.v[k] * mv + frame.w[k] * a[2];
  } else {
    for (int k = 0; k < 3; ++k)
      if (k != n) centre[k] += b.Of(kCentreLetter[k]) * s.scale;
  }
  double closed_tol = 1e-6 * std::max(1.0, Length(start));
  double r0 = 0, r1 = 0;
  ToolMove m = ArcMove(start, end, centre, frame, ccw, closed_tol, MoveKind::kFeed, line_no, r0, r1);
  if (!std::isfinite(m.path.angle) || !std::isfinite(r0) || !std::isfinite(r1))
    return ReaderMessage(kMsgArcTooLarge, line_no);
  if (has_centre && std::fabs(r0 - r1) > 0.002 * std::max(1.0, r0))
    return ReaderMessage(kMsgNcArcOffCircle, line_no, r0, r1);
  if (r0 == 0) return "";  // no circle: nothing moves around it
  AddArc(path, s.pos, m);
  return "";
}

// A drill cycle block: the hole at the block's position (or where the tool
// is), through the R level to the bottom and back.
std::string CycleHole(NcState& s, const NcBlock& b, bool code_here, int line_no, Toolpath& path) {
  const int n = NormalAxis(s.plane);
  const char depth_letter = kAxisLetter[n];
  std::array<bool, 3> given{};
  Point3 target = Target(s, b, given);
  given[n] = false;
  bool positioned = given[0] || given[1] || given[2];
  if (!positioned && !(code_here && (b.Has(depth_letter) || b.Has('R')))) return "";
  if (!s.pos.known[n]) return ReaderMessage(kMsgNcCycleUnknownStart, line_no);
  if (b.Has('R'))
    s.r_level = b.Of('R') * s.scale + (s.absolute ? 0 : s.initial_level);
  if (b.Has(depth_letter))
    s.bottom = b.Of(depth_letter) * s.scale + (s.absolute ? 0 : s.r_level);
  if (!s.bottom) return ReaderMessage(kMsgNcCycleNoDepth, line_no);
  const std::array<bool, 3> along{n == 0, n == 1, n == 2};
  MoveStraight(path, s.pos, target, given, MoveKind::kRapid, line_no);
  Point3 p = s.pos.at;
  p[n] = s.r_level;
  MoveStraight(path, s.pos, p, along, MoveKind::kRapid, line_no);
  path.holes.push_back(p);
  p[n] = *s.bottom;
  MoveStraight(path, s.pos, p, along, MoveKind::kFeed, line_no);
  p[n] = s.r_level;
  MoveStraight(path, s.pos, p, along, FeedsOut(s.motion) ? MoveKind::kFeed : MoveKind::kRapid,
               line_no);
  if (s.retract_initial) {
    p[n] = std::max(s.initial_level, s.r_level);
    MoveStraight(path, s.pos, p, along, MoveKind::kRapid, line_no);
  }
  return "";
}

std::string RunBlock(NcState& s, const NcBlock& b, int line_no, Toolpath& path) {
  bool cycle_code = false;
  enum { kMoves, kNoMove, kMachine, kSetPosition } axes = kMoves;
  for (double gv : b.g) {
    int g = Integral(gv);
    if (g >= 0 && g <= 3) {
      s.motion = g;
      s.cycle_active = false;
    } else if (g == 17 || g == 18 || g == 19) {
      s.plane = g;
    } else if (g == 20 || g == 21) {
      std::string units = g == 20 ? "inch" : "mm";
      if (path.units.empty()) path.units = units;
      s.scale = units == path.units ? 1 : g == 20 ? 25.4 : 1 / 25.4;
    } else if (g == 90 || g == 91) {
      s.absolute = g == 90;
    } else if (g == 98 || g == 99) {
      s.retract_initial = g == 98;
    } else if (g == 80) {
      s.motion = kNoMotion;
      s.cycle_active = false;
    } else if (IsCycleCode(g)) {
      s.motion = g;
      cycle_code = true;
    } else if (g == 4 || g == 10) {
      axes = kNoMove;
    } else if (g == 28 || g == 30 || g == 53) {
      axes = kMachine;
    } else if (g == 92 || g == 52) {
      axes = kSetPosition;
    }
  }
  if (axes != kMoves) {
    std::array<bool, 3> given{};
    Point3 target = Target(s, b, given);
    for (int a = 0; a < 3; ++a) {
      if (!given[a]) continue;
      // A machine move ends where the work coordinates do not say; a
      // coordinate setting names the position without moving.
      s.pos.known[a] = axes == kSetPosition;
      if (axes == kSetPosition) s.pos.at[a] = target[a];
    }
    return "";
  }
  if (IsCycleCode(s.motion)) {
    if (!s.cycle_active) {
      int n = NormalAxis(s.plane);
      if (!s.pos.known[n]) return ReaderMessage(kMsgNcCycleUnknownStart, line_no);
      s.cycle_active = true;
      s.initial_level = s.pos.at[n];
      s.r_level = s.initial_level;
      s.bottom.reset();
    }
    return CycleHole(s, b, cycle_code, line_no, path);
  }
  if (s.motion == 2 || s.motion == 3) return Arc(s, b, line_no, path);
  std::array<bool, 3> given{};
  Point3 target = Target(s, b, given);
  if (given[0] || given[1] || given[2])
    MoveStraight(path, s.pos, target, given, s.motion == 0 ? MoveKind::kRapid : MoveKind::kFeed,
                 line_no);
  return "";
}

}  // namespace

std::string ReadNcToolpath(std::string_view text, Toolpath& path) {
  NcState s;
  int line_no = 0;
  while (!text.empty()) {
    size_t eol = text.find('\n');
    std::string_view line = text.substr(0, eol);
    text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);
    ++line_no;
    NcBlock block;
    std::string error = SplitBlock(line, line_no, block);
    if (error.empty()) error = RunBlock(s, block, line_no, path);
    if (!error.empty()) return error;
  }
  return "";
}

}  // namespace tornel::dev
