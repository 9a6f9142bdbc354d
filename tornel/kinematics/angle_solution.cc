#include "tornel/kinematics/angle_solution.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace tornel {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kDeg = 180.0 / kPi;

double HalfTurn(double r) { return r >= 0 ? r - kPi : r + kPi; }

double MachineValue(double radians, double scale, double trans, double accuracy) {
  return RoundToAccuracy(scale * radians * kDeg + trans, accuracy);
}

double Radians(double value, double scale, double trans) {
  if (scale == 0) return trans / kDeg;
  return (value - trans) / scale / kDeg;
}

bool TiltAroundX(const AxisConfig& c) {
  return c.rot_around == kAroundY || (c.rot_around == kAroundZ && c.tilt_around == kAroundX);
}

}  // namespace

double RoundToAccuracy(double value, double step) {
  if (step <= 0) return value;
  return std::floor(value / step + 0.5) * step;
}

bool RotaryOutOfLimits(const AxisConfig& c, double rot) {
  return rot < c.rot_min - kLimitMargin || rot > c.rot_max + kLimitMargin;
}

double FoldIntoLimits(const AxisConfig& c, double rot, bool nearest_first) {
  if (!std::isfinite(rot)) return rot;
  const double turn = FullTurn(c);
  const double max = c.rot_max + kLimitMargin, min = c.rot_min - kLimitMargin;
  double a = nearest_first ? rot - std::round(rot / turn) * turn : rot;
  // As many turns at once as a turn at a time would take, however far out.
  if (a > max) a -= std::ceil((a - max) / turn) * turn;
  if (a < min) a += std::ceil((min - a) / turn) * turn;
  return a;
}

double NearestRotary(double a, double p, double turn) {
  if (turn <= 0) turn = 360;
  a = std::floor(p / turn + 0.5) * turn + a;
  while (a - p > turn / 2) a -= turn;
  while (a - p < -turn / 2) a += turn;
  return a;
}

const char* SolveAngles(const AxisConfig& c, const double axis[3], bool other, double pole_rot,
                        AngleSolution& out) {
  out = AngleSolution{};
  if (!HasRotary(c)) return nullptr;
  if (const char* bad = CheckAxisCombination(c)) return bad;
  double len = std::sqrt(axis[0] * axis[0] + axis[1] * axis[1] + axis[2] * axis[2]);
  if (!std::isfinite(len) || len == 0) return kMsgBadToolAxis;
  // A tool axis that is not of unit length is taken for its direction.
  double i = axis[0] / len, j = axis[1] / len, k = axis[2] / len;
  const double tol = c.tilt_accuracy / kDeg;
  double r = 0, t = 0;
  switch (c.rot_around) {
    case kAroundX:
      r = std::atan2(-j, k);
      t = std::atan2(i, std::sqrt(j * j + k * k));
      out.pole = std::fabs(t + kPi / 2) < tol || std::fabs(t - kPi / 2) < tol;
      break;
    case kAroundY:
      r = std::atan2(i, k);
      t = std::atan2(-j, std::sqrt(i * i + k * k));
      out.pole = std::fabs(t + kPi / 2) < tol || std::fabs(t - kPi / 2) < tol;
      break;
    default:
      r = TiltAroundX(c) ? std::atan2(i, -j) : std::atan2(j, i);
      t = std::atan2(std::sqrt(i * i + j * j), k);
      out.pole = std::fabs(t) < tol || std::fabs(t - kPi) < tol;
      break;
  }
  if (c.nutator != 0 && c.tilt_type != 0) {
    // The swivel at 45 degrees: the tilt from how far the axis leans
    // toward the head's side, the rotary axis corrected by the swivel's
    // own turn.  Constants as the head's geometry is written.
    const double n = c.nutator;
    double cosine = c.rot_around == kAroundX ? -i * n : c.rot_around == kAroundY ? -j * n : k;
    if (cosine < 0) {
      cosine = 0;
      out.nutator_side = true;
    }
    double d;
    if (c.rot_around == kAroundX || c.rot_around == kAroundY) {
      t = kPi - std::acos(2 * cosine - 1);
      double l = c.rot_around == kAroundX ? std::sqrt(j * j + k * k) : std::sqrt(i * i + k * k);
      d = std::atan2(-(std::sin(t) * n * l * 1.414213562373), (std::cos(t) + 1) * l * n);
    } else {
      t = std::acos(2 * cosine - 1);
      double l = std::sqrt(i * i + j * j);
      d = std::atan2(-(std::sin(t) * n * l * 1.414213562373), -((std::cos(t) - 1) * l));
      if (!TiltAroundX(c)) r = HalfTurn(r);
    }
    if (other) {
      d = -d;
      t = -t;
    }
    if (c.nutator == -1) r = HalfTurn(r);
    if (out.pole) d = 0;  // at the pole the swivel's correction is dropped
    r += d;
    out.nutator_offset = c.rot_scale * d * kDeg;
  } else if (other && c.tilt_type != 0) {
    r = HalfTurn(r);
    t = c.rot_around == kAroundZ ? -t : kPi - t;
    if (t > kPi) t -= 2 * kPi;
  }
  if (out.pole) r = Radians(pole_rot, c.rot_scale, c.rot_trans);
  out.rot = MachineValue(r, c.rot_scale, c.rot_trans, c.rot_accuracy);
  out.tilt = c.tilt_type == 0 ? 0 : MachineValue(t, c.tilt_scale, c.tilt_trans, c.tilt_accuracy);
  return nullptr;
}

const char* SolveAxisStep(const AxisConfig& c, const AxisStepInput& in, AxisStep& out) {
  out = AxisStep{};
  const double turn = FullTurn(c);
  // At the pole the rotary axis stays where it is, or goes to the neutral
  // angle.
  double pole_rot = in.neutral ? in.neutral_angle : in.rot_prev;
  AngleSolution s;
  if (const char* bad = SolveAngles(c, in.axis, TakesOtherSolution(c, in.tilt_dir), pole_rot, s))
    return bad;
  out.pole = s.pole;
  out.tilt = s.tilt;
  out.rot = s.pole && in.neutral ? s.rot : NearestRotary(s.rot, in.rot_prev, turn);
  double change = out.rot - in.rot_prev;
  bool half = std::fabs(std::fabs(change) - turn / 2) < 1e-9 * turn;
  if (half && !in.keep_family && c.nutator == 0 && c.tilt_limit == 0 && c.tilt_type != 0) {
    // The other solution reaches the same axis without the half turn.
    out.rot = in.rot_prev;
    out.tilt = RoundToAccuracy(OtherTilt(c, out.tilt), c.tilt_accuracy);
    half = false;
  }
  out.half_turn = half;
  return nullptr;
}

double OtherTilt(const AxisConfig& c, double tilt) {
  double mirror = c.rot_around == kAroundZ ? c.tilt_trans : c.tilt_trans + c.tilt_scale * 90;
  return 2 * mirror - tilt;
}

void AddToRange(AngleRange& w, double rot, double tilt) {
  if (!w.any) {
    w = {true, rot, rot, tilt, tilt};
    return;
  }
  w.rot_min = std::min(w.rot_min, rot);
  w.rot_max = std::max(w.rot_max, rot);
  w.tilt_min = std::min(w.tilt_min, tilt);
  w.tilt_max = std::max(w.tilt_max, tilt);
}

namespace {

// The whole-turn shift that brings [lo, hi] inside the rotary limits,
// the smallest one from 0; false when the range is wider than they allow.
bool TurnShift(const AxisConfig& c, double lo, double hi, double turn, double& shift) {
  const double min = c.rot_min - kLimitMargin, max = c.rot_max + kLimitMargin;
  if (lo >= min && hi <= max) {
    shift = 0;
    return true;
  }
  double k = lo < min ? std::ceil((min - lo) / turn) : -std::ceil((hi - max) / turn);
  shift = k * turn;
  return lo + shift >= min && hi + shift <= max;
}

}  // namespace

WindowFit FitWindow(const AxisConfig& c, const WindowRange& w) {
  WindowFit fit;
  const double turn = FullTurn(c);
  const double tmin = c.tilt_min - kLimitMargin, tmax = c.tilt_max + kLimitMargin;
  auto fits = [&](const AngleRange& r, double& shift) {
    if (!r.any) return false;
    bool tilt_in = c.tilt_type == 0 || (r.tilt_min >= tmin && r.tilt_max <= tmax);
    return tilt_in && TurnShift(c, r.rot_min, r.rot_max, turn, shift);
  };
  if (fits(w.now, fit.shift)) {
    fit.fits = true;
    return fit;
  }
  // The other family: only where the post leaves the tilt solution free.
  if (c.tilt_type != 0 && c.tilt_limit == 0 && fits(w.other, fit.shift)) {
    fit.flip = true;
    fit.fits = true;
    return fit;
  }
  return WindowFit{};
}

std::string LimitAngleText(double value) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%+.3f", value);
  std::string s = buf;
  while (!s.empty() && s.back() == '0') s.pop_back();
  return s;
}

LimitCheck CheckLimits(const AxisConfig& c, double rot, double tilt, bool warn,
                       LimitMemory& memory) {
  LimitCheck check;
  bool rot_out = RotaryOutOfLimits(c, rot);
  bool tilt_out = c.tilt_type != 0 &&
                  (tilt < c.tilt_min - kLimitMargin || tilt > c.tilt_max + kLimitMargin);
  check.out = rot_out || tilt_out;
  if (!warn) return check;
  check.rot_counts = rot_out && (!memory.reported || rot != memory.rot);
  check.tilt_counts = tilt_out && (!memory.reported || tilt != memory.tilt);
  check.rot_text = LimitAngleText(rot);
  check.tilt_text = LimitAngleText(tilt);
  memory.reported = true;
  memory.rot = rot;
  memory.tilt = tilt;
  return check;
}

double LimitCrossing(const AxisConfig& c, double rot_prev, double rot, double tilt_prev,
                     double tilt) {
  struct Bound {
    double from, to, limit;
    bool below;
  };
  const Bound bounds[] = {{rot_prev, rot, c.rot_min, true},
                          {rot_prev, rot, c.rot_max, false},
                          {tilt_prev, tilt, c.tilt_min, true},
                          {tilt_prev, tilt, c.tilt_max, false}};
  for (int n = 0; n < 4; ++n) {
    const Bound& b = bounds[n];
    if (n >= 2 && c.tilt_type == 0) break;
    bool out = b.below ? b.to < b.limit - kLimitMargin : b.to > b.limit + kLimitMargin;
    bool was_in = b.below ? b.from >= b.limit - kLimitMargin : b.from <= b.limit + kLimitMargin;
    if (out && was_in && b.to != b.from) return (b.limit - b.from) / (b.to - b.from);
  }
  return -1;
}

namespace {

int StepsFor(double change, double step) {
  change = std::fabs(change);
  if (step <= 0 || change == 0) return 1;
  double n = std::ceil(change / step - 1e-9);
  if (n < 1) return 1;
  if (n > 1e6) return 1000000;  // a step no machine needs; keeps the count bounded
  return static_cast<int>(n);
}

int ToleranceSteps(double change, double tol, double radius) {
  if (radius < tol) radius = tol;
  double step = 2 * std::acos(1 - tol / radius) * kDeg;
  return StepsFor(change, step);
}

}  // namespace

int DivisionSteps(const DivisionInput& in) {
  int n = 1;
  if (in.div_angle != 0) {
    n = std::max(StepsFor(in.rot_change, std::fabs(in.div_angle)),
                 StepsFor(in.tilt_change, std::fabs(in.div_angle)));
  }
  if (in.tolerance != 0) {
    double tol = std::fabs(in.tolerance);
    n = std::max({n, ToleranceSteps(in.rot_change, tol, in.rot_radius),
                  ToleranceSteps(in.tilt_change, tol, in.tilt_radius)});
  }
  return n;
}

void InterpolateAxis(const double from[3], const double to[3], double f, double out[3]) {
  double dot = from[0] * to[0] + from[1] * to[1] + from[2] * to[2];
  dot = std::fmax(-1.0, std::fmin(1.0, dot));
  double angle = std::acos(dot);
  if (angle < 1e-12 || angle > std::numbers::pi - 1e-9) {
    // Parallel axes: a straight blend.  Opposite axes hold no one plane;
    // their blend keeps `from` until the middle, then `to`.
    for (int i = 0; i < 3; ++i) out[i] = from[i] + f * (to[i] - from[i]);
  } else {
    // Spherical interpolation: the great circle through both axes.
    double s = std::sin(angle);
    double a = std::sin((1 - f) * angle) / s, b = std::sin(f * angle) / s;
    for (int i = 0; i < 3; ++i) out[i] = a * from[i] + b * to[i];
  }
  double len = std::sqrt(out[0] * out[0] + out[1] * out[1] + out[2] * out[2]);
  if (len < 1e-12) {
    for (int i = 0; i < 3; ++i) out[i] = f < 0.5 ? from[i] : to[i];
    return;
  }
  for (int i = 0; i < 3; ++i) out[i] /= len;
}

}  // namespace tornel
