// The wire step of each motion of a wire EDM post: where the upper guide
// goes (over the tool axis, or along the UV profile), the wire values of
// the motion, and the synchronous cutting of both motions into lines.
#include <cmath>

#include "tornel/cl/arcs.h"
#include "tornel/cl/cl_codes.h"
#include "tornel/cl/cl_context.h"
#include "tornel/cl/cycle_parts.h"
#include "tornel/cl/dispatch_parts.h"
#include "tornel/cl/move_values.h"
#include "tornel/cl/wire_edm.h"
#include "tornel/cl/wire_geometry.h"
#include "tornel/cl/wire_profile.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {

namespace {

bool HasUvProfile(const ValueTables& v) { return v.ints[kSiEdmFileX] == 1; }

// The upper guide over the tool axis at the part thickness; kept where the
// axis lies in the XY plane.
void UpperGuideFromToolAxis(ValueTables& v) {
  std::vector<double>& r = v.reals;
  if (r[kSrK] == 0) return;
  r[kSrX2] = r[kSrX] + r[kSrI] / r[kSrK] * r[kSrPartThick];
  r[kSrY2] = r[kSrY] + r[kSrJ] / r[kSrK] * r[kSrPartThick];
}

// srX2_Inc and srY2_Inc; with a UV profile the tool axis along the wire;
// without one an arc's UV centre is its XY centre; in a 4-axis operation
// the wire's angles against the path and the taper code.
void SetWireValues(ValueTables& v, double nc_tol, bool xy_arc) {
  std::vector<double>& r = v.reals;
  r[kSrX2_Inc] = r[kSrX2] - r[kSrX];
  r[kSrY2_Inc] = r[kSrY2] - r[kSrY];
  if (HasUvProfile(v)) {
    double a[3] = {r[kSrX2_Inc], r[kSrY2_Inc], r[kSrPartThick]};
    double axis[3];
    UnitAxis(a, axis);
    r[kSrI] = axis[0];
    r[kSrJ] = axis[1];
    r[kSrK] = axis[2];
  } else if (xy_arc) {
    r[kSrXC2] = r[kSrXC_CL];
    r[kSrYC2] = r[kSrYC_CL];
    r[kSrXC2_Inc] = 0;
    r[kSrYC2_Inc] = 0;
  }
  if (v.ints[kSiEdm4ax] != 1) return;
  WireAngles angles = WireAnglesFor(r[kSrDirAng], r[kSrI], r[kSrJ], r[kSrK]);
  r[kSrWireAng] = angles.across;
  r[kSrWireAng2] = angles.along;
  if (std::fabs(angles.across) < nc_tol) r[kSrcTaper] = r[kSrcTaperOff];
  else r[kSrcTaper] = r[angles.across > 0 ? kSrcTaperLeft : kSrcTaperRight];
}

// The XY arc's sweep in the XY plane (counter-clockwise positive).
double XyArcSweep(const ArcPlan& plan) {
  return plan.path.axis[2] < 0 ? -plan.path.angle : plan.path.angle;
}

}  // namespace

void WireStep(ClContext& ctx) {
  ValueTables& v = ctx.values;
  std::vector<int32_t>& ints = v.ints;
  std::vector<double>& r = v.reals;
  DispatchState& d = ctx.cl.dispatch;
  WireState& w = d.wire;
  const ScaledTolerances& tol = d.tol;
  bool xy_arc = ints[kSiMoveType] == kKindCircle;

  GuideMotion& lower = w.lower;
  lower = GuideMotion{};
  lower.from = {r[kSrX_Prev], r[kSrY_Prev]};
  lower.to = {r[kSrX], r[kSrY]};
  if (xy_arc) {
    lower.arc = true;
    lower.centre = {r[kSrXC], r[kSrYC]};
    lower.sweep = XyArcSweep(d.arc);
  }
  GuideMotion& upper = w.upper_motion;
  upper = GuideMotion{};
  upper.from = w.upper_known ? w.upper : lower.from;

  WirePair pair;
  pair.xy_arc = xy_arc;
  pair.xy_rad = r[kSrRad];
  pair.xy_ccw = ints[kSiArcDir] == kArcCcw;
  pair.min_rad = tol.min_rad;
  pair.max_rad = tol.max_rad;
  pair.arc_on = ints[kSiArcOn];
  pair.arc_arc_on = ints[kSiEdm4axArcOn];
  pair.line_arc_on = ints[kSiEdmLineArcOn];
  bool linearise = false;
  if (HasUvProfile(v)) {
    ReadUvMotion(ctx);
    upper.to = {r[kSrX2], r[kSrY2]};
    if (ints[kSiMoveType2] == kKindCircle) {
      upper.arc = true;
      upper.centre = {r[kSrXC2], r[kSrYC2]};
      upper.sweep = ArcSweep(upper.from, upper.to, upper.centre, ints[kSiArcDir2] == kArcCcw, tol.nc);
    }
    pair.uv_arc = upper.arc;
    pair.uv_rad = r[kSrRad2];
    pair.uv_ccw = ints[kSiArcDir2] == kArcCcw;
    linearise = WirePairLinearised(pair);
  } else {
    UpperGuideFromToolAxis(v);
    upper.to = {r[kSrX2], r[kSrY2]};
    // Over an XY arc the upper guide turns about the same centre.
    if (xy_arc) {
      upper.arc = true;
      upper.centre = {r[kSrXC_CL], r[kSrYC_CL]};
      upper.sweep = lower.sweep;
    }
    // A 4-axis arc is no arc piece of the standard processing: one that no
    // arc word of the post may carry still goes out as lines.
    pair.uv_arc = xy_arc;
    pair.uv_rad = r[kSrRad];
    pair.uv_ccw = pair.xy_ccw;
    pair.arc_arc_on = kEdmArcPairsAnySense;
    pair.line_arc_on = 1;
    linearise = ints[kSiEdm4ax] == 1 && xy_arc && WirePairLinearised(pair);
  }
  w.upper = upper.to;
  w.upper_known = true;
  w.motion = true;
  SetWireValues(v, tol.nc, xy_arc);
  if (linearise) {
    w.linearise = true;
    if (xy_arc && !d.arc.keep_first) d.main_label = ctx.move_handlers.line;
  }
}

void FollowWireGuide(ClContext& ctx) {
  ValueTables& v = ctx.values;
  if (v.ints[kSiEdmPost] != 1 || HasUvProfile(v)) return;
  UpperGuideFromToolAxis(v);
  SetWireValues(v, ctx.cl.dispatch.tol.nc, v.ints[kSiMoveType] == kKindCircle);
}

namespace {

void RunSegments(ClContext& ctx, int first_label) {
  ValueTables& v = ctx.values;
  DispatchState& d = ctx.cl.dispatch;
  const WireState& w = d.wire;
  const GuideMotion lower = w.lower;
  const GuideMotion upper = w.upper_motion;
  const ArcPath path = d.arc.path;
  Point3 from = OutputPointPrev(v);
  Point3 end = OutputPoint(v);
  if (lower.arc) {
    from = path.start;
    end = path.end;
    // The segments continue the direction angles of the motion before.
    v.reals[kSrEndAng] = d.arc.end_before;
    v.reals[kSrDirAng] = d.arc.dir_before;
  }
  auto point_at = [&](double f) -> Point3 {
    if (lower.arc) return PointOnArc(path, f);
    return {from[0] + (end[0] - from[0]) * f, from[1] + (end[1] - from[1]) * f,
            from[2] + (end[2] - from[2]) * f};
  };
  auto each = [&](double f) {
    Point2 up = PointAlong(upper, f);
    v.reals[kSrX2] = up.x;
    v.reals[kSrY2] = up.y;
    v.ints[kSiMoveType2] = kKindGoto;
    SetWireValues(v, d.tol.nc, false);
  };
  int n = SyncSegmentCount(lower, upper, d.tol.arc_tol);
  RunLinearSegments(ctx, from, end, n, point_at, first_label, each);
}

}  // namespace

void RunWireSegments(ClContext& ctx) { RunSegments(ctx, ctx.cl.dispatch.main_label); }

void EdmArcToLines(ClContext& ctx) {
  const std::vector<int32_t>& ints = ctx.values.ints;
  const WireState& w = ctx.cl.dispatch.wire;
  if (!ctx.cl.second_pass || !w.motion) return;
  // While the segments run both kinds are linear: no second cutting.
  if (ints[kSiMoveType] != kKindCircle && ints[kSiMoveType2] != kKindCircle) return;
  if (!w.lower.arc && !w.upper_motion.arc) return;
  RunSegments(ctx, ctx.move_handlers.line);
}

}  // namespace tornel
