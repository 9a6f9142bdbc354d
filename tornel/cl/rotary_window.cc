#include "tornel/cl/rotary_window.h"

#include <cstdio>

#include "platform/text_file.h"
#include "tornel/cl/frames.h"
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
struct StretchWalk {
  ClContext& ctx;
  const AxisConfig& c;
  Chain now, other;
  double axis[3];

  // False when the stretch ends at `q`.
  bool Visit(const RecordSlot& q) {
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

// The records after those in the ring, from the working copy of the
// APT-CL file at the reader's position.
void WalkFile(StretchWalk& walk) {
  ClReader& r = walk.ctx.cl;
  std::FILE* f = platform::OpenBinary(kTempAptCopy, "r");
  if (!f || std::fseek(f, r.block.taken, SEEK_SET) != 0) {
    if (f) std::fclose(f);
    FatalPlain(walk.ctx.diag, kMsgWindowSeek, true);
  }
  InputBlock& block = r.window_block;
  ResetInputBlock(block, kTempAptCopy);
  InputPart part;
  RecordSlot slot;
  int32_t line = r.line_counter;
  while (ReadInputPart(walk.ctx.diag, f, block, nullptr, part)) {
    if (!part.new_line) continue;  // the rest of a line cut at its limit
    if (part.cut) break;           // a record too long: reported when it comes
    FeedResult result = AssembleLine(slot, part.text, ++line);
    if (result == FeedResult::kContinued || result == FeedResult::kNothing) continue;
    if (result != FeedResult::kRecord) break;
    bool goes_on = walk.Visit(slot);
    EmptySlot(slot);
    if (!goes_on) break;
  }
  std::fclose(f);
}

}  // namespace

StretchPlan PlanRotaryWindow(ClContext& ctx, const AxisConfig& c, const AxisStepInput& first) {
  ClReader& r = ctx.cl;
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
  StretchWalk walk{ctx, c, {first, &range.now}, {flipped, &range.other},
                   {first.axis[0], first.axis[1], first.axis[2]}};
  walk.now.in.rot_prev = plan.now.rot;
  walk.now.in.tilt_prev = plan.now.tilt;
  walk.other.in.rot_prev = plan.other.rot;
  walk.other.in.tilt_prev = plan.other.tilt;
  bool ring_ran_out = false;
  bool ended = false;
  if (r.processing < kClRingSlots) {
    for (int k = 1; k <= kClLookAhead && !ended; ++k) {
      const RecordSlot& q = r.slots[(r.processing + k) % kClRingSlots];
      if (q.words == 0) {
        ring_ran_out = true;  // the end of the input is in the ring
        break;
      }
      ended = !walk.Visit(q);
    }
  } else {
    ring_ran_out = true;  // a record of AptCmd: no ring to look through
  }
  if (!ended && !ring_ran_out && !r.end && r.second_pass) WalkFile(walk);
  plan.fit = FitWindow(c, range);
  return plan;
}

}  // namespace tornel
