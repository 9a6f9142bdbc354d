// What the record dispatcher keeps from one record to the next besides the
// system variables: remembered feed, speed and modes, the pass counters and
// the flags of the record being dispatched.
#pragma once

#include <cstdint>

#include "tornel/compiler/post_functions.h"

namespace tornel {

// Tolerances in post units, recomputed with srPostUnitFactor before the
// second pass and after each UNITS record.
struct ScaledTolerances {
  double apt = 0;  // 3 x srAptAccuracy
  double nc = 0;   // srNcAccuracy
  double min_rad = 0;
  double max_rad = 0;
  double arc_tol = 0;
  double helic_tol = 0;
  double peck_clr = 0;
  double min_peck = 0;
  double rap_feed = 0;
  double time_calc_rap_feed = 0;
};

struct DispatchState {
  int pass = 0;  // the pass these values belong to: 1 or 2

  double cl_feed = 0;   // the last FEDRAT value, CL units
  double cl_speed = 0;  // the last SPINDL speed
  int32_t spindle_dir = 2;       // restored by SPINDL/ON
  int32_t comp_dir = 0;          // siCompDir at the last motion
  int32_t inc_at_event = 0;      // siInc at the last motion event
  int32_t plane_at_event = 0;    // siArcPlane at the last motion event
  int32_t operations = 0;        // OPERTN records met in the pass
  int32_t display_state = 0;     // siDispComment to return to after "NEXT"
  bool collect_feed = false;     // first pass: the next feed belongs to the new tool
  ScaledTolerances tol;

  // The record being dispatched.
  bool event = false;            // the record causes a motion event
  int main_label = kNoFunction;  // label of its main post function

  // From their record to the next motion event.
  bool tool_change_event = false;  // a tool change waits for its motion
  int pending_tool_change = 0;     // post function number, 0: none
  bool pending_oper_start = false;
};

}  // namespace tornel
