// The pieces of the drill cycle processing shared by its source files:
// the distances a hole's moves use and the motions the cycle writes itself.
#pragma once

#include <cstdint>

#include "tornel/cl/cl_context.h"
#include "tornel/cl/cycle_state.h"

namespace tornel {

// `a` made a unit vector; (0, 0, 1) for a zero vector.
void UnitAxis(const double a[3], double out[3]);

// The place `distance` above `hole` along its tool axis.
CyclePlace Above(const CyclePlace& hole, double distance);

// The tool is at `place`, written at `out`.
void PlaceTool(CycleState& c, const CyclePlace& place, const double out[6]);
// The tool where the motion before the hole left it: the _CL and output
// values before the current record, when the cycle has not placed it yet.
void PlaceToolBefore(CycleState& c, const ValueTables& v);

// The retract distance above a hole, never less than the clearance
// distance: a cycle without RTRCTO has a retract of 0, and the tool must
// not cross at the holes' own level.
double RetractDistance(const ValueTables& v);
// The distance above a hole at which the tool travels between holes: the
// clearance distance when the cycle retracts to the clearance plane, else
// the retract distance.
double TravelDistance(const ValueTables& v);

// One motion of the cycle from where the tool is to `to`: the output
// position solved, the move values, feed and time computed and `label`
// called.  A rapid motion along the hole's tilted tool axis (kRapid with
// the rapid-as-feed flag) is written as a feed motion; kRapidAway is a
// rapid motion in another orientation (away from the hole before, the
// turn of an index move).  A motion that moves no axis calls nothing.
// The _CL values stay the hole's.  True when it was written.
enum class CycleMove { kRapid, kRapidAway, kFeed };
bool CycleMoveTo(ClContext& ctx, const CyclePlace& to, CycleMove kind, int label);

// The hole written as single motions for cycle kind `kind` while the
// expand flag is set.
void ExpandHole(ClContext& ctx, int32_t kind);

// The warnings of drill cycles (a hole got no output, a cycle record gave
// no depth): an NC comment each time, the box and the frame of the
// finished NC file once in a run.
void WarnHoleNotDrilled(ClContext& ctx);
void WarnCycleWithoutDepth(ClContext& ctx);

}  // namespace tornel
