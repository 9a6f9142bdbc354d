#include "tornel/cl/rotary_window.h"

#include "tornel/cl/frames.h"
#include "tornel/cl/read_ahead.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {

namespace {

// One solution family followed through a stretch.
struct Chain {
  AxisStepInput in;
  AngleRange* range;
  bool Add(const AxisConfig& c, const double axis[3]) {
    for (int i = 0; i < 3; ++i) in.axis[i] = axis[i];
    AxisStep step;
    // A bad axis is reported when its own record comes.
    if (SolveAxisStep(c, in, step) != nullptr) return false;
    in.rot_prev = step.rot;
    in.tilt_prev = step.tilt;
    AddToRange(*range, step.rot, step.tilt);
    return true;
  }
};

// Goes over the records of a stretch, solving each GOTO in both families.
struct StretchWalk : RecordVisitor {
  StretchWalk(ClContext& ctx, const AxisConfig& c, Chain now, Chain other, const double a[3])
      : ctx(ctx), c(c), now(now), other(other), axis{a[0], a[1], a[2]} {}
  ClContext& ctx;
  const AxisConfig& c;
  Chain now, other;
  double axis[3];

  // False when the stretch ends at `q`.
  bool Visit(const RecordSlot& q) override {
    switch (q.major) {
      case MajorWord::kGoto: {
        if (q.words >= 5) {
          double in[3];
          for (int i = 0; i < 3; ++i) in[i] = q.type[4 + i] == kWordNumber ? q.value[4 + i] : 0;
          InputTransform(ctx.values, in, false, axis);
        }
        return now.Add(c, axis) && other.Add(c, axis);
      }
      case MajorWord::kRapid:
      case MajorWord::kLoadTool:
      case MajorWord::kTurret:
      case MajorWord::kEnd:
        return false;
      default:
        return true;
    }
  }
};

}  // namespace

StretchPlan PlanRotaryWindow(ClContext& ctx, const AxisConfig& c, const AxisStepInput& first) {
  StretchPlan plan;
  WindowRange range;
  AxisStepInput flipped = first;
  flipped.tilt_dir = -first.tilt_dir;
  flipped.keep_family = true;
  if (SolveAxisStep(c, first, plan.now) != nullptr ||
      SolveAxisStep(c, flipped, plan.other) != nullptr)
    return plan;  // the move's own solution reports the axis
  flipped.keep_family = false;
  AddToRange(range.now, plan.now.rot, plan.now.tilt);
  AddToRange(range.other, plan.other.rot, plan.other.tilt);
  StretchWalk walk(ctx, c, {first, &range.now}, {flipped, &range.other}, first.axis);
  walk.now.in.rot_prev = plan.now.rot;
  walk.now.in.tilt_prev = plan.now.tilt;
  walk.other.in.rot_prev = plan.other.rot;
  walk.other.in.tilt_prev = plan.other.tilt;
  VisitRecordsAhead(ctx, walk, kMsgWindowSeek);
  plan.fit = FitWindow(c, range);
  return plan;
}

}  // namespace tornel
