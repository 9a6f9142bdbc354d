// OPERTN records: the start of an operation, its type and mode, and the
// operations that count as tools (wire EDM).
#include <algorithm>
#include <cmath>

#include "tornel/cl/cl_codes.h"
#include "tornel/cl/dispatch_parts.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {

namespace {

bool InRange(int32_t value, int32_t low, int32_t high) { return value >= low && value <= high; }

// The CAM system's operation types (its own numbers) mapped to the types
// and modes the post file sees, rule after rule.
void MapOperationType(std::vector<int32_t>& ints) {
  int32_t& type = ints[kSiOperType];
  int32_t& mode = ints[kSiOperMode];
  if (type == 32) type = 31;
  if (type == 55) type = 54;
  if (InRange(type, 1, 5) || type == 29 || type == 30) mode = kOperModeTurning;
  if (InRange(type, 9, 14) || type == 27 || type == 33) mode = kOperMode3Axis;
  if (type == 40 || type == 42) mode = kOperMode3Axis;
  if (InRange(type, 16, 25) || type == 31) mode = kOperModeMultiAxis;
  if (type == 39) type = kOperTypeEdm2AxisXY;
  if (type == kOperTypeEdm2AxisXY || type == 26 || type == 34) mode = kOperModeWireEdm;
  if (type == 5 || type == 20 || type == 25) type = kOperTypeDrillCycle;
  if (InRange(type, 21, 25)) type -= 5;
  if (mode == kOperModeTurning) ints[kSiMillTurn] = kMillTurnTurning;
}

}  // namespace

void DispatchOperation(ClContext& ctx, const RecordWords& w) {
  std::vector<int32_t>& ints = ctx.values.ints;
  std::vector<double>& reals = ctx.values.reals;
  std::vector<std::string>& strings = ctx.values.strings;
  DispatchState& d = ctx.cl.dispatch;

  if (!ctx.cl.second_pass) {
    for (int slot : {kSrFeed, kSrPlungeFeed, kSrToolLen, kSrToolRad, kSrToolCrn}) reals[slot] = 0;
    strings[kSsToolDesc].clear();
    strings[kSsViewDesc].clear();
  } else {
    if (ctx.cl.tools.cancel_pending) CancelTool(ctx);
    if (d.operations > 0) {
      CallPost(ctx, kPfOperEnd);
      static constexpr int kPrev[][2] = {{kSiTurret_Prev, kSiTurret},
                                         {kSiSpindle_Prev, kSiSpindle},
                                         {kSiOperType_Prev, kSiOperType},
                                         {kSiOperMode_Prev, kSiOperMode},
                                         {kSiMillTurn_Prev, kSiMillTurn}};
      for (const auto& [prev, cur] : kPrev) ints[prev] = ints[cur];
    }
    ints[kSiOperAct] = 1;
    ints[kSiRecType] = kKindOperStart;
    d.pending_oper_start = true;
    d.operations += 1;
  }

  reals[kSrRadComp] = 0;
  if (w.IsNumber(1)) ints[kSiOperType] = static_cast<int32_t>(std::trunc(w.Number(1)));
  ints[kSiCycle] = 0;
  ints[kSiRigidTap] = 0;
  ints[kSiOperMode] = kOperModeMilling;
  ints[kSiMillTurn] = kMillTurnMilling;
  ints[kSiSpindle] = kMainSpindle;
  ints[kSiEdm4ax] = 0;
  ints[kSiRoughType] = 0;
  if (w.IsNumber(2)) ints[kSiCycle] = static_cast<int32_t>(std::trunc(w.Number(2))) + 1;
  if (w.IsNumber(3)) {
    int32_t spindle = static_cast<int32_t>(std::trunc(w.Number(3))) + 1;
    if (spindle >= 1) ints[kSiSpindle] = spindle;
  }
  ints[kSiOperOrigType] = ints[kSiOperType];
  MapOperationType(ints);

  if (ints[kSiForceRigidTap] == 1) {
    if (ints[kSiCycle] == kCycleTap) ints[kSiCycle] = kCycleRigidTap;
    if (ints[kSiCycle] == kCycleLeftTap) ints[kSiCycle] = kCycleLeftRigidTap;
  }
  if (ints[kSiCycle] == kCycleRigidTap || ints[kSiCycle] == kCycleLeftRigidTap)
    ints[kSiRigidTap] = 1;

  bool wire = ints[kSiEdmPost] == 1 || ints[kSiOperMode] == kOperModeWireEdm;
  if (ints[kSiEdmFileX] == 1 || (wire && ints[kSiOperType] != kOperTypeEdm2AxisXY))
    ints[kSiEdm4ax] = 1;

  if (!wire) return;
  // A wire EDM operation counts as a tool of its own.
  if (ctx.cl.second_pass) {
    int32_t c = ints[kSiToolCh];
    if (c >= 0 && c < std::min<int32_t>(ints[kSiTools], kListSlots)) {
      reals[kSrRadComp] = reals[kSrRadCompList + c];
      reals[kSrFeed] = reals[kSrFeedList + c];
    }
    ints[kSiToolCh] += 1;
  } else {
    if (ints[kSiTools] < ints[kSiToolsLim] && ints[kSiTools] < kListSlots) ints[kSiTools] += 1;
    ints[kSiToolsTot] += 1;
    d.collect_feed = true;
  }
}

}  // namespace tornel
