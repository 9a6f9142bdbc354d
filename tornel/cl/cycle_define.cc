// CYCLE records: the definition of a drill cycle from its minor words, and
// CYCLE/OFF.  Both passes; only the second calls post functions.
#include <cmath>
#include <string>

#include "tornel/cl/cl_codes.h"
#include "tornel/cl/cl_reader.h"
#include "tornel/cl/cycle_parts.h"
#include "tornel/cl/dispatch_parts.h"
#include "tornel/cl/drill_cycles.h"
#include "tornel/cl/multi_axis.h"
#include "tornel/cl/position_slots.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {

namespace {

// CYCLE/OFF: Cancel where the control still has a canned cycle active,
// and the tool where the last hole left it, above its point.
void EndCycle(ClContext& ctx) {
  ValueTables& v = ctx.values;
  std::vector<int32_t>& ints = v.ints;
  std::vector<double>& r = v.reals;
  CycleState& c = ctx.cl.dispatch.cycle;
  ints[kSiSubType] = kKindCycleOff;
  if (ints[kSiCycleAct] != 1) return;  // no cycle to end
  if (c.in_force) CallPost(ctx, kPfCancel);
  c.in_force = false;
  ints[kSiCycle] = kCycleNone;
  ints[kSiCycleAct] = 0;
  CyclePlace here;
  for (int i = 0; i < 6; ++i) here.cl[i] = r[kPosCl[i]];
  here.rot = r[kSrRot];
  here.tilt = r[kSrTilt];
  CyclePlace up = Above(here, RetractDistance(v));
  double out[6];
  OutputAt(v, up.rot, up.tilt, up.cl, out);
  for (int i = 0; i < 3; ++i) r[kPosOut[i]] = out[i];
  r[kSrMoveLen] = 0;
  c = CycleState{};
}

// The minor words from word 2 on: each name takes the number behind it.
void ReadMinorWords(ClContext& ctx, const RecordWords& w) {
  ValueTables& v = ctx.values;
  std::vector<int32_t>& ints = v.ints;
  std::vector<double>& r = v.reals;
  DispatchState& d = ctx.cl.dispatch;
  for (int k = 2; k + 1 < w.size; ++k) {
    if (!w.IsString(k) || !w.IsNumber(k + 1)) continue;
    const double value = w.Number(k + 1);
    if (w.Is(k, "RAPTO") || w.Is(k, "CLEAR")) {
      r[kSrClear] = value;
    } else if (w.Is(k, "RTRCTO") || w.Is(k, "RETURN")) {
      d.cycle.retract_value = value;
    } else if (w.Is(k, "FEDTO") || w.Is(k, "DEPTH")) {
      r[kSrDepth] = value;
    } else if (w.Is(k, "INCR") || w.Is(k, "STEP")) {
      r[kSrPeck] = value;
    } else if (w.Is(k, "ORIENT")) {
      r[kSrSideClr] = value;
    } else if (w.Is(k, "DWELL")) {
      r[kSrDwell] = value;
    } else if (w.Is(k, "MMPM") || w.Is(k, "IPM") || w.Is(k, "FPM") || w.Is(k, "MMPR") ||
               w.Is(k, "IPR") || w.Is(k, "FPR")) {
      bool per_rev = w.Is(k, "MMPR") || w.Is(k, "IPR") || w.Is(k, "FPR");
      ints[kSiFeedType] = per_rev ? kFeedPerRev : kFeedPerMinute;
      r[kSrFeed] = value;
      d.cl_feed = value;
    } else if (w.Is(k, "PULBAC")) {
      if (value == 98) ints[kSiRetrType] = kRetractRapidPlane;
      if (value == 99) ints[kSiRetrType] = kRetractClearPlane;
    }
  }
}

}  // namespace

void DispatchCycle(ClContext& ctx, const RecordWords& w) {
  ValueTables& v = ctx.values;
  std::vector<int32_t>& ints = v.ints;
  std::vector<double>& r = v.reals;
  CycleState& c = ctx.cl.dispatch.cycle;
  ints[kSiRoughType] = 0;
  ints[kSiRecType] = kKindCycle;
  if (w.Is(1, "OFF")) {
    EndCycle(ctx);
    return;
  }
  const bool turning = ints[kSiOperMode] == kOperModeTurning;
  const bool csink_face = w.size >= 10 && !turning;
  if (w.Is(1, "TURN") || (w.Is(1, "FACE") && !csink_face)) {
    DispatchRoughing(ctx, w);
    return;
  }
  int32_t kind = w.IsString(1) ? CycleKindOfWord(w.Str(1), csink_face) : kCycleNone;
  // A word that names no cycle (CYCLE/INIT and the like, written before
  // the real cycle record) leaves the cycle in force as it is.
  if (kind == kCycleNone) return;

  ints[kSiCycle] = kind;
  ints[kSiRetrType] = kRetractRapidPlane;
  ints[kSiRigidTap] = 0;
  ints[kSiFirstPoint] = 1;
  ints[kSiLastPoint] = 0;
  ints[kSiPecks] = 0;
  for (int slot : {kSrClear, kSrClearL, kSrRetrL, kSrDepth, kSrDepthL, kSrPeck, kSrPeckL,
                   kSrSideClr, kSrDwell, kSrLead})
    r[slot] = 0;
  // A cycle that follows one without OFF starts afresh; the control's
  // canned cycle is still active.
  const bool in_force = c.in_force;
  c = CycleState{};
  c.in_force = in_force;
  ReadMinorWords(ctx, w);
  r[kSrDepth] = std::fabs(r[kSrDepth]);
  // A record whose depth Tornel did not find (a CAM system's positional
  // form, a missing FEDTO) would make holes that go nowhere.
  if (r[kSrDepth] == 0 && ctx.cl.second_pass) WarnCycleWithoutDepth(ctx);
  r[kSrPeck] = std::fabs(r[kSrPeck]);
  if (r[kSrPeck] != 0) {
    int32_t pecks = PeckCount(r[kSrDepth], r[kSrPeck], ctx.cl.dispatch.tol.nc);
    if (pecks < 0) FatalInRecord(ctx, kMsgTooManyPecks, ints[kSiRec]);
    ints[kSiPecks] = pecks;
  }
  if (ints[kSiForceRigidTap] == 1) {
    if (kind == kCycleTap) kind = kCycleRigidTap;
    if (kind == kCycleLeftTap) kind = kCycleLeftRigidTap;
    ints[kSiCycle] = kind;
  }
  if (kind == kCycleRigidTap || kind == kCycleLeftRigidTap) ints[kSiRigidTap] = 1;
  ints[kSiSubType] = kind;
  ints[kSiMoveType] = kKindRapid;
  ints[kSiCycleAct] = 1;
  r[kSrcRetType] = r[ints[kSiRetrType] == kRetractClearPlane ? kSrcClrPlane : kSrcRapPlane];
  const CycleKindRow* row = FindCycleKind(kind);
  r[kSrcCycle] = r[row->code];
  int post = ResolvedPostFunction(ctx.calls.table, row->post_function);
  c.post_function = IsDefined(ctx.calls.table, post) ? post : kPfNone;
  c.next_function = c.post_function;
}

}  // namespace tornel
