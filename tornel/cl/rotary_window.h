// The look-ahead over a stretch of moves for the rotary axis: from the
// rapid move (or first move) that starts it to the next rapid move, tool
// change or end, through the records held in the ring and on through the
// working copy of the APT-CL file, so that the whole stretch can be put
// inside the limits by whole turns or by the other tilt solution before
// it starts.
#pragma once

#include "tornel/cl/cl_context.h"
#include "tornel/kinematics/angle_solution.h"

namespace tornel {

inline constexpr const char* kMsgWindowSeek =
    "Tornel internal error. fseek failed in RotAngle limit check.";

// The plan of the stretch whose first move is solved from `first` (its
// tool axis, the values before it, the tilt direction in use): the fit,
// and that move's values in the family in use and in the other.  Reads
// ahead with a file handle of its own: the reader's position is untouched.
struct StretchPlan {
  WindowFit fit;
  AxisStep now, other;
};
StretchPlan PlanRotaryWindow(ClContext& ctx, const AxisConfig& c, const AxisStepInput& first);

}  // namespace tornel
