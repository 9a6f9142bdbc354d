// A hole of an active drill cycle: its levels along the tool axis, whether
// it can use the canned cycle and whether the cycle must be issued again,
// the moves between holes at such a break, and the post function that
// makes it.
#include <algorithm>
#include <cmath>

#include "tornel/cl/cl_codes.h"
#include "tornel/cl/cycle_parts.h"
#include "tornel/cl/dispatch_parts.h"
#include "tornel/cl/drill_cycles.h"
#include "tornel/cl/move_values.h"
#include "tornel/cl/position_slots.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {

namespace {

// A tool axis counts as along a main axis when its other components are
// below this.
constexpr double kAlongAxis = 1e-6;

double Dot(const double a[3], const double b[3]) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

// The main plane that a machine tool axis is normal to: XY for Z, XZ for
// Y, YZ for X; none for a tilted axis.
int32_t PlaneNormalTo(const double a[3]) {
  const double x = std::fabs(a[0]), y = std::fabs(a[1]), z = std::fabs(a[2]);
  if (x < kAlongAxis && y < kAlongAxis) return kPlaneXY;
  if (x < kAlongAxis && z < kAlongAxis) return kPlaneXZ;
  if (y < kAlongAxis && z < kAlongAxis) return kPlaneYZ;
  return kPlaneNone;
}

double Rounded(double value, double tol) { return tol > 0 ? std::round(value / tol) * tol : value; }

struct Hole {
  CyclePlace place;
  double out[6];
  double level = 0;  // along the machine tool axis, not negated
};

// The turn to another orientation, above the hole at the retract
// distance: IndexMove, or the rapid function where the post has none.
void IndexTo(ClContext& ctx, const CyclePlace& hole) {
  int label = IsDefined(ctx.calls, kPfIndexMove) ? ctx.calls.table[kPfIndexMove]
                                                 : ctx.move_handlers.rapid;
  ctx.values.ints[kSiIndexMoveAct] = 1;
  CycleMoveTo(ctx, Above(hole, RetractDistance(ctx.values)), CycleMove::kRapidAway, label);
  ctx.values.ints[kSiIndexMoveAct] = 0;
}

// The moves at a break between the previous hole and this one: up first
// (by the between-holes distance, and by the difference when this hole is
// higher), the index move where the angles change, then across above this
// hole when it is written without the canned cycle and its level differs.
// Where the canned cycle makes the hole the control crosses itself.
void MoveBetweenHoles(ClContext& ctx, const Hole& hole, bool can_cycle, bool level_changed,
                      bool angles_changed) {
  ValueTables& v = ctx.values;
  CycleState& c = ctx.cl.dispatch.cycle;
  const double travel = TravelDistance(v);
  // Levels along two tool axes do not compare.
  const double rise = angles_changed ? 0 : hole.level - c.prev_level;
  CyclePlace prev;
  for (int i = 0; i < 6; ++i) prev.cl[i] = c.prev_cl[i];
  prev.rot = c.prev_rot;
  prev.tilt = c.prev_tilt;
  CycleMoveTo(ctx, Above(prev, travel + std::max(rise, 0.0)), CycleMove::kRapidAway,
              ctx.move_handlers.rapid);
  if (angles_changed) {
    IndexTo(ctx, hole.place);
    return;
  }
  if (!can_cycle && level_changed)
    CycleMoveTo(ctx, Above(hole.place, travel + std::max(-rise, 0.0)), CycleMove::kRapid,
                ctx.move_handlers.rapid);
}

}  // namespace

void ProcessCyclePoint(ClContext& ctx) {
  ValueTables& v = ctx.values;
  std::vector<int32_t>& ints = v.ints;
  std::vector<double>& r = v.reals;
  DispatchState& d = ctx.cl.dispatch;
  CycleState& c = d.cycle;
  const int32_t kind = ints[kSiCycle];

  Hole hole;
  for (int i = 0; i < 6; ++i) {
    hole.place.cl[i] = r[kPosCl[i]];
    hole.out[i] = r[kPosOut[i]];
  }
  hole.place.rot = r[kSrRot];
  hole.place.tilt = r[kSrTilt];
  PlaceToolBefore(c, v);
  r[kSrX_Pt] = hole.out[0];
  r[kSrY_Pt] = hole.out[1];
  r[kSrZ_Pt] = hole.out[2];
  double axis[3], cl_axis[3];
  UnitAxis(hole.out + 3, axis);
  UnitAxis(hole.place.cl + 3, cl_axis);
  hole.level = Dot(hole.out, axis);

  // Levels: the retract from the record's value, in working coordinates
  // outside multi-axis operations.
  double retr = c.retract_value;
  if (ints[kSiOperMode] != kOperModeMultiAxis) {
    const double translation[3] = {r[kSrXT_In], r[kSrYT_In], r[kSrZT_In]};
    const double origin[3] = {r[kSrWCoordX], r[kSrWCoordY], r[kSrWCoordZ]};
    const double work_z[3] = {r[kSrWCoordZI], r[kSrWCoordZJ], r[kSrWCoordZK]};
    retr -= Dot(translation, cl_axis) + Dot(origin, work_z);
  }
  r[kSrRetr] = retr;
  const bool first = ints[kSiFirstPoint] == 1;
  const int32_t rev = ints[kSiRevPlane] == 1 ? 1 : 0;
  const double sign = rev ? -1 : 1;
  double point_l = hole.level;
  if (first) r[kSrPointL_Prev] = sign * point_l;
  r[kSrPointL] = sign * point_l;
  r[kSrRetrL] = sign * (retr + point_l);
  r[kSrClearL] = sign * (point_l + r[kSrClear]);
  r[kSrDepthL] = sign * (point_l - r[kSrDepth]);
  r[kSrPeckL] = sign * (point_l - r[kSrPeck]);
  r[kSrPointL_Inc] = r[kSrPointL] - r[kSrPointL_Prev];
  ints[kSiMoveType] = kKindRapid;
  r[kSrcMove] = r[kSrcRapid];

  // Can the canned cycle make this hole?  Only in a plane the post allows
  // it in, and only when the tool axis is normal to that plane: a cycle of
  // the XY plane drills along Z.
  const int32_t on = ints[kSiCycleOn];
  const int32_t plane = ints[kSiArcPlane];
  const int32_t axis_plane = PlaneNormalTo(axis);
  const bool plane_allowed = on == kPlaneEvery ? plane >= kPlaneXY && plane <= kPlaneYZ : on == plane;
  const bool can_cycle = on != 0 && c.post_function != kPfNone && plane_allowed && axis_plane == plane;
  c.rapid_as_feed = !can_cycle && ints[kSiCycleRapFeedOn] == 1 && axis_plane == kPlaneNone;

  const double level_rounded = Rounded(r[kSrPointL], d.tol.nc);
  const bool angles_changed = hole.place.rot != c.tool.rot || hole.place.tilt != c.tool.tilt;
  const bool level_changed = c.have_previous && level_rounded != c.prev_level_rounded;
  const bool plane_changed = c.have_previous && (plane != c.prev_plane || rev != c.prev_rev_plane);
  const bool breaks = first || !can_cycle ||
                      (ints[kSiCycleVarRot] == 0 && angles_changed) ||
                      (ints[kSiCycleVarLevel] == 0 && level_changed) ||
                      (ints[kSiCycleVarPlane] == 0 && plane_changed) || ints[kSiCycleEachPoint] == 1;

  // The function that makes this hole: the canned cycle's (the cycle's
  // own at a break, else CycleCall), a long-cycle function, or none, when
  // Tornel writes it as single motions if it can.
  int function = kPfNone;
  if (can_cycle) function = breaks ? c.post_function : c.next_function;
  c.expand = false;
  if (function == kPfNone && ints[kSiCycleLC] == 1) {
    const CycleKindRow* row = FindCycleKind(kind);
    int lc = row ? ResolvedPostFunction(ctx.calls.table, row->long_function) : kPfCycleLC;
    if (IsDefined(ctx.calls, lc)) function = lc;
    else c.expand = true;
  }
  const bool drilled = function != kPfNone || (c.expand && CycleExpandable(kind));

  // The canned cycle of the hole before ends at a break; and before a hole
  // made without it, a cycle still active in the control must end, or the
  // control would drill at the next position it is given.
  const bool canned_now = can_cycle && function != kPfNone;
  const bool cancel = (breaks && c.have_previous && c.prev_used_cycle &&
                       ints[kSiCycleEachPoint] == 0) ||
                      (c.in_force && !canned_now && drilled);
  if (cancel) {
    CallPost(ctx, kPfCancel);
    c.in_force = false;
    c.prev_used_cycle = false;
  }
  if (breaks && c.have_previous) {
    // Between two canned holes that differ in nothing the control needs
    // no moves: the cycle is issued again only because the post asks for
    // it at every hole.
    const bool moves = drilled && (!can_cycle || !c.prev_used_cycle || level_changed ||
                                   plane_changed || angles_changed);
    if (moves) MoveBetweenHoles(ctx, hole, can_cycle, level_changed, angles_changed);
  } else if (breaks && angles_changed && drilled) {
    // The first hole in another orientation than the motion before it:
    // turned and placed above the hole before it is drilled.
    IndexTo(ctx, hole.place);
  }
  ints[kSiIndexMoveAct] = 0;

  // The hole's own values for its function: where it is, from where the
  // tool is now.
  for (int i = 0; i < 6; ++i) {
    r[kPosOut[i]] = hole.out[i];
    r[kPosOutPrev[i]] = c.tool_out[i];
  }
  r[kSrRot] = hole.place.rot;
  r[kSrTilt] = hole.place.tilt;
  r[kSrRot_Prev] = c.tool.rot;
  r[kSrTilt_Prev] = c.tool.tilt;
  ints[kSiMoveType] = kKindRapid;
  ComputeMoveValues(v, d.tol.nc, false);

  if (breaks) r[kSrInitL] = r[kSrRetrL];
  if (!drilled) WarnHoleNotDrilled(ctx);
  if (c.expand) ExpandHole(ctx, kind);
  const int expansions = c.expansions;
  if (function != kPfNone) CallPost(ctx, function);
  if (function != kPfNone && c.expansions == expansions) {
    // Where a canned cycle or a long-cycle function of the post leaves the
    // tool is not known here: the moves of a later break start from the
    // hole.
    PlaceTool(c, hole.place, hole.out);
  }

  const bool used_cycle = canned_now;
  if (used_cycle) {
    ints[kSiSubType] = kKindCycleCall;
    c.next_function = IsDefined(ctx.calls, kPfCycleCall) ? kPfCycleCall : c.post_function;
    c.in_force = true;
  } else {
    c.next_function = c.post_function;
  }
  // A hole that got no output is no hole the next one starts from.
  if (drilled) {
    c.have_previous = true;
    for (int i = 0; i < 6; ++i) c.prev_cl[i] = hole.place.cl[i];
    c.prev_rot = hole.place.rot;
    c.prev_tilt = hole.place.tilt;
    c.prev_level = hole.level;
    c.prev_level_rounded = level_rounded;
    c.prev_plane = plane;
    c.prev_rev_plane = rev;
    c.prev_used_cycle = used_cycle;
  }
  r[kSrPointL_Prev] = r[kSrPointL];
  ints[kSiFirstPoint] = 0;
  for (int i = 0; i < 6; ++i) r[kPosOut[i]] = hole.out[i];
  r[kSrRot] = hole.place.rot;
  r[kSrTilt] = hole.place.tilt;
}

}  // namespace tornel
