#include "tornel/cl/dispatch.h"

#include <algorithm>

#include "tornel/cl/arcs.h"
#include "tornel/cl/cl_context.h"
#include "tornel/cl/cl_record.h"
#include "tornel/cl/dispatch_parts.h"
#include "tornel/cl/feed_time.h"
#include "tornel/cl/move_values.h"
#include "tornel/cl/record_kinds.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {

RecordWords::RecordWords(const ValueTables& values)
    : size(std::clamp<int32_t>(values.ints[kSiRecSize], 0, kRecordWordLimit)), v(values) {}

bool RecordWords::IsNumber(int k) const {
  return k < size && v.ints[kSiWordType + k] == kWordNumber;
}

bool RecordWords::IsString(int k) const {
  return k < size && v.ints[kSiWordType + k] == kWordString;
}

double RecordWords::Number(int k) const { return k < size ? v.reals[kSrWordVal + k] : 0.0; }

const std::string& RecordWords::Str(int k) const {
  static const std::string kEmpty;
  return k < size ? v.strings[kSsWordStr + k] : kEmpty;
}

bool RecordWords::Is(int k, std::string_view upper_keyword) const {
  return k < size && WordIs(Str(k), upper_keyword);
}

bool CallPost(ClContext& ctx, int number) {
  if (!ctx.cl.second_pass || !IsDefined(ctx.calls.table, number)) return false;
  RunPostFunction(ctx.calls, number);
  return true;
}

void CallLabel(ClContext& ctx, int label) {
  if (ctx.cl.second_pass && label != kNoFunction) RunLabel(ctx.calls, label);
}

int LabelOr(const ClContext& ctx, int number, int fallback) {
  const PostFunctionTable& t = ctx.calls.table;
  return IsDefined(t, number) ? t[number] : t[fallback];
}

bool CancelTool(ClContext& ctx) {
  bool ran = CallPost(ctx, kPfToolCancel);
  ctx.values.ints[kSiToolCancelAct] = 0;
  ctx.cl.tools.cancel_pending = false;
  ctx.cl.tools.active = false;
  return ran;
}

namespace {

int PassNumber(const ClContext& ctx) { return ctx.cl.second_pass ? 2 : 1; }

// A new pass starts with the dispatcher's own state fresh and no comments
// collected (those of the first pass are never output); the second pass
// works in post units from its first record on.  Its motions start from
// the position the first pass started from, not from the end of the file.
void StartPass(ClContext& ctx) {
  DispatchState& d = ctx.cl.dispatch;
  MotionStart start = ctx.cl.second_pass ? d.motion_start : CaptureMotionStart(ctx.values);
  if (ctx.cl.second_pass) RestoreMotionStart(ctx.values, start);
  d = DispatchState{};
  d.motion_start = start;
  d.pass = PassNumber(ctx);
  ctx.values.ints[kSiComments] = 0;
  if (ctx.cl.second_pass) ApplyUnitsRule(ctx);
}

// Motion and program structure.
void FirstChain(ClContext& ctx, const RecordWords& w) {
  std::vector<int32_t>& ints = ctx.values.ints;
  if (w.Is(0, "GOTO")) {
    DispatchGoto(ctx, w);
  } else if (w.Is(0, "CIRCLE")) {
    DispatchCircle(ctx, w);
  } else if (w.Is(0, "RAPID")) {
    ints[kSiMoveType] = kKindRapid;
  } else if (w.Is(0, "NCRV") || w.Is(0, "CTRLPT") || w.Is(0, "KNOT")) {
    DispatchNurbs(ctx, w);
  } else if (w.Is(0, "COOLNT")) {
    DispatchCoolant(ctx, w);
  } else if (w.Is(0, "CYCLE")) {
    DispatchCycle(ctx, w);
  } else if (w.Is(0, "SHAPE")) {
    DispatchShape(ctx, w);
  } else if (w.Is(0, "SET")) {
    DispatchLatheSet(ctx, w);
  } else if (w.Is(0, "THRDSQ")) {
    DispatchThread(ctx, w);
  } else if (w.Is(0, "END")) {
    DispatchEnd(ctx);
  } else if (w.Is(0, "DISPLY")) {
    DispatchDisplay(ctx, w);
  } else if (w.Is(0, "MODE")) {
    DispatchMode(ctx, w);
  } else if (!w.Str(0).empty() && w.Str(0)[0] == ':') {
    DispatchNcString(ctx, w);
  }
}

// State records.
void SecondChain(ClContext& ctx, const RecordWords& w) {
  if (w.Is(0, "PPRINT")) {
    DispatchPprint(ctx, w);
  } else if (w.Is(0, "REMARK")) {
    DispatchRemark(ctx, w);
  } else if (w.Is(0, "PARTNO")) {
    DispatchPartNo(ctx, w);
  } else if (w.Is(0, "LOADTL")) {
    DispatchLoadTool(ctx, w);
  } else if (w.Is(0, "TURRET")) {
    DispatchTurret(ctx, w);
  } else if (w.Is(0, "CUTTER")) {
    DispatchCutter(ctx, w);
  } else if (w.Is(0, "CUTCOM")) {
    DispatchCutcom(ctx, w);
  } else if (w.Is(0, "SPINDL")) {
    DispatchSpindle(ctx, w);
  } else if (w.Is(0, "FEDRAT")) {
    bool wanted = ctx.cl.second_pass || ctx.cl.dispatch.collect_feed;
    if (wanted && ctx.values.ints[kSiOperType] != 4) DispatchFeed(ctx, w);
  } else if (w.Is(0, "CYCLE")) {
    CollectCycleFeed(ctx, w);
  } else if (w.Is(0, "THRDSQ")) {
    CollectThreadFeed(ctx, w);
  } else if (w.Is(0, "SET")) {
    DispatchSet(ctx, w);
  } else if (w.Is(0, "UNITS")) {
    DispatchUnits(ctx, w);
  } else if (w.Is(0, "OPERTN")) {
    DispatchOperation(ctx, w);
  } else if (w.Is(0, "MCS")) {
    DispatchMcs(ctx, w);
  } else if (w.Is(0, "SELECT")) {
    DispatchSelect(ctx, w);
  } else if (w.Is(0, "OPSTOP")) {
    DispatchStop(ctx, true);
  } else if (w.Is(0, "STOP")) {
    DispatchStop(ctx, false);
  } else if (w.Is(0, "WIRE")) {
    DispatchWire(ctx, w);
  }
}

}  // namespace

// Records reach this point in file order with their record variables set
// and OnAPT past.  The first chain handles motion and program structure,
// the second the machine state; then the tool change, the motion event and
// the record's main post function follow.
void DispatchRecord(ClContext& ctx, int slot) {
  (void)slot;  // the record is read from the record variables
  DispatchState& d = ctx.cl.dispatch;
  if (d.pass != PassNumber(ctx)) StartPass(ctx);
  d.event = false;
  d.main_label = kNoFunction;
  d.arc.kind = ArcPlan::kWhole;

  RecordWords w(ctx.values);
  if (w.size == 0) return;
  FirstChain(ctx, w);
  SecondChain(ctx, w);

  std::vector<int32_t>& ints = ctx.values.ints;
  if (ints[kSiRecType] == kKindFeed && d.collect_feed) CollectToolFeed(ctx);
  if (ints[kSiRecType] == kKindToolChange) ChangeTool(ctx);
  // A record that named no kind of its own takes its motion's kind, so a
  // post can compare siRecType with the post function the record leads to.
  if (ints[kSiRecType] == 0) ints[kSiRecType] = ints[kSiSubType];
  if (ints[kSiRecType] == 0) ints[kSiRecType] = ints[kSiMoveType];
  if (ctx.cl.second_pass) ComputeFeedAndTime(ctx, d.event);
  if (d.event && ctx.cl.second_pass) RunMotionEvent(ctx);
  CallMainMotion(ctx);
  if (d.event) EndMotionEvent(ctx);
}

}  // namespace tornel
