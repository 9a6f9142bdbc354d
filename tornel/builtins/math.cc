#include "tornel/builtins/math.h"

#include <cmath>
#include <numbers>

#include "tornel/base/diagnostics.h"

namespace tornel {

namespace {

constexpr double kDegToRad = std::numbers::pi / 180.0;
constexpr double kRadToDeg = 180.0 / std::numbers::pi;

// The angle functions step by 360 one turn at a time.  An angle further
// out than this is first brought near with fmod (exact), so that a huge or
// infinite value can't keep the loop running.
constexpr double kTurnLoopLimit = 360.0 * 1000.0;

double Near(double a) { return std::fabs(a) < kTurnLoopLimit ? a : std::fmod(a, 360.0); }

double RaiseToNonNegative(double a) {
  a = Near(a);
  while (a < 0) a += 360.0;
  return a;
}

double LowerBelow360(double a) {
  a = Near(a);
  while (a >= 360.0) a -= 360.0;
  return a;
}

// The integer part toward zero, as a 32-bit integer would hold it.
MathResult IntegerPart(double x) {
  double t = std::trunc(x);
  if (!(std::fabs(t) <= kMathIntegerLimit)) return {0, MathError::kIntegerRange};
  return {t};
}

}  // namespace

std::string MathErrorMessage(MathError error, std::string_view display) {
  switch (error) {
    case MathError::kNone: break;
    case MathError::kAboveOne: return FormatMessage(kMsgParameterIs, {kMsgGreaterThanOne, display});
    case MathError::kBelowMinusOne:
      return FormatMessage(kMsgParameterIs, {kMsgLessThanMinusOne, display});
    case MathError::kNegativeRoot: return kMsgNegativeSqrt;
    case MathError::kZeroDivisor: return kMsgModZero;
    case MathError::kStepNotPositive: return kMsgTruncStep;
    case MathError::kIntegerRange: return FormatMessage(kMsgInvalidUse, {display});
  }
  return FormatMessage(kMsgInvalidUse, {display});
}

double Snap(double v, double acc) { return std::floor(v / acc + 0.5) * acc; }

double SinDeg(double a) { return std::sin(a * kDegToRad); }
double CosDeg(double a) { return std::cos(a * kDegToRad); }
double TanDeg(double a) { return std::tan(a * kDegToRad); }

MathResult AsinDeg(double x) {
  if (x > 1) return {0, MathError::kAboveOne};
  if (x < -1) return {0, MathError::kBelowMinusOne};
  return {std::asin(x) * kRadToDeg};
}

MathResult AcosDeg(double x) {
  if (x > 1) return {0, MathError::kAboveOne};
  if (x < -1) return {0, MathError::kBelowMinusOne};
  return {std::acos(x) * kRadToDeg};
}

double AtanDeg(double x) { return std::atan(x) * kRadToDeg; }
double Atan2Deg(double y, double x) { return std::atan2(y, x) * kRadToDeg; }
double Pow(double b, double e) { return std::pow(b, e); }

MathResult Sqrt(double x) {
  if (x < 0) return {0, MathError::kNegativeRoot};
  return {std::sqrt(x)};
}

double Hypot(double a, double b) { return std::sqrt(a * a + b * b); }
double Hypot3(double a, double b, double c) { return std::sqrt(a * a + b * b + c * c); }

MathResult Mod(double a, double b) {
  if (b == 0) return {0, MathError::kZeroDivisor};
  return {std::fmod(a, b)};
}

double Abs(double x) { return std::fabs(x); }
double Sign(double x) { return x >= 0 ? 1.0 : -1.0; }

double Ang360(double a, double b, double acc) {
  if (acc > 0) {
    a = Snap(a, acc);
    b = Snap(b, acc);
  }
  double d = a - b;
  a = LowerBelow360(RaiseToNonNegative(a));
  return d < 0 ? -a : a;
}

double Rot360(double a, double acc) {
  a = RaiseToNonNegative(a);
  return std::fmod(acc > 0 ? Snap(a, acc) : a, 360.0);
}

double Rot180(double a, double acc) {
  a = Near(a);
  while (a > 180.0) a -= 360.0;
  while (a < -180.0) a += 360.0;
  return acc > 0 ? Snap(a, acc) : a;
}

double Round(double x, double step) { return step > 0 ? Snap(x, step) : x; }

MathResult Trunc(double x, double step) {
  if (!(step > 0)) return {0, MathError::kStepNotPositive};
  MathResult q = IntegerPart(x / step);
  if (q.error == MathError::kNone) q.value *= step;
  return q;
}

MathResult Int(double x) { return IntegerPart(x); }

MathResult Frac(double x) {
  MathResult i = IntegerPart(x);
  if (i.error == MathError::kNone) i.value = x - i.value;
  return i;
}

double Min(double a, double b) { return a < b ? a : b; }
double Max(double a, double b) { return a > b ? a : b; }

}  // namespace tornel
