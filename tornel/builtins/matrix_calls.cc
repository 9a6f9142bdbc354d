#include "tornel/builtins/matrix_calls.h"

#include <cmath>
#include <numbers>
#include <string>

#include "tornel/cl/multi_axis.h"
#include "tornel/interp/arguments.h"
#include "tornel/kinematics/angle_solution.h"
#include "tornel/kinematics/axis_model.h"
#include "tornel/kinematics/matrix3.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {

namespace {

constexpr double kRad = std::numbers::pi / 180;

// The slots of argument k: a REAL variable with `count` slots from it
// inside the table (a matrix or vector may not run off its end).
double* Slots(BuiltinContext& ctx, const BuiltinEntry& e, BuiltinArgs& args, int k, int n,
              int count) {
  int index = args.RealVariable(k, n);
  std::vector<double>& reals = ctx.values.reals;
  if (index < 0 || static_cast<size_t>(index) + static_cast<size_t>(count) > reals.size())
    FatalAt(ctx.diag, FormatMessage(kMsgArgRealVariable, {std::to_string(k), e.display}));
  return reals.data() + index;
}

KinematicRecord Kinematics(BuiltinContext& ctx, double rot, double tilt) {
  KinematicRecord k;
  if (const char* bad = BuildKinematics(AxisConfigFrom(ctx.values), rot, tilt, k))
    FatalAt(ctx.diag, bad);
  return k;
}

AngleSolution Solve(BuiltinContext& ctx, const double axis[3], const AxisConfig& c,
                    int tilt_dir = 1) {
  AngleSolution s;
  // The pole keeps the rotary axis where the last motion left it.
  if (const char* bad =
          SolveAngles(c, axis, TakesOtherSolution(c, tilt_dir), ctx.values.reals[kSrRot], s))
    FatalAt(ctx.diag, bad);
  return s;
}

// Three numbers from argument `first` on.
void Numbers3(BuiltinArgs& args, int first, int n, double out[3]) {
  for (int i = 0; i < 3; ++i) out[i] = args.Number(first + i, n);
}

}  // namespace

void EulerMatrix(double a, double b, double c, double out[9]) {
  double A = -a * kRad, B = -b * kRad, C = -c * kRad;
  const double t[9] = {std::cos(C) * std::cos(B), std::sin(C) * std::cos(B), -std::sin(B),
                       -std::sin(C), std::cos(C), 0,
                       std::sin(B) * std::cos(C), std::sin(B) * std::sin(C), std::cos(B)};
  const double cols[3][3] = {{std::cos(A), std::sin(A), 0}, {-std::sin(A), std::cos(A), 0},
                             {0, 0, 1}};
  for (int col = 0; col < 3; ++col) {
    double v[3];
    ApplyTransposed3(t, cols[col], v);
    for (int row = 0; row < 3; ++row) out[3 * row + col] = v[row];
  }
}

bool CallMatrixProcedure(BuiltinContext& ctx, const BuiltinEntry& e, BuiltinArgs& args) {
  if (e.owner != BuiltinOwner::kMatrix) return false;
  switch (e.id) {
    case kFnMatrSet: {
      double* m = Slots(ctx, e, args, 1, 10, 9);
      double values[9];
      for (int i = 0; i < 9; ++i) values[i] = args.Number(2 + i, 10);
      for (int i = 0; i < 9; ++i) m[i] = values[i];
      return true;
    }
    case kFnMatrReset: {
      double* m = Slots(ctx, e, args, 1, 1, 9);
      for (int i = 0; i < 9; ++i) m[i] = i % 4 == 0 ? 1 : 0;
      return true;
    }
    case kFnMatrCopy: {
      double* from = Slots(ctx, e, args, 1, 2, 9);
      double* to = Slots(ctx, e, args, 2, 2, 9);
      double copy[9];
      for (int i = 0; i < 9; ++i) copy[i] = from[i];
      for (int i = 0; i < 9; ++i) to[i] = copy[i];
      return true;
    }
    case kFnMatrAng:
    case kFnMatrAngExt: {
      bool ext = e.id == kFnMatrAngExt;
      int n = ext ? 4 : 3;
      double* m = Slots(ctx, e, args, 1, n, 9);
      double* v = ext ? Slots(ctx, e, args, 2, n, 3) : nullptr;
      double rot = args.Number(ext ? 3 : 2, n);
      double tilt = args.Number(ext ? 4 : 3, n);
      KinematicRecord k = Kinematics(ctx, rot, tilt);
      for (int i = 0; i < 9; ++i) m[i] = k.orient[i];
      // The record's translation: a part point p is at table · p - v.
      if (v)
        for (int i = 0; i < 3; ++i) v[i] = k.translation[i];
      return true;
    }
    case kFnMatrVect: {
      double* m = Slots(ctx, e, args, 1, 4, 9);
      double axis[3];
      Numbers3(args, 2, 4, axis);
      VectorFrame f = FrameFromVector(AxisConfigFrom(ctx.values), axis);
      for (int i = 0; i < 9; ++i) m[i] = f.orient[i];
      return true;
    }
    case kFnMatrEuler: {
      double* m = Slots(ctx, e, args, 1, 4, 9);
      double angles[3];
      Numbers3(args, 2, 4, angles);
      EulerMatrix(angles[0], angles[1], angles[2], m);
      return true;
    }
    case kFnMatrView:
    case kFnMatrWorld: {
      double* m = Slots(ctx, e, args, 1, 2, 9);
      double* t = Slots(ctx, e, args, 2, 2, 9);
      double tm[9];
      for (int i = 0; i < 9; ++i) tm[i] = t[i];
      for (int row = 0; row < 3; ++row) {
        if (e.id == kFnMatrView) Apply3(tm, m + 3 * row, m + 3 * row);
        else ApplyTransposed3(tm, m + 3 * row, m + 3 * row);
      }
      return true;
    }
    case kFnTransSet: {
      double* v = Slots(ctx, e, args, 1, 4, 3);
      double values[3];
      Numbers3(args, 2, 4, values);
      for (int i = 0; i < 3; ++i) v[i] = values[i];
      return true;
    }
    case kFnCoordView:
    case kFnCoordWorld: {
      double* out[3];
      for (int i = 0; i < 3; ++i) out[i] = Slots(ctx, e, args, 1 + i, 7, 1);
      double p[3];
      Numbers3(args, 4, 7, p);
      double* m = Slots(ctx, e, args, 7, 7, 9);
      double r[3];
      if (e.id == kFnCoordView) Apply3(m, p, r);
      else ApplyTransposed3(m, p, r);
      for (int i = 0; i < 3; ++i) *out[i] = r[i];
      return true;
    }
    case kFnAngVect:
    case kFnAngVectExt: {
      bool ext = e.id == kFnAngVectExt;
      int n = ext ? 7 : 5;
      double* rot = Slots(ctx, e, args, 1, n, 1);
      double* tilt = Slots(ctx, e, args, 2, n, 1);
      double axis[3];
      Numbers3(args, 3, n, axis);
      double* r6 = ext ? Slots(ctx, e, args, 6, n, 1) : nullptr;
      double* r7 = ext ? Slots(ctx, e, args, 7, n, 1) : nullptr;
      AngleSolution s = Solve(ctx, axis, AxisConfigFrom(ctx.values));
      *rot = s.rot;
      *tilt = s.tilt;
      // The further results: the nutator's rotary offset and whether the
      // axis lies at the pole.
      if (r6) *r6 = s.nutator_offset;
      if (r7) *r7 = s.pole ? 1 : 0;
      return true;
    }
    case kFnVectAng: {
      double* out[3];
      for (int i = 0; i < 3; ++i) out[i] = Slots(ctx, e, args, 1 + i, 5, 1);
      double rot = args.Number(4, 5);
      double tilt = args.Number(5, 5);
      KinematicRecord k = Kinematics(ctx, rot, tilt);
      for (int i = 0; i < 3; ++i) *out[i] = k.orient[6 + i];
      return true;
    }
    case kFnAngChkLim: {
      double rot = args.Number(1, 2);
      double tilt = args.Number(2, 2);
      CheckAndWarnLimits(ctx.cl, rot, tilt);
      return true;
    }
    case kFnNutAngVect: {
      // The nutator solution for a head the call describes: p6 its
      // pointing direction (-1 or +1), p7 the tilt solution (siTiltLimit's
      // values), p8 the tilt direction (+1 or -1).
      double* rot = Slots(ctx, e, args, 1, 8, 1);
      double* tilt = Slots(ctx, e, args, 2, 8, 1);
      double axis[3];
      Numbers3(args, 3, 8, axis);
      double p6 = args.Number(6, 8);
      double p7 = args.Number(7, 8);
      double p8 = args.Number(8, 8);
      AxisConfig c = AxisConfigFrom(ctx.values);
      c.nutator = static_cast<int32_t>(p6);
      c.tilt_limit = static_cast<int32_t>(p7);
      if (c.tilt_type == 0) c.tilt_type = kAxisHead;
      AngleSolution s = Solve(ctx, axis, c, p8 < 0 ? -1 : 1);
      *rot = s.rot;
      *tilt = s.tilt;
      return true;
    }
    default:
      return false;
  }
}

}  // namespace tornel
