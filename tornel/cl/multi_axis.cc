#include "tornel/cl/multi_axis.h"

#include <cmath>
#include <cstring>
#include <numbers>
#include <string>
#include <utility>

#include "tornel/cl/arc_geometry.h"
#include "tornel/cl/cl_codes.h"
#include "tornel/cl/cl_reader.h"
#include "tornel/cl/dispatch_parts.h"
#include "tornel/cl/feed_time.h"
#include "tornel/cl/frames.h"
#include "tornel/cl/move_values.h"
#include "tornel/cl/nc_warning.h"
#include "tornel/cl/position_slots.h"
#include "tornel/cl/rotary_window.h"
#include "tornel/kinematics/matrix3.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {

namespace {

constexpr int kBreak[6] = {kSrX_BreakPt, kSrY_BreakPt, kSrZ_BreakPt,
                           kSrI_BreakPt, kSrJ_BreakPt, kSrK_BreakPt};

static_assert(kSrZK == kSrXI + 8 && kSrZK_Prev == kSrXI_Prev + 8 && kSrZK_Next == kSrXI_Next + 8);
static_assert(kSrZKT == kSrXT + 11 && kSrZKT_Prev == kSrXT_Prev + 11 &&
              kSrZKT_Next == kSrXT_Next + 11);

// The orientation (srXI ... srZK) and the kinematic frame (srXT ... srZKT:
// the machine position of a part point p is frame · p plus its origin).
void StoreKinematics(ValueTables& v, int orient, int frame, const KinematicRecord& k) {
  double* r = v.reals.data();
  for (int i = 0; i < 9; ++i) r[orient + i] = k.orient[i];
  for (int i = 0; i < 3; ++i) r[frame + i] = -k.translation[i];
  for (int i = 0; i < 9; ++i) r[frame + 3 + i] = k.table[i];
}

void CopyKinematics(ValueTables& v, int orient_from, int frame_from, int orient_to, int frame_to) {
  double* r = v.reals.data();
  for (int i = 0; i < 9; ++i) r[orient_to + i] = r[orient_from + i];
  for (int i = 0; i < 12; ++i) r[frame_to + i] = r[frame_from + i];
}

// The stretch's offsets and directions, with their _Prev forms.
constexpr std::pair<int, int> kStretchValues[] = {
    {kSrRotOffs, kSrRotOffs_Prev},
    {kSrTiltDir, kSrTiltDir_Prev},
    {kSrRotReposOffs, kSrRotReposOffs_Prev},
    {kSrTiltReposDir, kSrTiltReposDir_Prev}};

void Load6(const ValueTables& v, const int (&slots)[6], double out[6]) {
  for (int i = 0; i < 6; ++i) out[i] = v.reals[slots[i]];
}

[[noreturn]] void FatalAxis(ClContext& ctx, const char* message) {
  if (std::strcmp(message, kMsgBadToolAxis) == 0) FatalInRecord(ctx, kMsgZeroToolAxis, ctx.values.ints[kSiRec]);
  FatalAt(ctx.diag, message);
}

AxisStepInput StepInput(const ValueTables& v, const double axis[3], double rot_prev,
                        double tilt_prev);

// The angles of a _CL point and axis.  In polar interpolation a tool axis
// along the rotary axis leaves the rotary angle to the point: the rotary
// axis turns it onto the polar linear axis (`polar` says so); the tilt
// stays that of the tool axis.
const char* SolvePoint(const ValueTables& v, const AxisConfig& c, bool polar_on,
                       const double cl[6], double rot_prev, double tilt_prev, AxisStep& out,
                       bool* polar) {
  double replaced[3];
  bool is_polar = polar_on && PolarVector(c, v.ints[kSiRotPolarAx], cl, cl + 3, replaced);
  if (polar) *polar = is_polar;
  if (const char* bad = SolveAxisStep(c, StepInput(v, cl + 3, rot_prev, tilt_prev), out))
    return bad;
  if (!is_polar) return nullptr;
  AxisStep turned;
  if (const char* bad = SolveAxisStep(c, StepInput(v, replaced, rot_prev, tilt_prev), turned))
    return bad;
  out.rot = turned.rot;
  out.half_turn = turned.half_turn;
  out.pole = false;
  return nullptr;
}

AxisStepInput StepInput(const ValueTables& v, const double axis[3], double rot_prev,
                        double tilt_prev) {
  AxisStepInput in;
  for (int i = 0; i < 3; ++i) in.axis[i] = axis[i];
  in.rot_prev = rot_prev;
  in.tilt_prev = tilt_prev;
  in.tilt_dir = v.reals[kSrTiltDir] < 0 ? -1 : 1;
  in.neutral = v.ints[kSiRotNeutrSol] != 0;
  in.neutral_angle = v.reals[kSrRotNeutrAng];
  return in;
}

// The machine position and tool axis of a _CL point and axis, through the
// kinematic record and the output frame.
void ToOutput(const ValueTables& v, const KinematicRecord& k, const double cl[6], double out[6]) {
  PointToOutput(v, k, cl, out);
  double axis[3];
  MachineAxis(k, cl + 3, axis);
  OutputTransform(v, axis, false, out + 3);
}

KinematicRecord Kinematics(ClContext& ctx, const AxisConfig& c, double rot, double tilt) {
  KinematicRecord k;
  if (const char* bad = BuildKinematics(c, rot, tilt, k)) FatalAt(ctx.diag, bad);
  return k;
}

// Single-move repositioning: a rotary value beyond the limits is brought
// back by whole turns where the move may reposition the axis.
double Reposition(const AxisConfig& c, ValueTables& v, double rot) {
  int32_t move = v.ints[kSiMoveType];
  bool allowed = (move == kKindGoto && v.ints[kSiReposRotFeed] == 1) ||
                 (move == kKindRapid && v.ints[kSiReposRotRapid] == 1);
  if (!allowed || !RotaryOutOfLimits(c, rot)) return rot;
  double a = FoldIntoLimits(c, rot, true);
  if (a != rot) v.ints[kSiReposRotAct] = 1;
  return a;
}

// The tilt value at the pole and the fraction of the move at which the
// tilt reaches it: the move goes on through the pole into the mirrored
// solution.
void PoleBreak(const AxisConfig& c, double tilt_prev, double tilt, double& pole, double& f) {
  if (c.rot_around == kAroundZ) {
    pole = c.tilt_trans;
  } else {
    double side = tilt_prev >= c.tilt_trans ? 1 : -1;
    pole = c.tilt_trans + side * 90 * c.tilt_scale;
  }
  double mirrored = 2 * pole - tilt;
  f = mirrored != tilt_prev ? (pole - tilt_prev) / (mirrored - tilt_prev) : 0.5;
  if (!(f >= 0 && f <= 1)) f = 0.5;
}

void SetBreakPoint(ClContext& ctx, const AxisConfig& c, bool half_turn, bool polar,
                   double rot_prev, double rot, double tilt_prev, double tilt) {
  ValueTables& v = ctx.values;
  double f, rot_b, tilt_b;
  if (half_turn) {
    // At the pole the rotary axis is free: it stays where it was.
    PoleBreak(c, tilt_prev, tilt, tilt_b, f);
    rot_b = rot_prev;
  } else {
    f = LimitCrossing(c, rot_prev, rot, tilt_prev, tilt);
    if (f < 0) f = 0;  // out already at the start of the move
    rot_b = rot_prev + f * (rot - rot_prev);
    tilt_b = tilt_prev + f * (tilt - tilt_prev);
  }
  KinematicRecord k = Kinematics(ctx, c, rot_b, tilt_b);
  double from[6], to[6], cl[6], out[6];
  Load6(v, kPosClPrev, from);
  Load6(v, kPosCl, to);
  for (int i = 0; i < 3; ++i) cl[i] = from[i] + f * (to[i] - from[i]);
  for (int i = 0; i < 3; ++i) cl[3 + i] = k.orient[6 + i];  // the break angles' tool axis
  if (half_turn && polar && v.ints[kSiMoveType] != kKindCircle) {
    // A polar move through the rotary axis breaks where it crosses it:
    // half way along the axis, on the axis, with the move's tool axis.
    int a = c.rot_around - kAroundX;
    for (int i = 0; i < 3; ++i) cl[i] = i == a ? (from[i] + to[i]) / 2 : c.rot_pivot[i];
    for (int i = 3; i < 6; ++i) cl[i] = to[i];
  }
  ToOutput(v, k, cl, out);
  for (int i = 0; i < 6; ++i) v.reals[kBreak[i]] = out[i];
  v.reals[kSrRot_BreakPt] = rot_b;
  v.reals[kSrTilt_BreakPt] = tilt_b;
}

// The limit warning: a comment in the NC file each time; the first time
// in a run also a warning box, the last error text and the frame of the
// finished NC file.
void WarnLimits(ClContext& ctx, const LimitCheck& check) {
  const LanguageTable& lang = ctx.diag.lang;
  std::string message;
  if (check.rot_counts && check.tilt_counts) {
    message = FormatMessage(LangText(lang, kLangBothOutOfLimits, kMsgBothOutOfLimits),
                            {check.rot_text, check.tilt_text});
  } else if (check.rot_counts) {
    message = FormatMessage(LangText(lang, kLangRotaryOutOfLimits, kMsgRotaryOutOfLimits),
                            {check.rot_text});
  } else {
    message = FormatMessage(LangText(lang, kLangTiltOutOfLimits, kMsgTiltOutOfLimits),
                            {check.tilt_text});
  }
  WarnInNcFile(ctx, message, ctx.flags.limit_warning);
}

bool CheckLimitsOf(ClContext& ctx, const AxisConfig& c, double rot, double tilt) {
  bool warn = ctx.values.ints[kSiRotLimitWarn] != 0 && ctx.cl.second_pass;
  LimitCheck check = CheckLimits(c, rot, tilt, warn, ctx.cl.dispatch.limit_memory);
  if (check.out) ctx.values.ints[kSiRotLimitPassAct] = 1;
  if (check.rot_counts || check.tilt_counts) WarnLimits(ctx, check);
  return check.out;
}

// Plans the division of a line move whose tool axis turns.
void PlanDivision(ClContext& ctx, const AxisConfig& c, double rot_prev, double tilt_prev) {
  ValueTables& v = ctx.values;
  DividedMove& plan = ctx.cl.dispatch.divided;
  plan = DividedMove{};
  if (v.ints[kSiMoveType] != kKindGoto || v.ints[kSiCycleAct] == 1) return;
  double rot = v.reals[kSrRot], tilt = v.reals[kSrTilt];
  if (rot == rot_prev && tilt == tilt_prev) return;
  // Only a turning tool axis is divided (a polar move turns the rotary
  // axis with the tool axis fixed).
  if (v.reals[kSrI_CL] == v.reals[kSrI_CL_Prev] && v.reals[kSrJ_CL] == v.reals[kSrJ_CL_Prev] &&
      v.reals[kSrK_CL] == v.reals[kSrK_CL_Prev])
    return;
  DivisionInput in;
  in.rot_change = rot - rot_prev;
  in.tilt_change = tilt - tilt_prev;
  in.div_angle = v.reals[kSrRotDivAng];
  if (v.ints[kSiRotTolOn] == 1) in.tolerance = v.reals[kSrRotTol] * v.reals[kSrPostUnitFactor];
  double from[6], to[6];
  Load6(v, kPosClPrev, from);
  Load6(v, kPosCl, to);
  // The tool point's distance from each pivot: the larger of the move's
  // two ends, so that no step deviates more than the tolerance.
  for (const double* p : {from, to}) {
    double dr = 0, dt = 0;
    for (int i = 0; i < 3; ++i) {
      dr += (p[i] - c.rot_pivot[i]) * (p[i] - c.rot_pivot[i]);
      dt += (p[i] - c.tilt_pivot[i]) * (p[i] - c.tilt_pivot[i]);
    }
    in.rot_radius = std::max(in.rot_radius, std::sqrt(dr));
    in.tilt_radius = std::max(in.tilt_radius, std::sqrt(dt));
  }
  int steps = DivisionSteps(in);
  if (steps < 2) return;
  plan.steps = steps;
  for (int i = 0; i < 6; ++i) {
    plan.from[i] = from[i];
    plan.to[i] = to[i];
  }
}

}  // namespace

AxisConfig AxisConfigFrom(const ValueTables& v) {
  const std::vector<int32_t>& n = v.ints;
  const std::vector<double>& r = v.reals;
  AxisConfig c;
  c.rot_type = n[kSiRotType];
  c.tilt_type = n[kSiTiltType];
  c.rot_around = n[kSiRotAround];
  c.tilt_around = n[kSiTiltAround];
  c.nutator = n[kSiNutator];
  c.tilt_limit = n[kSiTiltLimit];
  c.rot_scale = r[kSrRotScale];
  c.tilt_scale = r[kSrTiltScale];
  c.rot_trans = r[kSrRotTrans];
  c.tilt_trans = r[kSrTiltTrans];
  c.rot_accuracy = r[kSrRotAccuracy];
  c.tilt_accuracy = r[kSrTiltAccuracy];
  c.rot_min = r[kSrRotMinAng];
  c.rot_max = r[kSrRotMaxAng];
  c.tilt_min = r[kSrTiltMinAng];
  c.tilt_max = r[kSrTiltMaxAng];
  const double unit = r[kSrPostUnitFactor];
  static constexpr int kRotPivot[3] = {kSrRot_X_Pivot, kSrRot_Y_Pivot, kSrRot_Z_Pivot};
  static constexpr int kRotOffs[3] = {kSrRot_X_Offs, kSrRot_Y_Offs, kSrRot_Z_Offs};
  static constexpr int kTiltPivot[3] = {kSrTilt_X_Pivot, kSrTilt_Y_Pivot, kSrTilt_Z_Pivot};
  static constexpr int kTiltOffs[3] = {kSrTilt_X_Offs, kSrTilt_Y_Offs, kSrTilt_Z_Offs};
  for (int i = 0; i < 3; ++i) {
    c.rot_pivot[i] = r[kRotPivot[i]] * unit + r[kRotOffs[i]];
    c.tilt_pivot[i] = r[kTiltPivot[i]] * unit + r[kTiltOffs[i]];
  }
  return c;
}

KinematicRecord CurrentKinematics(const ValueTables& v) {
  KinematicRecord k;
  if (NoAxesSet(v)) return k;
  AxisConfig c = AxisConfigFrom(v);
  if (HasRotary(c) && BuildKinematics(c, v.reals[kSrRot], v.reals[kSrTilt], k) != nullptr)
    k = KinematicRecord{};  // a bad configuration is reported by the motion that uses it
  return k;
}

void PointToOutput(const ValueTables& v, const KinematicRecord& k, const double cl[3],
                   double out[3]) {
  double machine[3];
  MachinePoint(k, cl, machine);
  OutputTransform(v, machine, true, out);
}

void OutputAt(const ValueTables& v, double rot, double tilt, const double cl[6], double out[6]) {
  KinematicRecord k;
  if (!NoAxesSet(v)) {
    AxisConfig c = AxisConfigFrom(v);
    if (HasRotary(c) && BuildKinematics(c, rot, tilt, k) != nullptr) k = KinematicRecord{};
  }
  ToOutput(v, k, cl, out);
}

bool OutputToCl(const ValueTables& v, const double out[3], double cl[3]) {
  double machine[3];
  if (!OutputUntransform(v, out, true, machine)) return false;
  KinematicRecord k = CurrentKinematics(v);
  // machine = table · p - translation, the table a rotation.
  double m[3];
  for (int i = 0; i < 3; ++i) m[i] = machine[i] + k.translation[i];
  ApplyTransposed3(k.table, m, cl);
  return true;
}

void SolveMultiAxis(ClContext& ctx) {
  ValueTables& v = ctx.values;
  if (NoAxesSet(v)) return;
  std::vector<double>& r = v.reals;
  std::vector<int32_t>& ints = v.ints;
  AxisConfig c = AxisConfigFrom(v);
  if (!HasRotary(c)) {
    KinematicRecord unused;  // the checks of a tilt axis or nutator without the axis below
    if (const char* bad = BuildKinematics(c, 0, 0, unused)) FatalAt(ctx.diag, bad);
    return;
  }
  const bool polar_on = ints[kSiRotPolarOn] == 1 && ints[kSiMillTurn] == kMillTurnMilling;
  if (polar_on) {
    if (const char* bad = CheckPolarAxis(c, ints[kSiRotPolarAx])) FatalAt(ctx.diag, bad);
  }

  const double rot_prev = r[kSrRot], tilt_prev = r[kSrTilt];
  r[kSrRot_Prev] = rot_prev;
  r[kSrTilt_Prev] = tilt_prev;
  double cl[6];
  Load6(v, kPosCl, cl);
  AxisStep step;
  bool polar = false;
  if (const char* bad = SolvePoint(v, c, polar_on, cl, rot_prev, tilt_prev, step, &polar))
    FatalAxis(ctx, bad);
  ints[kSiRotPolarAct] = polar ? 1 : 0;
  for (const auto& [now, prev] : kStretchValues) r[prev] = r[now];
  // A stretch starts: where whole turns or the other tilt solution bring
  // all of it inside the limits, the rotary axis is repositioned now.
  int32_t move = ints[kSiMoveType];
  if (ctx.cl.second_pass && ints[kSiReposRotRapid] != 0 && move != kKindCircle &&
      (move == kKindRapid || ctx.cl.first_move == 1)) {
    StretchPlan plan = PlanRotaryWindow(ctx, c, StepInput(v, cl + 3, rot_prev, tilt_prev));
    const WindowFit& fit = plan.fit;
    if (fit.fits && (fit.shift != 0 || fit.flip)) {
      const AxisStep& chosen = fit.flip ? plan.other : plan.now;
      r[kSrRotOffs] += chosen.rot + fit.shift - step.rot;
      step.rot = chosen.rot + fit.shift;
      step.tilt = chosen.tilt;
      if (fit.flip) r[kSrTiltDir] = -r[kSrTiltDir];
      ints[kSiReposRotAct] = 1;
    }
  }
  double rot = Reposition(c, v, step.rot);
  r[kSrRotOffs] += rot - step.rot;
  if (ints[kSiReposRotAct] == 1) {
    // Where the axis was repositioned: the offset and direction it took.
    r[kSrRotReposOffs] = r[kSrRotOffs];
    r[kSrTiltReposDir] = r[kSrTiltDir];
  }
  // The next motion goes on in the same stretch.
  r[kSrRotOffs_Next] = r[kSrRotOffs];
  r[kSrTiltDir_Next] = r[kSrTiltDir];
  r[kSrRotReposOffs_Next] = r[kSrRotReposOffs];
  r[kSrTiltReposDir_Next] = r[kSrTiltReposDir];
  r[kSrRot] = rot;
  r[kSrTilt] = step.tilt;
  KinematicRecord k = Kinematics(ctx, c, rot, step.tilt);
  CopyKinematics(v, kSrXI, kSrXT, kSrXI_Prev, kSrXT_Prev);
  StoreKinematics(v, kSrXI, kSrXT, k);
  double out[6];
  ToOutput(v, k, cl, out);
  for (int i = 0; i < 6; ++i) r[kPosOut[i]] = out[i];

  // The next motion, continuing from this one.
  double next[6];
  Load6(v, kPosClNext, next);
  // Before the look-ahead has seen a tool axis the next motion keeps this one.
  if (next[3] == 0 && next[4] == 0 && next[5] == 0)
    for (int i = 3; i < 6; ++i) next[i] = cl[i];
  AxisStep after;
  if (SolvePoint(v, c, polar_on, next, rot, step.tilt, after, nullptr) == nullptr) {
    r[kSrRot_Next] = after.rot;
    r[kSrTilt_Next] = after.tilt;
    KinematicRecord kn = Kinematics(ctx, c, after.rot, after.tilt);
    StoreKinematics(v, kSrXI_Next, kSrXT_Next, kn);
    ToOutput(v, kn, next, out);
    for (int i = 0; i < 6; ++i) r[kPosOutNext[i]] = out[i];
  }  // a bad next axis is reported when its own record comes

  bool half = step.half_turn && ints[kSiMoveType] != kKindRapid;
  ints[kSiHalfRotAct] = half ? 1 : 0;
  bool beyond = CheckLimitsOf(ctx, c, rot, step.tilt);
  if (half || beyond) SetBreakPoint(ctx, c, half, polar, rot_prev, rot, tilt_prev, step.tilt);
  PlanDivision(ctx, c, rot_prev, tilt_prev);
}

void CheckAndWarnLimits(ClContext& ctx, double rot, double tilt) {
  CheckLimitsOf(ctx, AxisConfigFrom(ctx.values), rot, tilt);
}

void SolveWorkPlaneAngles(ClContext& ctx) {
  ValueTables& v = ctx.values;
  AxisConfig c = AxisConfigFrom(v);
  v.reals[kSrWCoordRot] = 0;
  v.reals[kSrWCoordTilt] = 0;
  if (!HasRotary(c)) return;
  const double normal[3] = {v.reals[kSrWCoordZI], v.reals[kSrWCoordZJ], v.reals[kSrWCoordZK]};
  AxisStep step;
  const char* bad =
      SolveAxisStep(c, StepInput(v, normal, v.reals[kSrRot], v.reals[kSrTilt]), step);
  if (bad) FatalAxis(ctx, bad);
  v.reals[kSrWCoordRot] = step.rot;
  v.reals[kSrWCoordTilt] = step.tilt;
}

void RotateByMachine(const ValueTables& v, double vec[3]) {
  KinematicRecord k = CurrentKinematics(v);
  double out[3];
  MachineAxis(k, vec, out);
  for (int i = 0; i < 3; ++i) vec[i] = out[i];
}

namespace {

// The motions that a divided move or the chords of a polar arc are made
// of, one after the other: each with its own position, tool axis, angles,
// move values, feed and time, and its own call of the motion function.
class StepRunner {
 public:
  explicit StepRunner(ClContext& ctx) : ctx_(ctx), v_(ctx.values) {
    Load6(v_, kPosOutPrev, prev_out_);
    Load6(v_, kPosClPrev, prev_cl_);
    rot_prev_ = v_.reals[kSrRot_Prev];
    tilt_prev_ = v_.reals[kSrTilt_Prev];
    next_saved_ = v_.ints[kSiMoveType_Next];
    WithdrawOperationTotals(v_, ctx.cl.dispatch);
  }
  ~StepRunner() { v_.ints[kSiMoveType_Next] = next_saved_; }
  StepRunner(const StepRunner&) = delete;
  StepRunner& operator=(const StepRunner&) = delete;

  double rot_prev() const { return rot_prev_; }
  double tilt_prev() const { return tilt_prev_; }

  // One step to `cl` (its point and axis) with the output `out` and the
  // angles; `label` is the function it calls.
  void Step(const double cl[6], const double out[6], double rot, double tilt, bool last,
            int label) {
    std::vector<double>& r = v_.reals;
    std::vector<int32_t>& ints = v_.ints;
    DispatchState& d = ctx_.cl.dispatch;
    // A post that writes the tool tip (_CL values, for a control with tool
    // centre point control) sees each step's own point and axis too.
    for (int i = 0; i < 6; ++i) {
      r[kPosOutPrev[i]] = prev_out_[i];
      r[kPosOut[i]] = out[i];
      r[kPosClPrev[i]] = prev_cl_[i];
      r[kPosCl[i]] = cl[i];
    }
    r[kSrRot_Prev] = rot_prev_;
    r[kSrTilt_Prev] = tilt_prev_;
    r[kSrRot] = rot;
    r[kSrTilt] = tilt;
    ints[kSiMoveType] = kKindGoto;
    ints[kSiMoveType_Next] = last ? next_saved_ : kKindGoto;
    ComputeMoveValues(v_, d.tol.nc, false);
    ComputeFeedAndTime(v_, d, true);
    CallLabel(ctx_, label);
    ints[kSiReposRotAct] = 0;
    ints[kSiMoveType_Prev] = kKindGoto;
    for (int i = 0; i < 6; ++i) {
      prev_out_[i] = out[i];
      prev_cl_[i] = cl[i];
    }
    rot_prev_ = rot;
    tilt_prev_ = tilt;
  }

 private:
  ClContext& ctx_;
  ValueTables& v_;
  double prev_out_[6], prev_cl_[6];
  double rot_prev_ = 0, tilt_prev_ = 0;
  int32_t next_saved_ = 0;
};

// A step's point and axis solved: its angles, kinematics and output.
void SolveStep(ClContext& ctx, const AxisConfig& c, bool polar, const double cl[6],
               double rot_prev, double tilt_prev, double out[6], AxisStep& step) {
  if (const char* bad = SolvePoint(ctx.values, c, polar, cl, rot_prev, tilt_prev, step, nullptr))
    FatalAxis(ctx, bad);
  KinematicRecord k = Kinematics(ctx, c, step.rot, step.tilt);
  ToOutput(ctx.values, k, cl, out);
  StoreKinematics(ctx.values, kSrXI, kSrXT, k);
}

}  // namespace

void RunDividedMove(ClContext& ctx) {
  ValueTables& v = ctx.values;
  std::vector<double>& r = v.reals;
  DispatchState& d = ctx.cl.dispatch;
  const DividedMove plan = d.divided;
  AxisConfig c = AxisConfigFrom(v);
  // The whole move's end, which the last step takes as it is.
  double end_kinematics[21];
  for (int i = 0; i < 9; ++i) end_kinematics[i] = r[kSrXI + i];
  for (int i = 0; i < 12; ++i) end_kinematics[9 + i] = r[kSrXT + i];
  double end_out[6];
  Load6(v, kPosOut, end_out);
  const double end_rot = r[kSrRot], end_tilt = r[kSrTilt];
  StepRunner run(ctx);
  for (int k = 1; k <= plan.steps; ++k) {
    int label = k == 1 ? d.main_label : ctx.move_handlers.line;
    if (k == plan.steps) {
      for (int i = 0; i < 9; ++i) r[kSrXI + i] = end_kinematics[i];
      for (int i = 0; i < 12; ++i) r[kSrXT + i] = end_kinematics[9 + i];
      run.Step(plan.to, end_out, end_rot, end_tilt, true, label);
      break;
    }
    double f = static_cast<double>(k) / plan.steps;
    double cl[6], out[6];
    for (int i = 0; i < 3; ++i) cl[i] = plan.from[i] + f * (plan.to[i] - plan.from[i]);
    InterpolateAxis(plan.from + 3, plan.to + 3, f, cl + 3);
    AxisStep step;
    SolveStep(ctx, c, false, cl, run.rot_prev(), run.tilt_prev(), out, step);
    run.Step(cl, out, step.rot, step.tilt, false, label);
  }
}

namespace {

// The _CL arc of the record: from the point before to this one, counter-
// clockwise about the circle axis (a whole turn when they meet).
ArcPath ClArc(const ValueTables& v, double tol) {
  const std::vector<double>& r = v.reals;
  ArcPath path;
  path.centre = {r[kSrXC_CL], r[kSrYC_CL], r[kSrZC_CL]};
  Point3 axis{r[kSrIC_CL], r[kSrJC_CL], r[kSrKC_CL]};
  double len = Length(axis);
  path.axis = len > 0 ? Point3{axis[0] / len, axis[1] / len, axis[2] / len} : Point3{0, 0, 1};
  path.start = {r[kSrX_CL_Prev], r[kSrY_CL_Prev], r[kSrZ_CL_Prev]};
  path.end = {r[kSrX_CL], r[kSrY_CL], r[kSrZ_CL]};
  ArcFrame f = FrameAround(path.axis);
  Point3 s = InFrame(f, Sub(path.start, path.centre));
  Point3 e = InFrame(f, Sub(path.end, path.centre));
  double a0 = std::atan2(s[1], s[0]) * 180 / std::numbers::pi;
  double a1 = std::atan2(e[1], e[0]) * 180 / std::numbers::pi;
  double inc = a1 - a0;
  bool closed = std::fabs(s[0] - e[0]) <= tol && std::fabs(s[1] - e[1]) <= tol;
  if (closed) inc = 360;
  while (inc <= 0) inc += 360;
  path.angle = inc;
  return path;
}

}  // namespace

void PlanArcOnRotaryMachine(ClContext& ctx) {
  ValueTables& v = ctx.values;
  std::vector<double>& r = v.reals;
  std::vector<int32_t>& ints = v.ints;
  DispatchState& d = ctx.cl.dispatch;
  if (NoAxesSet(v)) return;
  AxisConfig c = AxisConfigFrom(v);
  if (!HasRotary(c) || ints[kSiMoveType] != kKindCircle) return;
  if (ints[kSiRotPolarAct] != 1) {
    if (d.arc.kind == ArcPlan::kLines) {
      d.arc.kind = ArcPlan::kClChords;
      d.arc.cl_path = ClArc(v, d.tol.nc);
    }
    return;
  }
  const int a = c.rot_around - kAroundX;
  ArcPath path = ClArc(v, d.tol.nc);
  double off_axis = 0;
  for (int i = 0; i < 3; ++i)
    if (i != a) off_axis += (path.centre[i] - c.rot_pivot[i]) * (path.centre[i] - c.rot_pivot[i]);
  const double tol = std::fabs(r[kSrRotTol]) * r[kSrPostUnitFactor];
  if (std::sqrt(off_axis) > tol) {
    // Around another centre: straight chords, each solved on its own.
    d.arc.kind = ArcPlan::kClChords;
    d.arc.cl_path = path;
    if (!d.arc.keep_first) d.main_label = ctx.move_handlers.line;
    return;
  }
  // Around the rotary axis: the rotary axis makes the whole arc.
  double sense = path.axis[a] >= 0 ? 1 : -1;
  double inc = path.angle * sense * c.rot_scale;
  double rot = r[kSrRot_Prev] + inc;
  if (ints[kSiReposRotFeed] == 1 && RotaryOutOfLimits(c, rot)) {
    double folded = FoldIntoLimits(c, rot, false);
    if (folded != rot) ints[kSiReposRotAct] = 1;
    rot = folded;
  }
  r[kSrRot] = rot;
  r[kSrRotCumulAng] = rot - r[kSrRotReposOffs];
  KinematicRecord k = Kinematics(ctx, c, rot, r[kSrTilt]);
  StoreKinematics(v, kSrXI, kSrXT, k);
  double cl[6], out[6];
  Load6(v, kPosCl, cl);
  ToOutput(v, k, cl, out);
  for (int i = 0; i < 6; ++i) r[kPosOut[i]] = out[i];
  CheckAndWarnLimits(ctx, rot, r[kSrTilt]);
  // A linear motion of the linear chain, as long as the arc it cuts.
  double arc_len = r[kSrMoveLen];
  ints[kSiMoveType] = kKindGoto;
  d.arc.kind = ArcPlan::kWhole;
  d.main_label = ctx.move_handlers.line;
  ComputeMoveValues(v, d.tol.nc, false);
  r[kSrRot_Inc] = inc;
  r[kSrMoveLen] = arc_len;
}

void RunClChords(ClContext& ctx) {
  ValueTables& v = ctx.values;
  DispatchState& d = ctx.cl.dispatch;
  const ArcPlan plan = d.arc;
  const ArcPath& path = plan.cl_path;
  AxisConfig c = AxisConfigFrom(v);
  const bool polar = v.ints[kSiRotPolarAct] == 1;
  // The radius in the arc's plane, as the chord rule measures it.
  ArcFrame f = FrameAround(path.axis);
  Point3 s = InFrame(f, Sub(path.start, path.centre));
  double radius = std::hypot(s[0], s[1]);
  int n = ChordCount(path.angle, radius, d.tol.arc_tol);
  double cl[6];
  Load6(v, kPosCl, cl);  // the tool axis stays the record's
  StepRunner run(ctx);
  for (int k = 1; k <= n; ++k) {
    Point3 p = k == n ? path.end : PointOnArc(path, static_cast<double>(k) / n);
    for (int i = 0; i < 3; ++i) cl[i] = p[i];
    double out[6];
    AxisStep step;
    SolveStep(ctx, c, polar, cl, run.rot_prev(), run.tilt_prev(), out, step);
    run.Step(cl, out, step.rot, step.tilt, k == n,
             k == 1 && plan.keep_first ? d.main_label : ctx.move_handlers.line);
  }
}

}  // namespace tornel
