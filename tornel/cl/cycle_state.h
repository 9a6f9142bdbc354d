// What the record dispatcher keeps of the drill cycle in force: its post
// functions, the retract value of its record, and the hole before the
// current one, where the tool was left and whether the control still has
// the canned cycle active.
#pragma once

#include <cstdint>

#include "tornel/compiler/post_functions.h"

namespace tornel {

// Where motions of a cycle lead: a _CL point with its tool axis, and the
// machine's angles there.
struct CyclePlace {
  double cl[6] = {};
  double rot = 0, tilt = 0;
};

struct CycleState {
  int post_function = kPfNone;  // the canned cycle's function (resolved), kPfNone: none
  int next_function = kPfNone;  // the function of the next hole
  double retract_value = 0;     // RTRCTO or RETURN of the cycle record
  bool in_force = false;        // a canned cycle was called and not cancelled since
  bool expand = false;          // the hole is written as single motions
  bool rapid_as_feed = false;   // rapid motions of the hole are written as feed motions
  int expansions = 0;           // holes written as single motions so far

  // The previous hole: its point and axis in working coordinates, its
  // angles, level along the tool axis, plane, and whether it used the
  // canned cycle.
  bool have_previous = false;
  double prev_cl[6] = {};
  double prev_rot = 0, prev_tilt = 0;
  double prev_level = 0;          // along the tool axis, unrounded
  double prev_level_rounded = 0;  // srPointL rounded to the NC tolerance
  int32_t prev_plane = 0, prev_rev_plane = 0;
  bool prev_used_cycle = false;

  // Where the tool is: the place and output position of the last motion
  // the cycle wrote (or the hole point after a canned hole).
  bool tool_known = false;
  CyclePlace tool;
  double tool_out[6] = {};
};

}  // namespace tornel
