#include "tornel/cl/feed_time.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tornel/cl/cl_codes.h"
#include "tornel/cl/dispatch_state.h"
#include "tornel/cl/modal_codes.h"
#include "tornel/cl/move_values.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {

namespace {

// The radius at which the cutting speed is taken: the tool's outside
// turning and for a drilling operation, else the radial (Y) coordinate of
// the motion: the mean of its start and end, or an arc's start.
double SpeedRadius(const ValueTables& v, const DispatchState& d) {
  const std::vector<int32_t>& ints = v.ints;
  if (ints[kSiOperMode] != kOperModeTurning || ints[kSiOperType] == kOperTypeDrillCycle) {
    return std::fabs(v.reals[kSrToolRad]);
  }
  int32_t move = ints[kSiMoveType];
  if (d.tool_change_event) return std::fabs(v.reals[kSrY_In]);
  if (move == kKindCircle) return std::fabs(d.arc_start_in[1]);
  if (move == kKindRapid || move == kKindGoto) return std::fabs(d.in_y_before + d.in_y_after) / 2;
  return std::fabs(v.reals[kSrY_In]);
}

}  // namespace

double SpeedFactor(ValueTables& v, const DispatchState& d) {
  std::vector<int32_t>& ints = v.ints;
  std::vector<double>& r = v.reals;
  int32_t type = ints[kSiSpeedType];
  double radius = SpeedRadius(v, d);

  double limit = r[kSrRpmLimit];
  if (type == kSpeedCss && r[kSrMaxRPM] > 0 && (r[kSrMaxRPM] < limit || limit == 0)) {
    limit = r[kSrMaxRPM];
  }
  double metres_or_feet = 2 * std::numbers::pi * radius / (ints[kSiMetric] == kUnitsMetric ? 1000 : 12);

  if (type == kSpeedRpm) {
    r[kSrRPM] = d.cl_speed;
  } else if (radius > 0) {
    r[kSrRPM] = d.cl_speed / metres_or_feet;
  }
  double unlimited = r[kSrRPM];
  // At the spindle axis constant surface speed has no finite speed: the
  // limit applies.  A speed in revolutions does not depend on the radius,
  // so a tool without a radius keeps its programmed speed.
  bool at_axis = radius == 0 && type != kSpeedRpm;
  if ((r[kSrRPM] > limit || at_axis) && limit > 0) r[kSrRPM] = limit;
  double ratio = radius > 0 && unlimited > 0 ? r[kSrRPM] / unlimited : 0;

  if (type == kSpeedRpm) {
    r[kSrSpeed] = r[kSrRPM];
    r[kSrSS] = r[kSrRPM] * metres_or_feet;
  } else {
    r[kSrSS] = r[kSrSpeed] * ratio;
  }
  if (ratio == 0 || type == kSpeedCss || d.cycle_rapid_as_feed) return 1;
  return ratio;
}

void ComputeFeedAndTime(ValueTables& v, DispatchState& d, bool motion_event) {
  std::vector<int32_t>& ints = v.ints;
  std::vector<double>& r = v.reals;
  r[kSrMoveTime] = 0;
  SetModalCodes(v);
  double g = motion_event ? SpeedFactor(v, d) : 1;

  // An inverse-time record keeps the feed it was given: its per-minute
  // feed comes from the remembered feed type.
  int32_t basis = ints[kSiFeedType];
  if (basis == kFeedInverseTime && d.feed_state.set) basis = d.feed_state.type;
  if (basis == kFeedPerMinute) {
    r[kSrFeed] = d.cl_feed * g;
    r[kSrcFeedType] = r[kSrcFPM];
    r[kSrFPM] = r[kSrFeed];
    if (r[kSrRPM] > 0) r[kSrFPR] = r[kSrFeed] / r[kSrRPM];
  } else if (basis == kFeedPerRev) {
    r[kSrFeed] = d.cl_feed;
    r[kSrcFeedType] = r[kSrcFPR];
    r[kSrFPR] = r[kSrFeed];
    r[kSrFPM] = r[kSrFeed] * r[kSrRPM];
  }
  if (basis == kFeedPerMinute || basis == kFeedPerRev) {
    d.feed_state = {true, basis, r[kSrcFeedType], r[kSrFeed]};
  }

  double len = r[kSrMoveLen];
  if (ints[kSiMoveType] == kKindRapid) {
    if (d.tol.time_calc_rap_feed > 0) r[kSrMoveTime] = len / d.tol.time_calc_rap_feed;
  } else {
    double inv = len > 0 ? r[kSrFPM] / len : r[kSrInvTimeMax];
    inv = std::max(std::min(inv, r[kSrInvTimeMax]), r[kSrInvTimeMin]);
    r[kSrInvTime] = inv;
    if (r[kSrFPM] > 0) r[kSrMoveTime] = len / r[kSrFPM];
    bool in_cycle = ints[kSiCycleAct] == 1;
    int32_t on = ints[kSiInvTimeOn];
    if (on == 1 || (on == kInvTimeRotaryOnly && ints[kSiSubType] == kSubTypeRotary && !in_cycle)) {
      ints[kSiFeedType] = kFeedInverseTime;
      r[kSrcFeedType] = r[kSrcInvTime];
      r[kSrFeed] = inv;
    } else if (d.feed_state.set) {
      ints[kSiFeedType] = d.feed_state.type;
      r[kSrcFeedType] = d.feed_state.code;
      r[kSrFeed] = d.feed_state.feed;
    }
  }

  d.oper_len_added = 0;
  d.oper_time_added = 0;
  if (ints[kSiCycleAct] != 1) {
    d.oper_len_added = len;
    d.oper_time_added = r[kSrMoveTime];
    r[kSrMoveLenOper] += len;
    r[kSrMoveTimeOper] += r[kSrMoveTime];
  }
}

void WithdrawOperationTotals(ValueTables& v, DispatchState& d) {
  v.reals[kSrMoveLenOper] -= d.oper_len_added;
  v.reals[kSrMoveTimeOper] -= d.oper_time_added;
  d.oper_len_added = 0;
  d.oper_time_added = 0;
}

}  // namespace tornel
