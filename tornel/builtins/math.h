// The arithmetic built-ins of the post language as plain functions.  Angles
// are in degrees.  `acc` is an accuracy: positive values snap the angle to
// a multiple of it first (snap(v, acc) = floor(v / acc + 0.5) * acc), zero
// or negative values leave it as it is.  The post's default accuracy is
// srRotAccuracy; the dispatcher supplies it when a call omits it.
//
// Functions that can refuse their arguments give a MathResult; the
// dispatcher turns its error into the message of the calling function.
#pragma once

#include <string>
#include <string_view>

namespace tornel {

enum class MathError {
  kNone,
  kAboveOne,         // asin, acos of x > 1
  kBelowMinusOne,    // asin, acos of x < -1
  kNegativeRoot,     // sqrt of x < 0
  kZeroDivisor,      // mod(a, 0)
  kStepNotPositive,  // trunc(x, step) with step <= 0
  kIntegerRange,     // an integer part beyond +-2147483647
};

struct MathResult {
  double value = 0;
  MathError error = MathError::kNone;
};

inline constexpr const char* kMsgParameterIs = "Parameter is %s in %s function in";
inline constexpr const char* kMsgGreaterThanOne = "greater than 1";
inline constexpr const char* kMsgLessThanMinusOne = "less than -1";
inline constexpr const char* kMsgNegativeSqrt = "Negative parameter value in SQRT function in";
inline constexpr const char* kMsgModZero = "Parameter 2 can't be 0 in MOD function in";
inline constexpr const char* kMsgTruncStep =
    "Parameter 2 must be greater than 0 in TRUNC function in";
inline constexpr const char* kMsgInvalidUse = "Invalid use of %s function in";

// The message for `error` raised by the function shown as `display`.
std::string MathErrorMessage(MathError error, std::string_view display);

// The largest integer part trunc, int and frac take: they work in 32-bit
// integers.
inline constexpr double kMathIntegerLimit = 2147483647.0;

double Snap(double v, double acc);

double SinDeg(double a);
double CosDeg(double a);
double TanDeg(double a);
MathResult AsinDeg(double x);
MathResult AcosDeg(double x);
double AtanDeg(double x);
double Atan2Deg(double y, double x);  // the angle of the point (x, y), -180 to 180
double Pow(double b, double e);
MathResult Sqrt(double x);
double Hypot(double a, double b);
double Hypot3(double a, double b, double c);
MathResult Mod(double a, double b);  // fmod: the sign of a
double Abs(double x);
double Sign(double x);  // 1 for x >= 0 (zero included), else -1

// An absolute rotary position 0 <= p < 360 with the direction of travel
// from b to a in its sign: -p when a < b.
double Ang360(double a, double b, double acc);
double Rot360(double a, double acc);  // 0 <= result < 360
double Rot180(double a, double acc);  // -180 <= result <= 180

double Round(double x, double step);  // snap(x, step); x itself for step <= 0
MathResult Trunc(double x, double step);  // int(x / step) * step
MathResult Int(double x);                 // toward zero
MathResult Frac(double x);                // x - int(x)
double Min(double a, double b);
double Max(double a, double b);

}  // namespace tornel
