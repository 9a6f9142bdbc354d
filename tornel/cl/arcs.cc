#include "tornel/cl/arcs.h"

#include <cmath>
#include <functional>
#include <numbers>

#include "tornel/cl/arc_geometry.h"
#include "tornel/cl/cl_codes.h"
#include "tornel/cl/cl_context.h"
#include "tornel/cl/dispatch_parts.h"
#include "tornel/cl/feed_time.h"
#include "tornel/cl/multi_axis.h"
#include "tornel/cl/frames.h"
#include "tornel/cl/move_values.h"
#include "tornel/cl/wire_edm.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {

namespace {

constexpr double kRadToDeg = 180.0 / std::numbers::pi;

Point3 Reals3(const ValueTables& v, int first_x, int y, int z) {
  return {v.reals[first_x], v.reals[y], v.reals[z]};
}

Point3 ToolAxis(const ValueTables& v) { return Reals3(v, kSrI_CL, kSrJ_CL, kSrK_CL); }
Point3 CircleAxis(const ValueTables& v) { return Reals3(v, kSrIC_CL, kSrJC_CL, kSrKC_CL); }
Point3 Centre(const ValueTables& v) { return Reals3(v, kSrXC, kSrYC, kSrZC); }

// The frame in which an arc's angles are measured.  An arc whose circle
// axis stands along the normal of siArcPlane (within the NC tolerance at
// its radius) uses the plane's frame; any other arc, which no arc word of
// that plane can describe, a frame around its own axis, in which it turns
// counter-clockwise.
struct ArcSetting {
  ArcFrame frame;
  bool plane_known = false;  // siArcPlane is 17, 18 or 19
  bool in_plane = false;
};

ArcSetting ArcSettingFor(const ValueTables& v, double nc_tol) {
  ArcSetting s;
  s.plane_known = PlaneFrame(v.ints[kSiArcPlane], s.frame);
  Point3 axis = CircleAxis(v);
  double len = Length(axis);
  if (s.plane_known && len > 0) {
    double along = Dot(axis, s.frame.w) / len;
    double off_plane = std::fabs(v.reals[kSrRad]) * std::sqrt(std::max(0.0, 1 - along * along));
    s.in_plane = off_plane <= nc_tol && along != 0;
  }
  if (!s.in_plane && len > 0) s.frame = FrameAround(axis);
  return s;
}

// The output position of a piece or chord, and its _CL point, so that a
// post that writes the tool tip in part coordinates sees each one too.
void SetOutput(ValueTables& v, const Point3& from, const Point3& to) {
  static constexpr int kOut[3] = {kSrX, kSrY, kSrZ};
  static constexpr int kPrev[3] = {kSrX_Prev, kSrY_Prev, kSrZ_Prev};
  static constexpr int kCl[3] = {kSrX_CL, kSrY_CL, kSrZ_CL};
  static constexpr int kClPrev[3] = {kSrX_CL_Prev, kSrY_CL_Prev, kSrZ_CL_Prev};
  for (int i = 0; i < 3; ++i) {
    v.reals[kPrev[i]] = from[i];
    v.reals[kOut[i]] = to[i];
  }
  double cl_from[3], cl_to[3];
  if (OutputToCl(v, from.data(), cl_from) && OutputToCl(v, to.data(), cl_to)) {
    for (int i = 0; i < 3; ++i) {
      v.reals[kClPrev[i]] = cl_from[i];
      v.reals[kCl[i]] = cl_to[i];
    }
  }
}

void SetCentreIncrements(ValueTables& v, const Point3& from) {
  v.reals[kSrXC_Inc] = v.reals[kSrXC] - from[0];
  v.reals[kSrYC_Inc] = v.reals[kSrYC] - from[1];
  v.reals[kSrZC_Inc] = v.reals[kSrZC] - from[2];
}

// The angle values of an arc (or piece) from `start` turning by `inc`
// degrees, its radius sign, helix lead and length; srHelicDist is set.
void SetArcAngles(ValueTables& v, double start, double end, double inc, bool ccw) {
  std::vector<double>& r = v.reals;
  double quarter = ccw ? 90 : -90;
  r[kSrStartAng] = start;
  r[kSrEndAng] = end;
  r[kSrIncAng] = inc;
  r[kSrDirIncAng] = Wrap180(start + quarter - r[kSrDirAng]);
  r[kSrDirAng] = Wrap180(end + quarter);
  r[kSrRadSg] = std::fabs(inc) > 180 ? -r[kSrRad] : r[kSrRad];
  double helic = r[kSrHelicDist];
  r[kSrHelicLead] = inc != 0 ? std::fabs(360 / inc) * helic : 0;
  double arc_len = 2 * std::numbers::pi * r[kSrRad] * std::fabs(inc) / 360;
  r[kSrMoveLen] = std::sqrt(arc_len * arc_len + helic * helic);
}

// The arc function for the current arc values: helical, by centre beyond
// srRadArcMaxAng, else by radius.
int ArcChainLabel(const ValueTables& v, const MoveHandlers& moves) {
  if (v.ints[kSiHelic] == 1) return moves.helical_arc;
  if (std::fabs(v.reals[kSrIncAng]) > v.reals[kSrRadArcMaxAng]) return moves.center_arc;
  return moves.radius_arc;
}

// The smallest angle worth a piece of its own: one NC tolerance along the
// arc.
double AngleMargin(double nc_tol, double radius) {
  double m = radius > 0 ? nc_tol / radius * kRadToDeg : 0;
  return m > 1e-9 ? m : 1e-9;
}

bool Linearised(const ValueTables& v, const ScaledTolerances& tol, const ArcSetting& s) {
  const std::vector<int32_t>& ints = v.ints;
  double rad = v.reals[kSrRad];
  int32_t on = ints[kSiArcOn];
  int32_t plane = ints[kSiArcPlane];
  if (on == 0) return true;
  if (on >= kPlaneXY && on <= kPlaneYZ && on != plane) return true;
  if (on == kPlaneEvery && !s.plane_known) return true;
  if (rad < tol.min_rad || rad > tol.max_rad) return true;
  if (ints[kSiHelic] == 1 && ints[kSiHelicOn] == 0) return true;
  // An arc out of the arc plane cannot be written in that plane's words.
  if (!s.in_plane) return true;
  return false;
}

}  // namespace

void RunLinearSegments(ClContext& ctx, Point3 from, Point3 end, int n,
                       const std::function<Point3(double)>& point_at, int first_label,
                       const std::function<void(double)>& each) {
  ValueTables& v = ctx.values;
  std::vector<int32_t>& ints = v.ints;
  DispatchState& d = ctx.cl.dispatch;
  int32_t next_saved = ints[kSiMoveType_Next];
  WithdrawOperationTotals(v, d);
  for (int k = 1; k <= n; ++k) {
    double fraction = static_cast<double>(k) / n;
    Point3 to = k == n ? end : point_at(fraction);
    ints[kSiMoveType] = kKindGoto;
    ints[kSiMoveType_Next] = k < n ? kKindGoto : next_saved;
    SetOutput(v, from, to);
    if (k > 1) {
      v.reals[kSrRot_Prev] = v.reals[kSrRot];
      v.reals[kSrTilt_Prev] = v.reals[kSrTilt];
    }
    ComputeMoveValues(v, d.tol.nc, false);
    if (each) each(fraction);
    else FollowWireGuide(ctx);
    ComputeFeedAndTime(v, d, true);
    CallLabel(ctx, k == 1 ? first_label : ctx.move_handlers.line);
    ints[kSiMoveType_Prev] = kKindGoto;
    from = to;
  }
  ints[kSiMoveType_Next] = next_saved;
}

namespace {

// Straight chords along `path` within the arc tolerance.
void RunChords(ClContext& ctx, const ArcPath& path, double radius, int first_label) {
  int n = ChordCount(path.angle, radius, ctx.cl.dispatch.tol.arc_tol);
  RunLinearSegments(ctx, path.start, path.end, n,
                    [&path](double f) { return PointOnArc(path, f); }, first_label);
}

}  // namespace

void RunArcPieces(ClContext& ctx) {
  ValueTables& v = ctx.values;
  DispatchState& d = ctx.cl.dispatch;
  const ArcPlan& plan = d.arc;
  const ArcPath& path = plan.path;
  WithdrawOperationTotals(v, d);
  v.reals[kSrDirAng] = plan.dir_before;
  Point3 from = path.start;
  double done = 0;
  size_t n = plan.cuts.size() + 1;
  for (size_t k = 0; k < n; ++k) {
    bool last = k + 1 == n;
    double at = last ? path.angle : plan.cuts[k];
    Point3 to = last ? path.end : PointOnArc(path, at / path.angle);
    SetOutput(v, from, to);
    if (k > 0) {
      v.reals[kSrRot_Prev] = v.reals[kSrRot];
      v.reals[kSrTilt_Prev] = v.reals[kSrTilt];
    }
    ComputeMoveValues(v, d.tol.nc, true);
    SetCentreIncrements(v, from);
    v.reals[kSrHelicDist] = plan.helic_dist * (at - done) / path.angle;
    SetArcAngles(v, Wrap180(plan.start_angle + done), Wrap180(plan.start_angle + at), at - done,
                 plan.ccw);
    FollowWireGuide(ctx);
    ComputeFeedAndTime(v, d, true);
    CallLabel(ctx, k == 0 && plan.keep_first ? d.main_label : ArcChainLabel(v, ctx.move_handlers));
    from = to;
    done = at;
  }
}

void RunArcChords(ClContext& ctx) {
  DispatchState& d = ctx.cl.dispatch;
  double radius = ctx.values.reals[kSrRad];
  if (!(radius > 0)) radius = Length(Sub(d.arc.path.start, d.arc.path.centre));
  // The chords continue the direction angles of the motion before the arc.
  ctx.values.reals[kSrEndAng] = d.arc.end_before;
  ctx.values.reals[kSrDirAng] = d.arc.dir_before;
  RunChords(ctx, d.arc.path, radius, d.main_label);
}

void DispatchCircle(ValueTables& v, DispatchState& d, const RecordWords& w) {
  std::vector<double>& r = v.reals;
  v.ints[kSiMoveType] = kKindCircle;
  double centre[3] = {w.NumberOr(1, r[kSrXC_In]), w.NumberOr(2, r[kSrYC_In]),
                      w.NumberOr(3, r[kSrZC_In])};
  double axis[3] = {w.NumberOr(4, r[kSrIC_In]), w.NumberOr(5, r[kSrJC_In]),
                    w.NumberOr(6, r[kSrKC_In])};
  // Some CAM systems give only the centre and the axis: the radius is then
  // the start point's distance from the circle axis.  Keeping the last
  // arc's radius instead would describe another circle.
  static constexpr int kPIn[3] = {kSrX_In, kSrY_In, kSrZ_In};
  if (w.IsNumber(7)) {
    r[kSrRad] = w.Number(7);
  } else {
    Point3 start{r[kPIn[0]], r[kPIn[1]], r[kPIn[2]]};
    r[kSrRad] = RadiusAcrossAxis(Point3{centre[0], centre[1], centre[2]},
                                 Point3{axis[0], axis[1], axis[2]}, start);
  }
  double centre_cl[3];
  double axis_cl[3];
  InputTransform(v, centre, true, centre_cl);
  InputTransform(v, axis, false, axis_cl);
  static constexpr int kCIn[3] = {kSrXC_In, kSrYC_In, kSrZC_In};
  static constexpr int kAxIn[3] = {kSrIC_In, kSrJC_In, kSrKC_In};
  static constexpr int kCCl[3] = {kSrXC_CL, kSrYC_CL, kSrZC_CL};
  static constexpr int kAxCl[3] = {kSrIC_CL, kSrJC_CL, kSrKC_CL};
  static constexpr int kCInInc[3] = {kSrXC_In_Inc, kSrYC_In_Inc, kSrZC_In_Inc};
  static constexpr int kCClInc[3] = {kSrXC_CL_Inc, kSrYC_CL_Inc, kSrZC_CL_Inc};
  static constexpr int kPCl[3] = {kSrX_CL, kSrY_CL, kSrZ_CL};
  for (int i = 0; i < 3; ++i) {
    r[kCIn[i]] = centre[i];
    r[kAxIn[i]] = axis[i];
    r[kCCl[i]] = centre_cl[i];
    r[kAxCl[i]] = axis_cl[i];
    r[kCInInc[i]] = centre[i] - r[kPIn[i]];
    r[kCClInc[i]] = centre_cl[i] - r[kPCl[i]];
    d.arc_start_in[i] = r[kPIn[i]];
  }
  d.arc_start_k = r[kSrK_In];
}

void ProcessArc(ValueTables& v, DispatchState& d, const MoveHandlers& moves) {
  std::vector<double>& r = v.reals;
  std::vector<int32_t>& ints = v.ints;
  const ScaledTolerances& tol = d.tol;
  d.arc.kind = ArcPlan::kWhole;
  Point3 start = OutputPointPrev(v);
  Point3 end = OutputPoint(v);
  ArcSetting s = ArcSettingFor(v, tol.nc);

  // Direction: counter-clockwise seen from the tool when the circle axis
  // points along the tool axis.  For a circle axis nearly across the tool
  // axis (as in an XZ or YZ arc with a vertical tool) that test answers
  // counter-clockwise for either sense, so the arc plane's normal decides.
  Point3 tool = ToolAxis(v);
  Point3 axis = CircleAxis(v);
  Point3 sum{tool[0] + axis[0], tool[1] + axis[1], tool[2] + axis[2]};
  int32_t dir = Length(sum) >= 1 ? kArcCcw : kArcCw;
  double axis_len = Length(axis);
  if (s.in_plane && axis_len > 0 && std::fabs(Dot(tool, axis)) / axis_len < 0.5) {
    dir = Dot(axis, s.frame.w) > 0 ? kArcCcw : kArcCw;
  }
  ints[kSiArcDir] = dir;

  // Helix: the travel along the tool axis.
  Point3 travel = Reals3(v, kSrX_CL_Inc, kSrY_CL_Inc, kSrZ_CL_Inc);
  double tool_len = Length(tool);
  double helic = tool_len > 0 ? Dot(travel, tool) / tool_len : 0;
  helic = RoundToStep(helic, tol.helic_tol);
  r[kSrHelicDist] = helic;
  ints[kSiHelic] = helic != 0 ? 1 : 0;

  // The centre in output coordinates, as the end points: through the
  // machine's rotary axes, then the output frame.
  double centre_cl[3] = {r[kSrXC_CL], r[kSrYC_CL], r[kSrZC_CL]};
  double centre_out[3];
  PointToOutput(v, CurrentKinematics(v), centre_cl, centre_out);
  r[kSrXC] = centre_out[0];
  r[kSrYC] = centre_out[1];
  r[kSrZC] = centre_out[2];
  SetCentreIncrements(v, start);
  Point3 centre = Centre(v);

  // A nearly closed arc that is no full circle is noise: dropped.
  Point3 chord = InFrame(s.frame, Sub(end, start));
  double du = std::fabs(chord[0]);
  double dv = std::fabs(chord[1]);
  bool within_apt = du <= tol.apt && dv <= tol.apt;
  if (!within_apt && du < tol.nc && dv < tol.nc) {
    ints[kSiMoveType] = 0;
    d.event = false;
    d.main_label = kNoFunction;
    return;
  }

  bool ccw = s.in_plane ? dir == kArcCcw : true;
  Point3 a = InFrame(s.frame, Sub(start, centre));
  Point3 b = InFrame(s.frame, Sub(end, centre));
  double start_ang = std::atan2(a[1], a[0]) * kRadToDeg;
  double end_ang = std::atan2(b[1], b[0]) * kRadToDeg;
  if (du <= tol.nc && dv <= tol.nc) end_ang = start_ang;  // a full circle
  double inc = end_ang - start_ang;
  if (ccw && end_ang <= start_ang) inc += 360;
  if (!ccw && end_ang >= start_ang) inc -= 360;
  ArcPlan& plan = d.arc;
  plan.end_before = r[kSrEndAng];
  plan.dir_before = r[kSrDirAng];
  SetArcAngles(v, start_ang, end_ang, inc, ccw);

  plan.path = {centre, s.frame.w, start, end, inc};
  plan.ccw = ccw;
  plan.start_angle = start_ang;
  plan.helic_dist = helic;
  plan.keep_first = d.main_label != moves.arc;
  plan.chain_label = ArcChainLabel(v, moves);
  if (!plan.keep_first) d.main_label = plan.chain_label;

  // In polar interpolation the arc becomes a rotary motion or chords
  // (PlanArcOnRotaryMachine, after this).  A 4-axis wire EDM arc stays one motion for
  // the wire processing.
  if (ints[kSiRotPolarAct] == 1 || ints[kSiEdm4ax] == 1) return;

  if (Linearised(v, tol, s)) {
    plan.kind = ArcPlan::kLines;
    if (!plan.keep_first) d.main_label = moves.line;
    return;
  }
  double margin = AngleMargin(tol.nc, r[kSrRad]);
  if (ints[kSiArcOnQuad] == 1) {
    CutAngles(start_ang, inc, 90, margin, plan.cuts);
  } else if (r[kSrArcMaxAng] > 0 && std::fabs(inc) > r[kSrArcMaxAng]) {
    CutAngles(start_ang, inc, r[kSrArcMaxAng], margin, plan.cuts);
  } else {
    plan.cuts.clear();
  }
  if (!plan.cuts.empty()) plan.kind = ArcPlan::kPieces;
}

void ArcToLines(ClContext& ctx) {
  ValueTables& v = ctx.values;
  if (!ctx.cl.second_pass || v.ints[kSiMoveType] != kKindCircle) return;
  ArcSetting s = ArcSettingFor(v, ctx.cl.dispatch.tol.nc);
  ArcPath path{Centre(v), s.frame.w, OutputPointPrev(v), OutputPoint(v), v.reals[kSrIncAng]};
  double radius = v.reals[kSrRad];
  if (!(radius > 0)) radius = Length(Sub(path.start, path.centre));
  RunChords(ctx, path, radius, ctx.move_handlers.line);
}

}  // namespace tornel
