#include "tornel/cl/move_values.h"

#include <cmath>
#include <numbers>

#include "tornel/sysvars/system_variables.h"

namespace tornel {

namespace {

constexpr int kMotionStartVariables[kMotionStartSlots] = {
    kSrX_In,     kSrY_In,     kSrZ_In,     kSrI_In,     kSrJ_In,     kSrK_In,
    kSrX_In_Prev, kSrY_In_Prev, kSrZ_In_Prev, kSrI_In_Prev, kSrJ_In_Prev, kSrK_In_Prev,
    kSrX_CL,     kSrY_CL,     kSrZ_CL,     kSrI_CL,     kSrJ_CL,     kSrK_CL,
    kSrX_CL_Prev, kSrY_CL_Prev, kSrZ_CL_Prev, kSrI_CL_Prev, kSrJ_CL_Prev, kSrK_CL_Prev,
    kSrX,        kSrY,        kSrZ,        kSrI,        kSrJ,        kSrK,
    kSrX_Prev,   kSrY_Prev,   kSrZ_Prev,   kSrI_Prev,   kSrJ_Prev,   kSrK_Prev,
    kSrStartAng, kSrEndAng,   kSrDirAng,
    kSrRot,      kSrTilt,     kSrRot_Prev, kSrTilt_Prev};

}  // namespace

MotionStart CaptureMotionStart(const ValueTables& v) {
  MotionStart s;
  for (int i = 0; i < kMotionStartSlots; ++i) s.values[i] = v.reals[kMotionStartVariables[i]];
  return s;
}

void RestoreMotionStart(ValueTables& v, const MotionStart& start) {
  for (int i = 0; i < kMotionStartSlots; ++i) v.reals[kMotionStartVariables[i]] = start.values[i];
}

int32_t LinearAxisComb(bool x, bool y, bool z) {
  if (x && y && z) return kCombXYZ;
  if (x && y) return kCombXY;
  if (x && z) return kCombXZ;
  if (y && z) return kCombYZ;
  if (x) return kCombX;
  if (y) return kCombY;
  if (z) return kCombZ;
  return kCombNone;
}

int32_t AxisComb(int32_t linear_comb, bool rot, bool tilt) {
  if (linear_comb == kCombNone) {
    if (rot && tilt) return kCombRotTilt;
    if (rot) return kCombRot;
    if (tilt) return kCombTilt;
    return kCombNone;
  }
  if (rot && tilt) return kCombAll;
  if (rot) return kCombLinearRot;
  if (tilt) return kCombLinearTilt;
  return kCombLinear;
}

Point3 OutputPoint(const ValueTables& v) {
  return {v.reals[kSrX], v.reals[kSrY], v.reals[kSrZ]};
}

Point3 OutputPointPrev(const ValueTables& v) {
  return {v.reals[kSrX_Prev], v.reals[kSrY_Prev], v.reals[kSrZ_Prev]};
}

ArcFrame ArcPlaneFrame(const ValueTables& v) {
  ArcFrame f;
  if (!PlaneFrame(v.ints[kSiArcPlane], f)) PlaneFrame(kPlaneXY, f);
  return f;
}

void ComputeMoveValues(ValueTables& v, double nc_tol, bool arc) {
  std::vector<double>& r = v.reals;
  std::vector<int32_t>& ints = v.ints;
  Point3 from = OutputPointPrev(v);
  Point3 to = OutputPoint(v);
  static constexpr int kInc[3] = {kSrX_Inc, kSrY_Inc, kSrZ_Inc};
  bool moves[3];
  for (int i = 0; i < 3; ++i) {
    r[kInc[i]] = RoundToStep(to[i] - from[i], nc_tol);
    moves[i] = r[kInc[i]] != 0;
  }
  r[kSrRot_Inc] = r[kSrRot] - r[kSrRot_Prev];
  r[kSrTilt_Inc] = r[kSrTilt] - r[kSrTilt_Prev];
  bool rot = r[kSrRot_Inc] != 0;
  bool tilt = r[kSrTilt_Inc] != 0;
  if (rot || tilt) ints[kSiSubType] = kSubTypeRotary;
  ints[kSiLinAxComb] = LinearAxisComb(moves[0], moves[1], moves[2]);
  ints[kSiAxisComb] = AxisComb(ints[kSiLinAxComb], rot, tilt);
  if (arc) return;

  ArcFrame f = ArcPlaneFrame(v);
  Point3 d = InFrame(f, Sub(to, from));
  double du = RoundToStep(d[0], nc_tol);
  double dv = RoundToStep(d[1], nc_tol);
  r[kSrStartAng] = r[kSrEndAng];
  if (du != 0 || dv != 0) r[kSrEndAng] = std::atan2(dv, du) * 180 / std::numbers::pi;
  r[kSrIncAng] = Wrap180(r[kSrEndAng] - r[kSrStartAng]);
  r[kSrDirIncAng] = Wrap180(r[kSrEndAng] - r[kSrDirAng]);
  r[kSrDirAng] = r[kSrEndAng];
  r[kSrMoveLen] = Length(Sub(to, from));
}

}  // namespace tornel
