#include "tornel/kinematics/axis_model.h"

#include <cmath>
#include <numbers>

#include "tornel/kinematics/matrix3.h"

namespace tornel {

namespace {

constexpr double kDegToRad = std::numbers::pi / 180.0;


// The part of the orientation that one axis gives, for its angle a: the
// rows of the orientation matrix with the other angle 0.
void AxisRotation(int32_t around, double a, double m[9]) {
  double c = std::cos(a), s = std::sin(a);
  Identity3(m);
  switch (around) {
    case kAroundX: m[4] = c; m[5] = s; m[7] = -s; m[8] = c; break;
    case kAroundY: m[0] = c; m[2] = -s; m[6] = s; m[8] = c; break;
    case kAroundZ: m[0] = c; m[1] = s; m[3] = -s; m[4] = c; break;
    default: break;
  }
}

// The axis the tilt turns around for a rotary axis: Y for a rotary axis
// around X, X for Y; around Z the tilt axis set (X), else Y.
int32_t TiltAxisFor(const AxisConfig& c) {
  switch (c.rot_around) {
    case kAroundX: return kAroundY;
    case kAroundY: return kAroundX;
    default: return c.tilt_around == kAroundX ? kAroundX : kAroundY;
  }
}

// A nutator head's swivel: the turn by t about its axis at 45 degrees,
// (-k, 0, n k) where the tilt would turn around Y, (0, -k, n k) where
// around X (k = 0.7071067811865, as the angle solution takes it).
void NutatorRotation(const AxisConfig& c, double t, double m[9]) {
  const double k = kNutatorK;
  double a[3] = {0, 0, c.nutator * k};
  if (TiltAxisFor(c) == kAroundY) a[0] = -k;
  else a[1] = -k;
  double co = std::cos(t), si = std::sin(t), h = 1 - co;
  // Rodrigues: cos t I + sin t [a]x + (1 - cos t) a a'.
  m[0] = co + h * a[0] * a[0];
  m[1] = -si * a[2] + h * a[0] * a[1];
  m[2] = si * a[1] + h * a[0] * a[2];
  m[3] = si * a[2] + h * a[1] * a[0];
  m[4] = co + h * a[1] * a[1];
  m[5] = -si * a[0] + h * a[1] * a[2];
  m[6] = -si * a[1] + h * a[2] * a[0];
  m[7] = si * a[0] + h * a[2] * a[1];
  m[8] = co + h * a[2] * a[2];
}

void TiltRotation(const AxisConfig& c, double t, double m[9]) {
  if (c.nutator != 0) NutatorRotation(c, t, m);
  else AxisRotation(TiltAxisFor(c), t, m);
}

double ToRadians(double value, double scale, double trans) {
  if (scale == 0) return trans * kDegToRad;
  return (value - trans) / scale * kDegToRad;
}

}  // namespace

void OrientationMatrix(const AxisConfig& config, double r, double t, double out[9]) {
  double rot[9], tilt[9];
  AxisRotation(config.rot_around, r, rot);
  TiltRotation(config, t, tilt);
  Multiply3(tilt, rot, out);
}

const char* CheckAxisCombination(const AxisConfig& c) {
  switch (c.rot_around) {
    case 0: case kAroundX: case kAroundY: case kAroundZ: break;
    default: return kMsgRotaryAroundInvalid;
  }
  if (c.rot_around == kAroundX && (c.tilt_around == kAroundX || c.tilt_around == kAroundZ))
    return kMsgRotaryXTilt;
  if (c.rot_around == kAroundY && (c.tilt_around == kAroundY || c.tilt_around == kAroundZ))
    return kMsgRotaryYTilt;
  if (c.rot_around == kAroundZ && c.tilt_around == kAroundZ) return kMsgRotaryZTilt;
  if (c.tilt_around != 0 && c.tilt_around != kAroundX && c.tilt_around != kAroundY &&
      c.tilt_around != kAroundZ)
    return kMsgTiltAroundInvalid;
  if (c.nutator != 0 && c.nutator != 1 && c.nutator != -1) return kMsgNutatorDirection;
  return nullptr;
}

const char* BuildKinematics(const AxisConfig& c, double rot_value, double tilt_value,
                            KinematicRecord& out) {
  out = KinematicRecord{};
  if (c.rot_type == 0 && c.tilt_type != 0) return kMsgTiltWithoutRotary;
  if (c.tilt_type == 0 && c.nutator != 0) return kMsgNutatorWithoutTilt;
  if (c.rot_type == 0) return nullptr;
  if (c.rot_type != kAxisTable && c.rot_type != kAxisHead) return kMsgInvalidRotaryType;
  if (c.tilt_type != 0 && c.tilt_type != kAxisTable && c.tilt_type != kAxisHead)
    return kMsgInvalidTiltType;
  if (const char* bad = CheckAxisCombination(c)) return bad;

  out.rot = ToRadians(rot_value, c.rot_scale, c.rot_trans);
  out.tilt = c.tilt_type == 0 ? 0 : ToRadians(tilt_value, c.tilt_scale, c.tilt_trans);
  double rr[9], rt[9], hr[9], ht[9];
  AxisRotation(c.rot_around, out.rot, rr);
  TiltRotation(c, out.tilt, rt);
  Transpose3(rr, hr);  // a head turns the tool the other way
  Transpose3(rt, ht);
  Multiply3(rt, rr, out.orient);

  const double* pr = c.rot_pivot;
  const double* pt = c.tilt_pivot;
  double a[3], b[3];
  double* t = out.translation;
  bool rot_table = c.rot_type == kAxisTable;
  bool tilt_table = c.tilt_type == kAxisTable || c.tilt_type == 0;
  if (rot_table && tilt_table) {
    // The part turns about the rotary pivot, then with the rotary table
    // about the tilt pivot: X = Rt (Rr (p - Pr) + Pr - Pt) + Pt.
    for (int i = 0; i < 9; ++i) out.table[i] = out.orient[i];
    Apply3(out.orient, pr, a);
    Apply3(rt, pr, b);
    double c3[3];
    Apply3(rt, pt, c3);
    for (int i = 0; i < 3; ++i) t[i] = a[i] - b[i] + c3[i] - pt[i];
  } else if (!rot_table && !tilt_table) {
    // The tool turns about the tilt pivot, then with the tilt head about
    // the rotary pivot: p = X + Pr + Hr (Pt - Ht Pt - Pr).
    Apply3(ht, pt, a);
    for (int i = 0; i < 3; ++i) b[i] = pt[i] - a[i] - pr[i];
    Apply3(hr, b, a);
    for (int i = 0; i < 3; ++i) t[i] = pr[i] + a[i];
  } else if (rot_table) {
    // Rotary table, tilt head: X = Rr (p - Pr) + Pr - (Pt - Ht Pt).
    for (int i = 0; i < 9; ++i) out.table[i] = rr[i];
    Apply3(rr, pr, a);
    Apply3(ht, pt, b);
    for (int i = 0; i < 3; ++i) t[i] = a[i] - pr[i] + pt[i] - b[i];
  } else {
    // Rotary head, tilt table: the table turns so that the rotary head's
    // direction meets the tool axis, about the tilt pivot:
    // X = T (p - Pt) + Pt - (Pr - Hr Pr), T = Hr · orientation.
    Multiply3(hr, out.orient, out.table);
    Apply3(out.table, pt, a);
    Apply3(hr, pr, b);
    for (int i = 0; i < 3; ++i) t[i] = a[i] - pt[i] + pr[i] - b[i];
  }
  return nullptr;
}

const char* CheckPolarAxis(const AxisConfig& c, int32_t polar_axis) {
  int32_t line = polar_axis < 0 ? -polar_axis : polar_axis;
  bool valid = line >= kAroundX && line <= kAroundZ && line != c.rot_around;
  if (valid) return nullptr;
  switch (c.rot_around) {
    case kAroundX: return kMsgPolarAxisX;
    case kAroundY: return kMsgPolarAxisY;
    default: return kMsgPolarAxisZ;
  }
}

bool PolarVector(const AxisConfig& c, int32_t polar_axis, const double p[3], const double axis[3],
                 double out[3]) {
  if (c.rot_around < kAroundX || c.rot_around > kAroundZ) return false;
  int a = c.rot_around - kAroundX;
  double len = std::sqrt(axis[0] * axis[0] + axis[1] * axis[1] + axis[2] * axis[2]);
  if (!(len > 0) || std::fabs(std::fabs(axis[a] / len) - 1) > 1e-9) return false;
  // The plane across the rotary axis, right-handed about it: (u, w).
  int u = (a + 1) % 3, w = (a + 2) % 3;
  double du = p[u] - c.rot_pivot[u], dw = p[w] - c.rot_pivot[w];
  if (du == 0 && dw == 0) return false;
  double alpha = std::atan2(dw, du);
  int32_t line = (polar_axis < 0 ? -polar_axis : polar_axis) - kAroundX;
  double beta = line == u ? 0 : std::numbers::pi / 2;
  if (polar_axis < 0) beta += std::numbers::pi;
  // A table turns the part by minus the rotary angle: the angle that
  // brings alpha to beta, and a tool axis across the rotary axis that the
  // angle solution gives it for.
  double phi = alpha - beta;
  AxisConfig plain = c;
  plain.nutator = 0;
  double m[9];
  OrientationMatrix(plain, phi, c.rot_around == kAroundZ ? std::numbers::pi / 2 : 0, m);
  for (int i = 0; i < 3; ++i) out[i] = m[6 + i];
  return true;
}

void RotateVector(const KinematicRecord& k, const double v[3], double out[3]) {
  Apply3(k.orient, v, out);
}

void RotateVectorBack(const KinematicRecord& k, const double v[3], double out[3]) {
  ApplyTransposed3(k.orient, v, out);
}

void MachinePoint(const KinematicRecord& k, const double p[3], double out[3]) {
  Apply3(k.table, p, out);
  for (int i = 0; i < 3; ++i) out[i] -= k.translation[i];
}

void MachineAxis(const KinematicRecord& k, const double axis[3], double out[3]) {
  Apply3(k.table, axis, out);
}

VectorFrame FrameFromVector(const AxisConfig& c, const double v[3]) {
  VectorFrame f;
  double i = v[0], j = v[1], k = v[2];
  double r = 0, t = 0;
  switch (c.rot_around) {
    case kAroundX:
      if (std::fabs(i) != 1) r = std::atan2(-j, k);
      t = std::atan2(i, std::sqrt(j * j + k * k));
      break;
    case kAroundY:
      if (std::fabs(j) != 1) r = std::atan2(i, k);
      t = std::atan2(-j, std::sqrt(i * i + k * k));
      break;
    case kAroundZ:
      if (std::fabs(k) != 1) r = TiltAxisFor(c) == kAroundX ? std::atan2(i, -j) : std::atan2(j, i);
      t = std::atan2(std::sqrt(i * i + j * j), k);
      break;
    default:
      return f;
  }
  // The frame of the vector itself: a nutator's swivel plays no part.
  AxisConfig plain = c;
  plain.nutator = 0;
  OrientationMatrix(plain, r, t, f.orient);
  f.rot = r / kDegToRad;
  f.tilt = t / kDegToRad;
  return f;
}

}  // namespace tornel
