// From a tool axis to machine angles: the two mathematical solutions, the
// pole, continuity with the previous angle and the half-turn rule; the
// limit check and the break point of a move that passes a limit or the
// pole; the step count of a divided multi-axis move.  Over AxisConfig and
// plain values; messages go back to the caller.
#pragma once

#include <string>

#include "tornel/kinematics/axis_model.h"

namespace tornel {

inline constexpr int kLangRotaryOutOfLimits = 22;
inline constexpr int kLangTiltOutOfLimits = 23;
inline constexpr int kLangBothOutOfLimits = 24;
inline constexpr int kLangAfterNcLine = 25;
inline constexpr const char* kMsgRotaryOutOfLimits = "Rotary axis out of limits. Rotary angle=%s";
inline constexpr const char* kMsgTiltOutOfLimits = "Tilt axis out of limits. Tilt angle=%s";
inline constexpr const char* kMsgBothOutOfLimits =
    "Rotary & Tilt axis out of limits. Rotary angle=%s Tilt angle=%s";
inline constexpr const char* kMsgAfterNcLine = "after NC-line %d";
// A tool axis no angle can be solved for.
inline constexpr const char* kMsgBadToolAxis =
    "Tool axis must be a direction of finite, not all zero components in";

// Limits are met within this margin (machine units).
inline constexpr double kLimitMargin = 0.00001;

struct AngleSolution {
  double rot = 0, tilt = 0;  // machine values: scaled, translated, rounded
  bool pole = false;         // within the pole tolerance: the rotary angle is the reference
  // A nutator head: the part of the rotary value its swivel asks for
  // (srRotScale times the correction in degrees), and whether the axis
  // lay beyond the half of the sphere the head reaches (taken at its edge).
  double nutator_offset = 0;
  bool nutator_side = false;
};

// Solves one tool axis (need not be of unit length; not zero).  `other`
// takes the second solution (rotary half a turn on, tilt mirrored), as
// siTiltLimit -1 or a stretch with the tilt direction -1 asks.  At the pole
// the rotary angle is `pole_rot` (a machine value).  Null, or the message
// of a bad axis combination or a bad tool axis.
const char* SolveAngles(const AxisConfig& c, const double axis[3], bool other, double pole_rot,
                        AngleSolution& out);

// The second solution is taken for siTiltLimit -1, or 0 with tilt direction -1.
inline bool TakesOtherSolution(const AxisConfig& c, int tilt_dir) {
  return c.tilt_limit == -1 || (c.tilt_limit == 0 && tilt_dir < 0);
}

// A full turn of the rotary axis in machine units: 360 times the scale.
inline double FullTurn(const AxisConfig& c) {
  return 360 * (c.rot_scale == 0 ? 1 : (c.rot_scale < 0 ? -c.rot_scale : c.rot_scale));
}

// A rotary value beyond srRotMinAng..srRotMaxAng (by the margin).
bool RotaryOutOfLimits(const AxisConfig& c, double rot);

// A rotary value brought inside the limits by whole turns: first by the
// nearest whole number of turns (`nearest_first`, the single-move
// repositioning), then a turn at a time.
double FoldIntoLimits(const AxisConfig& c, double rot, bool nearest_first);

// The continuity rule: `a` moved by whole turns as near to `p` as it goes;
// a difference of exactly half a turn stays.  `turn` is a full turn in
// machine units (360 times the scale).
double NearestRotary(double a, double p, double turn = 360);

// floor(value / step + 0.5) * step (a half rounds up, also below 0); the
// value itself when step <= 0.
double RoundToAccuracy(double value, double step);

// The rotary value and tilt value of one move, from its axis, the
// previous values and the stretch's tilt direction (the solution family;
// a stretch moved by whole turns keeps its turn by the continuity rule).
struct AxisStep {
  double rot = 0, tilt = 0;
  bool pole = false;
  bool half_turn = false;  // the rotary axis turns by exactly half a turn
};
struct AxisStepInput {
  double axis[3] = {0, 0, 1};
  double rot_prev = 0, tilt_prev = 0;
  int tilt_dir = 1;
  bool neutral = false;   // siRotNeutrSol: the pole takes neutral_angle
  double neutral_angle = 0;
  // The family is kept even across a half turn (the first move of a
  // stretch that changes to the other family).
  bool keep_family = false;
};
const char* SolveAxisStep(const AxisConfig& c, const AxisStepInput& in, AxisStep& out);

// The angles a stretch of moves (from one rapid move to the next) reaches,
// as the continuity rule gives them in the solution family in use and in
// the other one (tilt direction turned round).
struct AngleRange {
  bool any = false;
  double rot_min = 0, rot_max = 0, tilt_min = 0, tilt_max = 0;
};
struct WindowRange {
  AngleRange now, other;
};
void AddToRange(AngleRange& range, double rot, double tilt);

// How the stretch fits the limits: shifted by whole turns (`shift`,
// machine units), in the family in use or in the other one (`flip`).
// `fits` false when none brings every angle inside; the stretch then stays
// as it is.
struct WindowFit {
  double shift = 0;
  bool flip = false;
  bool fits = false;
};
WindowFit FitWindow(const AxisConfig& c, const WindowRange& w);

// The tilt value of the other solution for the same tool axis (no nutator).
double OtherTilt(const AxisConfig& c, double tilt);

// The limit check: which axes are out (each by the margin), and, when the
// warning is on, which of them count for a new message (an angle equal to
// the one last reported does not).
struct LimitMemory {
  bool reported = false;  // an angle was reported before
  double rot = 0, tilt = 0;
};
struct LimitCheck {
  bool out = false;          // either axis out: siRotLimitPassAct
  bool rot_counts = false;   // the message names the rotary axis
  bool tilt_counts = false;  // ... the tilt axis
  std::string rot_text, tilt_text;  // "%+.3f" without trailing zeros
};
LimitCheck CheckLimits(const AxisConfig& c, double rot, double tilt, bool warn,
                       LimitMemory& memory);

// "%+.3f" with the trailing zeros removed and the point kept: "+400.", "-12.5".
std::string LimitAngleText(double value);

// The fraction of a move from `prev` to `now` where the first limit is
// crossed (rotary minimum, maximum, tilt minimum, maximum); -1 when none.
double LimitCrossing(const AxisConfig& c, double rot_prev, double rot, double tilt_prev,
                     double tilt);

// Steps of a divided move: by angle (`div_angle` degrees a step) or by
// tolerance (the chord rule over the distance of the tool point from each
// axis's pivot).  At least 1.
struct DivisionInput {
  double rot_change = 0, tilt_change = 0;  // degrees
  double div_angle = 0;                     // srRotDivAng, 0: off
  double tolerance = 0;                     // srRotTol times the unit factor, 0: off
  double rot_radius = 0, tilt_radius = 0;   // tool point from the pivots
};
int DivisionSteps(const DivisionInput& in);

// A tool axis turned from `from` toward `to` by the fraction f of the
// angle between them, in the plane that holds both (unit vectors).
void InterpolateAxis(const double from[3], const double to[3], double f, double out[3]);

}  // namespace tornel
