// What the record dispatcher keeps from one record to the next besides the
// system variables: remembered feed, speed and modes, the pass counters and
// the flags of the record being dispatched.
#pragma once

#include <cstdint>
#include <vector>

#include "tornel/cl/arc_geometry.h"
#include "tornel/cl/cycle_state.h"
#include "tornel/cl/move_values.h"
#include "tornel/cl/wire_geometry.h"
#include "tornel/compiler/post_functions.h"
#include "tornel/kinematics/angle_solution.h"

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

// The last feed per minute (6) or per revolution (7): inverse-time motions
// return to it.
struct FeedState {
  bool set = false;
  int32_t type = 6;  // siFeedType
  double code = 0;   // srcFeedType
  double feed = 0;   // srFeed
};

// How the current arc motion reaches the post: as one motion, as arc
// pieces cut at `cuts`, or as straight chords.
struct ArcPlan {
  enum Kind { kWhole, kPieces, kLines, kClChords };
  Kind kind = kWhole;
  ArcPath path;             // the whole arc in output coordinates
  bool ccw = true;          // the sense of the plane angles
  double start_angle = 0;   // srStartAng of the whole arc
  double helic_dist = 0;    // srHelicDist of the whole arc
  double end_before = 0;    // srEndAng and srDirAng of the motion before
  double dir_before = 0;
  int chain_label = kNoFunction;  // the motion chain's function for the arc
  bool keep_first = false;  // the first piece keeps the record's CompMove
  std::vector<double> cuts;  // signed angle offsets from the start
  ArcPath cl_path;           // kClChords: the arc in part (_CL) coordinates
};

// A line move whose tool axis turns, divided into `steps` moves (none
// below 2): from the _CL point and axis before it to those of the record.
struct DividedMove {
  int steps = 0;
  double from[6] = {};
  double to[6] = {};
};

// A lathe roughing cycle from its CYCLE record to its contour and the
// finishing pass that may follow.
struct RoughState {
  // 0 none; 1 or 2 (siRoughType) while the cycle is defined; 166 while a
  // finishing contour may follow.
  int32_t state = 0;
  int post_function = kPfNone;  // RoughTurn or RoughFace
  bool contour_open = false;    // between SHAPE/START and SHAPE/END
  double start[3] = {};         // the output position at SPRPAS
};
inline constexpr int32_t kRoughFinishingMayFollow = 166;

// Wire EDM: the upper guide from one motion to the next, and the motions
// of both guides in the record being dispatched.
struct WireState {
  bool flag = false;  // first pass: a WIRE record with FLOOD, THREAD or CUT was met
  bool upper_known = false;
  Point2 upper;                    // the upper guide after the last motion
  double uv_in[3] = {0, 0, 0};     // the last UV GOTO point as its file gave it
  // The record being dispatched.
  bool motion = false;     // it had a wire step
  bool linearise = false;  // both motions go out as lines together
  GuideMotion lower, upper_motion;
};

// A NURBS curve from its NCRV record: the control points it announced and
// those given so far.
struct NurbsCount {
  bool open = false;
  int32_t expected = 0;
  int32_t given = 0;
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
  FeedState feed_state;
  // What the last feed and time computation added to srMoveLenOper and
  // srMoveTimeOper.
  double oper_len_added = 0;
  double oper_time_added = 0;
  // The radius of the feed factor in turning: the Y of the _In points
  // before and after the last motion, and the start of an arc (its point
  // and srK_In).
  double in_x_before = 0, in_y_before = 0, in_x_after = 0, in_y_after = 0;
  double arc_start_in[3] = {0, 0, 0};
  double arc_start_k = 0;
  // A drill cycle outputs its rapid motion as a feed motion: no speed
  // factor then.
  bool cycle_rapid_as_feed = false;
  CycleState cycle;
  bool thread_passes_running = false;  // ThreadLC runs for a pass of a thread
  RoughState rough;
  WireState wire;
  NurbsCount nurbs;
  ArcPlan arc;
  DividedMove divided;
  // The angles the limit warning reported last (second pass).
  LimitMemory limit_memory;
  // The position and direction the first pass started from, where the
  // second starts too.
  MotionStart motion_start;

  // The record being dispatched.
  bool event = false;            // the record causes a motion event
  int main_label = kNoFunction;  // label of its main post function

  // From their record to the next motion event.
  bool tool_change_event = false;  // a tool change waits for its motion
  int pending_tool_change = 0;     // post function number, 0: none
  bool pending_oper_start = false;
};

}  // namespace tornel
