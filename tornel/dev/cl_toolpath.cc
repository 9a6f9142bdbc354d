#include "tornel/dev/cl_toolpath.h"

#include <cmath>
#include <optional>

#include "tornel/cl/cl_record.h"
#include "tornel/cl/dispatch.h"

namespace tornel::dev {

namespace {

struct Circle {
  Point3 centre{};
  Point3 axis{0, 0, 1};
};

// A drill cycle in force: the distances along the tool axis from each
// hole's top.
struct ClCycle {
  bool active = false;
  double clear = 0;     // RAPTO, CLEAR: where the feed starts
  double retract = 0;   // RTRCTO, RETURN: where the tool goes between holes
  std::optional<double> depth;  // FEDTO, DEPTH
};

struct ClState {
  ToolPosition pos;
  std::optional<Point3> home;  // the FROM point
  bool rapid = false;          // RAPID: the next motion only
  std::optional<Circle> circle;  // CIRCLE: the next GOTO only
  ClCycle cycle;
};

// Numbers from word `first` on; false when fewer than `n`.
bool Numbers(const RecordSlot& r, int first, int n, double* out) {
  if (r.words < first + n) return false;
  for (int i = 0; i < n; ++i) {
    if (r.type[first + i] != kWordNumber) return false;
    out[i] = r.value[first + i];
  }
  return true;
}

bool IsDrillCycle(const RecordSlot& r) {
  static constexpr std::string_view kKinds[] = {"DRILL",  "DEEP",   "TAP",    "REAM",  "BORE",
                                                "BKBORE", "LTAP",   "CUSTM1", "CUSTM2", "CUSTM3",
                                                "RIGID",  "LRIGID", "BRKCHP"};
  for (std::string_view k : kKinds)
    if (WordIs(r.word[1], k)) return true;
  return WordIs(r.word[1], "FACE") && r.words >= 10;  // a countersink, not a facing cut
}

std::string Cycle(ClState& s, const RecordSlot& r) {
  if (r.words < 2) return "";
  if (WordIs(r.word[1], "OFF")) {
    s.cycle.active = false;
    return "";
  }
  if (WordIs(r.word[1], "TURN") || WordIs(r.word[1], "FACE"))
    return ReaderMessage(kMsgClNotPlotted, r.line, "lathe roughing CYCLE");
  if (!IsDrillCycle(r)) return "";  // CYCLE/INIT and the like change nothing
  ClCycle c;
  c.active = true;
  std::optional<double> retract;
  for (int i = 2; i + 1 < r.words; ++i) {
    if (r.type[i] != kWordString || r.type[i + 1] != kWordNumber) continue;
    double v = r.value[i + 1];
    const std::string& w = r.word[i];
    if (WordIs(w, "RAPTO") || WordIs(w, "CLEAR")) c.clear = v;
    if (WordIs(w, "RTRCTO") || WordIs(w, "RETURN")) retract = v;
    if (WordIs(w, "FEDTO") || WordIs(w, "DEPTH")) c.depth = std::fabs(v);
  }
  c.retract = retract.value_or(c.clear);
  s.cycle = c;
  return "";
}

Point3 Along(const Point3& p, const Point3& axis, double d) {
  return {p[0] + axis[0] * d, p[1] + axis[1] * d, p[2] + axis[2] * d};
}

// A hole of the cycle at `top`: across above it, down to the clearance,
// into it at feed and back out.
void Hole(ClState& s, const Point3& top, const Point3& axis, int line, Toolpath& path) {
  const std::array<bool, 3> all{true, true, true};
  const ClCycle& c = s.cycle;
  MoveStraight(path, s.pos, Along(top, axis, c.retract), all, MoveKind::kRapid, line);
  MoveStraight(path, s.pos, Along(top, axis, c.clear), all, MoveKind::kRapid, line);
  path.holes.push_back(Along(top, axis, c.clear));
  if (c.depth) {
    MoveStraight(path, s.pos, Along(top, axis, -*c.depth), all, MoveKind::kFeed, line);
    MoveStraight(path, s.pos, Along(top, axis, c.retract), all, MoveKind::kRapid, line);
  }
}

std::string Goto(ClState& s, const RecordSlot& r, Toolpath& path) {
  double v[6] = {0, 0, 0, 0, 0, 1};
  if (!Numbers(r, 1, 3, v)) return ReaderMessage(kMsgClShortRecord, r.line, "GOTO", 3);
  Numbers(r, 4, 3, v + 3);
  const Point3 end{v[0], v[1], v[2]};
  const MoveKind kind = s.rapid ? MoveKind::kRapid : MoveKind::kFeed;
  std::optional<Circle> circle = s.circle;
  s.rapid = false;
  s.circle.reset();
  if (s.cycle.active) {
    Point3 axis{v[3], v[4], v[5]};
    double len = Length(axis);
    axis = len > 0 ? Point3{axis[0] / len, axis[1] / len, axis[2] / len} : Point3{0, 0, 1};
    Hole(s, end, axis, r.line, path);
    return "";
  }
  if (!circle) {
    MoveStraight(path, s.pos, end, {true, true, true}, kind, r.line);
    return "";
  }
  if (!s.pos.AllKnown()) return ReaderMessage(kMsgClArcUnknownStart, r.line);
  ArcFrame frame = FrameAround(circle->axis);
  double closed_tol = 1e-6 * std::max(1.0, Length(s.pos.at));
  double r0 = 0, r1 = 0;
  ToolMove m = ArcMove(s.pos.at, end, circle->centre, frame, true, closed_tol, kind, r.line, r0, r1);
  if (!std::isfinite(m.path.angle) || !std::isfinite(r0))
    return ReaderMessage(kMsgArcTooLarge, r.line);
  if (r0 == 0) {
    MoveStraight(path, s.pos, end, {true, true, true}, kind, r.line);
    return "";
  }
  AddArc(path, s.pos, m);
  return "";
}

std::string Record(ClState& s, const RecordSlot& r, Toolpath& path) {
  double v[7];
  switch (r.major) {
    case MajorWord::kGoto:
      return Goto(s, r, path);
    case MajorWord::kRapid:
      s.rapid = true;
      return "";
    case MajorWord::kCircle:
      if (!Numbers(r, 1, 6, v)) return ReaderMessage(kMsgClShortRecord, r.line, "CIRCLE", 6);
      s.circle = Circle{{v[0], v[1], v[2]}, {v[3], v[4], v[5]}};
      if (Length(s.circle->axis) == 0) s.circle->axis = {0, 0, 1};
      return "";
    case MajorWord::kCycle:
      return Cycle(s, r);
    case MajorWord::kUnits:
      if (r.words >= 2 && WordIs(r.word[1], "MM")) path.units = "mm";
      if (r.words >= 2 && (WordIs(r.word[1], "INCHES") || WordIs(r.word[1], "INCH")))
        path.units = "inch";
      return "";
    case MajorWord::kNurbs:
      return ReaderMessage(kMsgClNotPlotted, r.line, "NURBS");
    default:
      break;
  }
  const std::string& major = r.word[0];
  if (WordIs(major, "FROM")) {
    if (!Numbers(r, 1, 3, v)) return ReaderMessage(kMsgClShortRecord, r.line, "FROM", 3);
    s.home = Point3{v[0], v[1], v[2]};
    s.pos.at = *s.home;
    s.pos.known = {true, true, true};
    return "";
  }
  if (WordIs(major, "GOHOME")) {
    if (!s.home) return ReaderMessage(kMsgClNoHome, r.line);
    MoveKind kind = s.rapid ? MoveKind::kRapid : MoveKind::kFeed;
    s.rapid = false;
    MoveStraight(path, s.pos, *s.home, {true, true, true}, kind, r.line);
    return "";
  }
  if (IsContourMotionWord(major)) return ReaderMessage(kMsgClNotPlotted, r.line, "contour motion");
  return "";
}

}  // namespace

std::string ReadClToolpath(std::string_view text, Toolpath& path) {
  ClState s;
  RecordSlot slot;
  int line_no = 0;
  while (!text.empty()) {
    size_t eol = text.find('\n');
    std::string_view line = text.substr(0, eol);
    text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);
    ++line_no;
    FeedResult fed = AssembleLine(slot, line, line_no);
    switch (fed) {
      case FeedResult::kFini:
        return "";
      case FeedResult::kTooLong:
        return ReaderMessage(kMsgClRecord, line_no, kMsgRecordTooLong);
      case FeedResult::kTooManyWords:
        return ReaderMessage(kMsgClRecord, line_no, kMsgTooManyWords);
      case FeedResult::kBadNumber:
        return ReaderMessage(kMsgClRecord, line_no, kMsgBadNumber);
      case FeedResult::kRecord: {
        std::string error = Record(s, slot, path);
        EmptySlot(slot);
        if (!error.empty()) return error;
        break;
      }
      default:
        break;
    }
  }
  return "";
}

}  // namespace tornel::dev
