// The axis solution of a machine with rotary and tilt axes, over the run's
// variables: the axis settings read from the post's variables, each
// motion's angles with continuity, repositioning and the limit check, the
// break point of a move through the pole or over a limit, machine
// positions through the kinematic record, and divided moves.
#pragma once

#include "tornel/cl/cl_context.h"
#include "tornel/kinematics/angle_solution.h"
#include "tornel/sysvars/system_variables.h"
#include "tornel/sysvars/value_tables.h"

namespace tornel {

inline constexpr const char* kMsgZeroToolAxis = "Tool axis of zero length in CL-record";

// No rotary, tilt or nutator axis is set: the usual 3-axis machine, for
// which the motions need nothing of the axis solution (checked on every
// record, before the settings are gathered).
inline bool NoAxesSet(const ValueTables& v) {
  return v.ints[kSiRotType] == 0 && v.ints[kSiTiltType] == 0 && v.ints[kSiNutator] == 0;
}

// The axis settings as the post's variables hold them now, pivots in NC
// units (pivot times srPostUnitFactor plus the offsets).
AxisConfig AxisConfigFrom(const ValueTables& v);

// The kinematic record of the current srRot and srTilt.
KinematicRecord CurrentKinematics(const ValueTables& v);

// A _CL point as output: through the kinematic record when the machine
// has a rotary axis, then through the output frame.
void PointToOutput(const ValueTables& v, const KinematicRecord& k, const double cl[3],
                   double out[3]);

// The limit check of a rotary and a tilt value: siRotLimitPassAct, and in
// the second pass the warning (NC comment; once in a run the box, the last
// error text and the frame of the finished NC file).
void CheckAndWarnLimits(ClContext& ctx, double rot, double tilt);

// An arc on a machine with a rotary axis: in polar interpolation one about
// the rotary axis (its centre on the axis within srRotTol) becomes a turn of
// the rotary axis, a linear motion, and any other is cut into chords; an
// arc to be written as chords is cut in part coordinates, where it is an
// arc, each chord end solved on its own (RunClChords).
void PlanArcOnRotaryMachine(ClContext& ctx);
void RunClChords(ClContext& ctx);

// The output position and tool axis of a _CL point and axis (cl[0..5])
// with the machine's axes at `rot` and `tilt`.
void OutputAt(const ValueTables& v, double rot, double tilt, const double cl[6], double out[6]);

// The _CL point of an output point (the inverse of PointToOutput with the
// current angles); false when the output frame has no inverse.
bool OutputToCl(const ValueTables& v, const double out[3], double cl[3]);

// Runs the main motion function once per step of a divided move, each
// with its own position, angles, move values, feed and time.
void RunDividedMove(ClContext& ctx);

}  // namespace tornel
