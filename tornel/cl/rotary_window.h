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

// The fit of the stretch whose first move has the values `rot`, `tilt`
// (continuity applied) and the tool axis `axis` (_CL).  Reads ahead with a
// file handle of its own: the reader's position is untouched.
WindowFit PlanRotaryWindow(ClContext& ctx, const AxisConfig& c, double rot, double tilt,
                           const double axis[3]);

}  // namespace tornel
