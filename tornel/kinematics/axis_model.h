// The rotary and tilt axes of a multi-axis machine: what the post's axis
// settings mean, and the kinematic record that turns machine angles into a
// tool orientation and the translation through the pivot points.  Plain
// structs and arithmetic; the caller fills the configuration from the
// post's variables and reports the messages.
#pragma once

#include <cstdint>

namespace tornel {

// Axis kinds and the axes they turn around, as the post's constants
// ($table, $head, $x, $y, $z) give them.
inline constexpr int32_t kAxisTable = 12;
inline constexpr int32_t kAxisHead = 13;
inline constexpr int32_t kAroundX = 14;
inline constexpr int32_t kAroundY = 15;
inline constexpr int32_t kAroundZ = 16;

inline constexpr const char* kMsgTiltWithoutRotary =
    "Tilt axis set when Rotary axis not set in";
inline constexpr const char* kMsgNutatorWithoutTilt = "Nutator set when Tilt axis not set in";
inline constexpr const char* kMsgInvalidRotaryType =
    "Invalid rotary axis type (must be Table or Head) in";
inline constexpr const char* kMsgInvalidTiltType =
    "Invalid tilt axis type (must be Table or Head) in";
inline constexpr const char* kMsgRotaryAroundInvalid =
    "Axis which around Rotary axis rotates set incorrectly in";
inline constexpr const char* kMsgRotaryXTilt =
    "If Rotary axis rotates around X, the Tilt axis must rotate around Y in";
inline constexpr const char* kMsgRotaryYTilt =
    "If Rotary axis rotates around Y, the Tilt axis must rotate around X in";
inline constexpr const char* kMsgRotaryZTilt =
    "If Rotary axis rotates around Z, the Tilt axis can't rotate around Z in";
inline constexpr const char* kMsgTiltAroundInvalid =
    "Axis which around Tilt axis rotates set incorrectly in";
inline constexpr const char* kMsgNutatorDirection =
    "Nutator pointing direction must be -1 or +1 (or 0 for no nutator) in";
inline constexpr const char* kMsgPolarAxisX =
    "If Rotary axis rotates around X, the Polar linear axis must be +Y, -Y, +Z, or -Z in";
inline constexpr const char* kMsgPolarAxisY =
    "If Rotary axis rotates around Y, the Polar linear axis must be +X, -X, +Z, or -Z in";
inline constexpr const char* kMsgPolarAxisZ =
    "If Rotary axis rotates around Z, the Polar linear axis must be +X, -X, +Y, or -Y in";

// The nutator head's swivel axis stands at 45 degrees: its components.
inline constexpr double kNutatorK = 0.7071067811865;

struct AxisConfig {
  int32_t rot_type = 0;     // 0 none, kAxisTable, kAxisHead
  int32_t tilt_type = 0;
  int32_t rot_around = 0;   // 0 none, kAroundX, kAroundY, kAroundZ
  int32_t tilt_around = 0;
  int32_t nutator = 0;      // -1, +1, 0 none
  int32_t tilt_limit = 0;   // -1 the negative solution, 0 free, 1 the positive one
  double rot_scale = 1, tilt_scale = 1;  // degrees to machine units
  double rot_trans = 0, tilt_trans = 0;  // added after scaling
  double rot_accuracy = 0.001, tilt_accuracy = 0.001;  // rounding steps; tilt's is the pole tolerance
  double rot_min = -99999, rot_max = 99999, tilt_min = -99999, tilt_max = 99999;
  // Points on the axes in NC units (the post's pivot times the unit factor
  // plus the offsets).
  double rot_pivot[3] = {0, 0, 0};
  double tilt_pivot[3] = {0, 0, 0};
};

// A machine with a rotary axis to solve for.
inline bool HasRotary(const AxisConfig& c) { return c.rot_type != 0 && c.rot_around != 0; }

struct KinematicRecord {
  double rot = 0, tilt = 0;  // radians
  // Tool orientation, row after row: turns the tool axis of the part into
  // the machine's Z (its third row is the tool axis).
  double orient[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
  // The rotation that carries points on the table(s) into the machine;
  // the identity when both axes are heads.
  double table[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
  // Machine position of a part point p: table · p - translation.
  double translation[3] = {0, 0, 0};
};

// Checks the axis kinds and builds the record for two machine values
// (angles in machine units).  Returns null, or the message that ends the
// run.  A table axis turns the part about its pivot, a head axis the tool
// about its pivot; with both axes tables the rotary table is carried by
// the tilt table, with both heads the tilt head by the rotary head.
const char* BuildKinematics(const AxisConfig& config, double rot_value, double tilt_value,
                            KinematicRecord& out);

// The checks of the axes the rotary and tilt axes turn around, and of the
// nutator direction.  Null when the combination is valid.
const char* CheckAxisCombination(const AxisConfig& config);

// Polar interpolation's linear axis (siRotPolarAx: +-14 X, +-15 Y, +-16 Z)
// must lie across the rotary axis.  Null when it does.
const char* CheckPolarAxis(const AxisConfig& config, int32_t polar_axis);

// Polar interpolation: where the tool axis lies along the rotary axis
// (within 1e-9), the direction to solve the rotary axis for instead, so
// that the rotary axis turns the point `p` (about the rotary pivot) onto
// the linear axis `polar_axis`.  False (nothing to replace) otherwise, or
// when the point lies on the rotary axis.
bool PolarVector(const AxisConfig& config, int32_t polar_axis, const double p[3],
                 const double axis[3], double out[3]);

// `out` = orientation · v, and orientation transposed · v.
void RotateVector(const KinematicRecord& k, const double v[3], double out[3]);
void RotateVectorBack(const KinematicRecord& k, const double v[3], double out[3]);

// The machine position of the part point p (table · p - translation) and
// the tool axis as the machine sees it (table · axis).
void MachinePoint(const KinematicRecord& k, const double p[3], double out[3]);
void MachineAxis(const KinematicRecord& k, const double axis[3], double out[3]);

// Rotary and tilt angle (degrees, before scaling) of a direction for the
// configured rotary axis, and the matching orientation: the first
// solution, with the rotary angle 0 when the direction is the rotary axis.
struct VectorFrame {
  double rot = 0, tilt = 0;
  double orient[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
};
VectorFrame FrameFromVector(const AxisConfig& config, const double v[3]);

// The orientation matrix for angles in radians (no scaling), as
// BuildKinematics uses it.
void OrientationMatrix(const AxisConfig& config, double r, double t, double out[9]);

}  // namespace tornel
