// The values every motion carries: increments, the combination of moving
// axes, direction angles in the arc plane and the move length.  Computed
// from the output position (srX ...) and its _Prev for every GOTO after the
// axis solution, and again for every piece or segment of an arc.
#pragma once

#include <cstdint>

#include "tornel/cl/arc_geometry.h"
#include "tornel/cl/cl_codes.h"
#include "tornel/sysvars/value_tables.h"

namespace tornel {

// The position and direction state that motions measure from: the X ... K
// of the _In, _CL and output families with their _Prev, and the direction
// angles that carry over from one motion to the next.
inline constexpr int kMotionStartSlots = 43;
struct MotionStart {
  double values[kMotionStartSlots] = {};
};
MotionStart CaptureMotionStart(const ValueTables& v);
void RestoreMotionStart(ValueTables& v, const MotionStart& start);

// The codes for the axes that move.
int32_t LinearAxisComb(bool x, bool y, bool z);
int32_t AxisComb(int32_t linear_comb, bool rot, bool tilt);

// The output position (srX, srY, srZ) and its _Prev.
Point3 OutputPoint(const ValueTables& v);
Point3 OutputPointPrev(const ValueTables& v);

// The frame of siArcPlane; the XY frame for any other plane code.
ArcFrame ArcPlaneFrame(const ValueTables& v);

// Increments, siSubType 18 on an angle change, siLinAxComb and siAxisComb,
// with linear increments rounded to `nc_tol` (none when 0).  Unless `arc`,
// also the direction angles of the straight motion in the arc plane and
// srMoveLen (an arc sets its own).
void ComputeMoveValues(ValueTables& v, double nc_tol, bool arc);

}  // namespace tornel
