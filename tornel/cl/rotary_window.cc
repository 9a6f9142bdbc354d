#include "tornel/cl/rotary_window.h"

#include <cstdio>

#include "platform/text_file.h"
#include "tornel/cl/frames.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {

namespace {

// Goes over the records of a stretch, solving each GOTO against the one
// before it.
struct StretchWalk {
  ClContext& ctx;
  const AxisConfig& c;
  WindowRange range;
  double rot, tilt;
  double axis[3];
  bool stopped = false;

  // False when the stretch ends at `q`.
  bool Visit(const RecordSlot& q) {
    switch (q.major) {
      case MajorWord::kGoto: {
        if (q.words >= 5) {
          double in[3];
          for (int i = 0; i < 3; ++i) in[i] = q.type[4 + i] == kWordNumber ? q.value[4 + i] : 0;
          InputTransform(ctx.values, in, false, axis);
        }
        AxisStepInput step_in;
        for (int i = 0; i < 3; ++i) step_in.axis[i] = axis[i];
        step_in.rot_prev = rot;
        step_in.tilt_prev = tilt;
        step_in.tilt_dir = ctx.values.reals[kSrTiltDir] < 0 ? -1 : 1;
        step_in.neutral = ctx.values.ints[kSiRotNeutrSol] != 0;
        step_in.neutral_angle = ctx.values.reals[kSrRotNeutrAng];
        AxisStep step;
        // A bad axis is reported when its own record comes.
        if (SolveAxisStep(c, step_in, step) != nullptr) return false;
        rot = step.rot;
        tilt = step.tilt;
        AddToWindow(range, rot, tilt, OtherTilt(c, tilt));
        return true;
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

WindowFit PlanRotaryWindow(ClContext& ctx, const AxisConfig& c, double rot, double tilt,
                           const double axis[3]) {
  ClReader& r = ctx.cl;
  StretchWalk walk{ctx, c, {}, rot, tilt, {axis[0], axis[1], axis[2]}};
  AddToWindow(walk.range, rot, tilt, OtherTilt(c, tilt));
  bool ring_ran_out = false;
  if (r.processing < kClRingSlots) {
    for (int k = 1; k <= kClLookAhead; ++k) {
      const RecordSlot& q = r.slots[(r.processing + k) % kClRingSlots];
      if (q.words == 0) {
        ring_ran_out = true;  // the end of the input is in the ring
        break;
      }
      if (!walk.Visit(q)) return FitWindow(c, walk.range);
    }
  } else {
    ring_ran_out = true;  // a record of AptCmd: no ring to look through
  }
  if (!ring_ran_out && !r.end && r.second_pass) WalkFile(walk);
  return FitWindow(c, walk.range);
}

}  // namespace tornel
