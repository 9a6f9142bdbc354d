// The motions a drill cycle writes itself: the moves between holes and a
// hole written as single rapid, feed and dwell motions.
#include <algorithm>
#include <cmath>
#include <string>

#include "tornel/cl/cl_codes.h"
#include "tornel/cl/cl_reader.h"
#include "tornel/cl/cycle_parts.h"
#include "tornel/cl/dispatch_parts.h"
#include "tornel/cl/drill_cycles.h"
#include "tornel/cl/feed_time.h"
#include "tornel/cl/move_values.h"
#include "tornel/cl/multi_axis.h"
#include "tornel/cl/nc_warning.h"
#include "tornel/cl/position_slots.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {

namespace {

// The feed values a rapid motion written as a feed motion borrows.
struct FeedSnapshot {
  explicit FeedSnapshot(ClContext& ctx)
      : v(ctx.values), d(ctx.cl.dispatch), cl_feed(d.cl_feed), state(d.feed_state),
        type(v.ints[kSiFeedType]), feed(v.reals[kSrFeed]), code(v.reals[kSrcFeedType]),
        fpm(v.reals[kSrFPM]), fpr(v.reals[kSrFPR]) {}
  void Restore() {
    d.cl_feed = cl_feed;
    d.feed_state = state;
    v.ints[kSiFeedType] = type;
    v.reals[kSrFeed] = feed;
    v.reals[kSrcFeedType] = code;
    v.reals[kSrFPM] = fpm;
    v.reals[kSrFPR] = fpr;
  }
  ValueTables& v;
  DispatchState& d;
  double cl_feed;
  FeedState state;
  int32_t type;
  double feed, code, fpm, fpr;
};

}  // namespace

void UnitAxis(const double a[3], double out[3]) {
  double len = std::sqrt(a[0] * a[0] + a[1] * a[1] + a[2] * a[2]);
  for (int i = 0; i < 3; ++i) out[i] = len > 0 ? a[i] / len : i == 2;
}

CyclePlace Above(const CyclePlace& hole, double distance) {
  CyclePlace p = hole;
  double axis[3];
  UnitAxis(hole.cl + 3, axis);
  for (int i = 0; i < 3; ++i) p.cl[i] = hole.cl[i] + distance * axis[i];
  return p;
}

void PlaceTool(CycleState& c, const CyclePlace& place, const double out[6]) {
  c.tool = place;
  for (int i = 0; i < 6; ++i) c.tool_out[i] = out[i];
  c.tool_known = true;
}

void PlaceToolBefore(CycleState& c, const ValueTables& v) {
  if (c.tool_known) return;
  CyclePlace before;
  double out[6];
  for (int i = 0; i < 6; ++i) {
    before.cl[i] = v.reals[kPosClPrev[i]];
    out[i] = v.reals[kPosOutPrev[i]];
  }
  before.rot = v.reals[kSrRot_Prev];
  before.tilt = v.reals[kSrTilt_Prev];
  PlaceTool(c, before, out);
}

double RetractDistance(const ValueTables& v) { return std::max(v.reals[kSrRetr], v.reals[kSrClear]); }

double TravelDistance(const ValueTables& v) {
  if (v.ints[kSiRetrType] == kRetractClearPlane) return v.reals[kSrClear];
  return RetractDistance(v);
}

bool CycleMoveTo(ClContext& ctx, const CyclePlace& to, CycleMove kind, int label) {
  ValueTables& v = ctx.values;
  std::vector<double>& r = v.reals;
  std::vector<int32_t>& ints = v.ints;
  DispatchState& d = ctx.cl.dispatch;
  CycleState& c = d.cycle;
  double out[6];
  OutputAt(v, to.rot, to.tilt, to.cl, out);
  double hole_cl[6];
  for (int i = 0; i < 6; ++i) hole_cl[i] = r[kPosCl[i]];
  for (int i = 0; i < 6; ++i) {
    r[kPosOutPrev[i]] = c.tool_out[i];
    r[kPosOut[i]] = out[i];
    r[kPosCl[i]] = to.cl[i];
  }
  r[kSrRot_Prev] = c.tool.rot;
  r[kSrTilt_Prev] = c.tool.tilt;
  r[kSrRot] = to.rot;
  r[kSrTilt] = to.tilt;
  ints[kSiSubType] = 0;
  const bool as_feed = kind == CycleMove::kRapid && c.rapid_as_feed;
  ints[kSiMoveType] = kind != CycleMove::kFeed && !as_feed ? kKindRapid : kKindGoto;
  ComputeMoveValues(v, d.tol.nc, false);
  const bool moved = ints[kSiAxisComb] != kCombNone;
  if (moved) {
    FeedSnapshot feed(ctx);
    if (as_feed) {
      // A rapid motion along a tilted tool axis as a straight feed motion
      // at the rapid feed, which no speed limit slows.
      ints[kSiFeedType] = kFeedPerMinute;
      d.cl_feed = d.tol.rap_feed;
      d.cycle_rapid_as_feed = true;
      label = ctx.move_handlers.line;
    }
    ComputeFeedAndTime(v, d, true);
    CallLabel(ctx, label);
    d.cycle_rapid_as_feed = false;
    if (as_feed) feed.Restore();
    ints[kSiMoveType_Prev] = ints[kSiMoveType];
  }
  for (int i = 0; i < 6; ++i) r[kPosCl[i]] = hole_cl[i];
  PlaceTool(c, to, out);
  return moved;
}

void ExpandHole(ClContext& ctx, int32_t kind) {
  ValueTables& v = ctx.values;
  std::vector<double>& r = v.reals;
  DispatchState& d = ctx.cl.dispatch;
  CycleState& c = d.cycle;
  if (!CycleExpandable(kind)) {
    c.expand = false;
    return;
  }
  ++c.expansions;
  CyclePlace hole;
  for (int i = 0; i < 6; ++i) hole.cl[i] = r[kPosCl[i]];
  hole.rot = r[kSrRot];
  hole.tilt = r[kSrTilt];
  double hole_out[6], hole_prev[6];
  for (int i = 0; i < 6; ++i) {
    hole_out[i] = r[kPosOut[i]];
    hole_prev[i] = r[kPosOutPrev[i]];
  }
  const double rot_prev = r[kSrRot_Prev], tilt_prev = r[kSrTilt_Prev];
  PlaceToolBefore(c, v);
  const double feed = r[kSrFeed];
  const int rapid = ctx.move_handlers.rapid;
  const int line = ctx.move_handlers.line;
  const double clear = r[kSrClear];
  const double depth = r[kSrDepth];
  const double travel = TravelDistance(v);

  // As a canned cycle does: across at the height the tool is at when that
  // is above the hole's travel level, then down.
  double axis[3];
  UnitAxis(hole_out + 3, axis);
  double height = 0;
  for (int i = 0; i < 3; ++i) height += (c.tool_out[i] - hole_out[i]) * axis[i];
  // From lower than that: up first, where the tool is.
  if (height < travel && c.tool.rot == hole.rot && c.tool.tilt == hole.tilt) {
    CyclePlace here = c.tool;
    for (int i = 3; i < 6; ++i) here.cl[i] = hole.cl[i];  // along the hole's axis
    CycleMoveTo(ctx, Above(here, travel - height), CycleMove::kRapid, rapid);
  }
  if (height > travel) CycleMoveTo(ctx, Above(hole, height), CycleMove::kRapid, rapid);
  if (v.ints[kSiRetrType] == kRetractRapidPlane)
    CycleMoveTo(ctx, Above(hole, travel), CycleMove::kRapid, rapid);
  CycleMoveTo(ctx, Above(hole, clear), CycleMove::kRapid, rapid);
  if ((kind == kCycleDeep || kind == kCycleChipBreak) && r[kSrPeck] > 0) {
    PeckPlan pecks = PlanPecks(depth, r[kSrPeck], d.tol.min_peck);
    if (pecks.count == 0) FatalInRecord(ctx, kMsgTooManyPecks, v.ints[kSiRec]);
    double reached = 0;
    for (int32_t k = 1; k < pecks.count; ++k) {
      reached = k == 1 ? pecks.first : reached + pecks.step;
      CycleMoveTo(ctx, Above(hole, -reached), CycleMove::kFeed, line);
      if (kind == kCycleDeep) CycleMoveTo(ctx, Above(hole, clear), CycleMove::kRapid, rapid);
      CycleMoveTo(ctx, Above(hole, d.tol.peck_clr - reached), CycleMove::kRapid, rapid);
    }
  }
  CycleMoveTo(ctx, Above(hole, -depth), CycleMove::kFeed, line);
  if (r[kSrDwell] > 0) {
    r[kSrMoveTimeOper] += r[kSrDwell] / 60;
    CallPost(ctx, kPfDwell);
  }
  const int32_t k = kind;
  if (k == kCycleTap || k == kCycleReam || k == kCycleLeftTap || k == kCycleRigidTap ||
      k == kCycleLeftRigidTap)
    CycleMoveTo(ctx, Above(hole, clear), CycleMove::kFeed, line);
  bool to_retract = v.ints[kSiLastPoint] == 1 || v.ints[kSiRetrType] == kRetractRapidPlane;
  CycleMoveTo(ctx, Above(hole, to_retract ? RetractDistance(v) : clear), CycleMove::kRapid, rapid);

  // The hole's own values again: the next motion starts from the hole.
  c.expand = false;
  r[kSrFeed] = feed;
  v.ints[kSiMoveType] = kKindRapid;
  for (int i = 0; i < 6; ++i) {
    r[kPosOut[i]] = hole_out[i];
    r[kPosOutPrev[i]] = hole_prev[i];
  }
  r[kSrRot] = hole.rot;
  r[kSrTilt] = hole.tilt;
  r[kSrRot_Prev] = rot_prev;
  r[kSrTilt_Prev] = tilt_prev;
}

void RunLongCycle(ClContext& ctx, int32_t kind) {
  CycleState& c = ctx.cl.dispatch.cycle;
  c.expand = true;
  ExpandHole(ctx, kind);
  c.expand = false;
}

namespace {

void WarnAtRecord(ClContext& ctx, const char* text) {
  std::string message = FormatMessage(text, {std::to_string(ctx.values.ints[kSiRec])});
  WarnInNcFile(ctx, message, ctx.flags.cycle_warning);
}

}  // namespace

void WarnHoleNotDrilled(ClContext& ctx) { WarnAtRecord(ctx, kMsgHoleNotDrilled); }

void WarnCycleWithoutDepth(ClContext& ctx) { WarnAtRecord(ctx, kMsgCycleWithoutDepth); }

}  // namespace tornel
