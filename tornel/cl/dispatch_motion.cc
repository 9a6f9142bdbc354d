// GOTO records and the motion event: the position through the input and
// output frames, the post function calls in their fixed order, and the
// call of the record's main motion function.
#include "tornel/cl/arcs.h"
#include "tornel/cl/cl_codes.h"
#include "tornel/cl/dispatch_parts.h"
#include "tornel/cl/frames.h"
#include "tornel/cl/lathe_rough.h"
#include "tornel/cl/lookahead.h"
#include "tornel/cl/move_values.h"
#include "tornel/cl/position_slots.h"
#include "tornel/cl/multi_axis.h"
#include "tornel/cl/wire_edm.h"
#include "tornel/output/comments.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {

namespace {


int MainMotionLabel(const ClContext& ctx, int32_t move_type) {
  switch (move_type) {
    case kKindRapid:
      return ctx.move_handlers.rapid;
    case kKindGoto:
      return ctx.move_handlers.line;
    case kKindCircle:
      return ctx.move_handlers.arc;
    default:
      return ctx.calls.table[kPfMove];
  }
}

// The output values of a machine without rotary or tilt axes: the _CL
// point and tool axis through the output frame (radx/diamx).
void SolveLinearAxes(ValueTables& v) {
  std::vector<double>& r = v.reals;
  for (int i = 0; i < 6; ++i) r[kPosOutPrev[i]] = r[kPosOut[i]];
  for (int part = 0; part < 6; part += 3) {
    bool point = part == 0;
    double cl[3] = {r[kPosCl[part]], r[kPosCl[part + 1]], r[kPosCl[part + 2]]};
    double next[3] = {r[kPosClNext[part]], r[kPosClNext[part + 1]], r[kPosClNext[part + 2]]};
    double out[3];
    double out_next[3];
    OutputTransform(v, cl, point, out);
    OutputTransform(v, next, point, out_next);
    for (int i = 0; i < 3; ++i) {
      r[kPosOut[part + i]] = out[i];
      r[kPosOutNext[part + i]] = out_next[i];
    }
  }
}

// The comments PPRINT collected since the last motion event.
void OutputComments(ClContext& ctx) {
  std::vector<int32_t>& ints = ctx.values.ints;
  int32_t n = std::min<int32_t>(ints[kSiComments], 100);
  if (IsDefined(ctx.calls, kPfComments)) {
    if (n >= 1) CallPost(ctx, kPfComments);
  } else if (ints[kSiCommentOn] != 0) {
    for (int32_t k = 0; k < n; ++k) {
      OutputCommentLine(ctx.nc, PendingCommentText(ctx.nc.output, ctx.values, k));
    }
  }
  ints[kSiComments] = 0;
}

// CutDataChange when the cutting data changed since the last check.
void CheckCutData(ClContext& ctx, bool tool_change_pending) {
  std::vector<int32_t>& ints = ctx.values.ints;
  std::vector<double>& reals = ctx.values.reals;
  if (ints[kSiOperAct] != 1 && reals[kSrSpeed] == reals[kSrSpeed_Prev]) return;
  static constexpr int kInts[][2] = {{kSiFeedType, kSiFeedType_Prev},
                                     {kSiSpeedType, kSiSpeedType_Prev},
                                     {kSiSpDir, kSiSpDir_Prev},
                                     {kSiCool, kSiCool_Prev}};
  static constexpr int kReals[][2] = {
      {kSrSpeed, kSrSpeed_Prev},       {kSrSpeedRange, kSrSpeedRange_Prev},
      {kSrMaxRPM, kSrMaxRPM_Prev},     {kSrToolLen, kSrToolLen_Prev},
      {kSrToolRad, kSrToolRad_Prev},   {kSrToolCrn, kSrToolCrn_Prev},
      {kSrToolX, kSrToolX_Prev},       {kSrToolY, kSrToolY_Prev},
      {kSrLenComp, kSrLenComp_Prev},   {kSrRadComp, kSrRadComp_Prev},
      {kSrWCoord, kSrWCoord_Prev}};
  bool changed = false;
  for (const auto& [cur, prev] : kInts) changed |= ints[cur] != ints[prev];
  for (const auto& [cur, prev] : kReals) changed |= reals[cur] != reals[prev];
  if (changed && !tool_change_pending) CallPost(ctx, kPfCutDataChange);
  for (const auto& [cur, prev] : kInts) ints[prev] = ints[cur];
  for (const auto& [cur, prev] : kReals) reals[prev] = reals[cur];
}

}  // namespace

void DispatchGoto(ClContext& ctx, const RecordWords& w) {
  std::vector<int32_t>& ints = ctx.values.ints;
  std::vector<double>& reals = ctx.values.reals;
  DispatchState& d = ctx.cl.dispatch;
  int32_t& move = ints[kSiMoveType];
  if (move == 0 && ints[kSiOperType] == kOperTypeThreadCycle) return;

  d.event = true;
  if (move == 0) move = kKindGoto;
  d.main_label = MainMotionLabel(ctx, move);

  if (ints[kSiCompDir] != d.comp_dir) {
    if (IsDefined(ctx.calls, kPfCompMove)) {
      d.main_label = ctx.calls.table[kPfCompMove];
      ints[kSiForceMove] = 1;
    }
    d.comp_dir = ints[kSiCompDir];
  }

  if (move != kKindRapid && ints[kSiCutAct] == 0) {
    CallPost(ctx, kPfCutStart);
    ints[kSiCutAct] = 1;
    if (ints[kSiRegChAct] == 1) CallPost(ctx, kPfWireRegChange);
    ints[kSiRegChAct] = 0;
  } else if (move == kKindRapid && ints[kSiCutAct] == 1) {
    CallPost(ctx, kPfCutEnd);
    ints[kSiCutAct] = 0;
  }

  for (int i = 0; i < 6; ++i) {
    reals[kPosInPrev[i]] = reals[kPosIn[i]];
    reals[kPosClPrev[i]] = reals[kPosCl[i]];
  }
  double p[3];
  for (int i = 0; i < 3; ++i) p[i] = w.NumberOr(1 + i, reals[kPosIn[i]]);
  double out[3];
  InputTransform(ctx.values, p, true, out);
  for (int i = 0; i < 3; ++i) {
    reals[kPosIn[i]] = p[i];
    reals[kPosCl[i]] = out[i];
  }
  if (w.size >= 5) {
    double a[3];
    for (int i = 0; i < 3; ++i) a[i] = w.NumberOr(4 + i, reals[kPosIn[3 + i]]);
    if (ints[kSiMillTurn] == 1 && ints[kSiCycleAct] == 1) {
      a[0] = ints[kSiSpindle] == kSubSpindle ? -1 : 1;
      a[1] = 0;
      a[2] = 0;
    }
    InputTransform(ctx.values, a, false, out);
    for (int i = 0; i < 3; ++i) {
      reals[kPosIn[3 + i]] = a[i];
      reals[kPosCl[3 + i]] = out[i];
    }
  }
  for (int i = 0; i < 6; ++i) {
    reals[kPosInInc[i]] = reals[kPosIn[i]] - reals[kPosInPrev[i]];
    reals[kPosClInc[i]] = reals[kPosCl[i]] - reals[kPosClPrev[i]];
  }
  d.in_x_before = reals[kSrX_In_Prev];
  d.in_y_before = reals[kSrY_In_Prev];
  d.in_x_after = reals[kSrX_In];
  d.in_y_after = reals[kSrY_In];
  // The approach motions of a roughing definition are not output.
  if (!RoughingLetsGotoThrough(ctx)) {
    d.event = false;
    d.main_label = kNoFunction;
  }

  ints[kSiRotPolarAct] = 0;
  SolveLinearAxes(ctx.values);
  SolveMultiAxis(ctx);
  ComputeMoveValues(ctx.values, d.tol.nc, move == kKindCircle);
  if (move == kKindCircle) {
    ProcessArc(ctx.values, d, ctx.move_handlers);
    PlanArcOnRotaryMachine(ctx);
  }
  if (ints[kSiEdmPost] == 1) WireStep(ctx);

  if (d.tool_change_event || ints[kSiOperAct] == 1) d.event = true;
  if (!d.event) move = 0;
}

void RunMotionEvent(ClContext& ctx) {
  std::vector<int32_t>& ints = ctx.values.ints;
  DispatchState& d = ctx.cl.dispatch;
  bool tool_change_pending = d.pending_tool_change != 0;
  if (ints[kSiMoveType] == kKindRapid && ints[kSiSubType] == kSubTypeRotary &&
      ints[kSiOperMode] != kOperModeMultiAxis && !tool_change_pending) {
    ints[kSiIndexMoveAct] = 1;
  }
  if (d.pending_oper_start) CallPost(ctx, kPfOperStart);
  if (tool_change_pending && CallPost(ctx, d.pending_tool_change)) d.main_label = kNoFunction;
  OutputComments(ctx);
  CheckCutData(ctx, tool_change_pending);
  if (ints[kSiInc] != d.inc_at_event) CallPost(ctx, kPfAbsIncChange);
  if (ints[kSiArcPlane] != kPlaneNone && ints[kSiArcPlane] != d.plane_at_event)
    CallPost(ctx, kPfArcPlane);
  if (ints[kSiReposRotAct] == 1) {
    int wanted = ints[kSiMoveType] == kKindRapid ? kPfReposRotRapid : kPfReposRotFeed;
    CallPost(ctx, ResolvedPostFunction(ctx.calls.table, wanted));
  }
  if (ints[kSiHalfRotAct] == 1) CallPost(ctx, kPfHalfRot);
  if (ints[kSiRotLimitPassAct] == 1) CallPost(ctx, kPfRotLimitPass);
  if (ints[kSiCycleAct] == 1) {
    d.main_label = kNoFunction;
    ProcessCyclePoint(ctx);
  } else if (ctx.cl.tools.cancel_pending) {
    if (CancelTool(ctx, CancelAct::kKeep)) d.main_label = kNoFunction;
  }
  // The index move replaces the motion only where the post has one: a
  // post without IndexMove still gets its rapid move.
  if (ints[kSiIndexMoveAct] == 1 && CallPost(ctx, kPfIndexMove)) d.main_label = kNoFunction;
}

void EndMotionEvent(ValueTables& v, ClReader& r) {
  std::vector<int32_t>& ints = v.ints;
  DispatchState& d = r.dispatch;
  if (ints[kSiCycleAct] == 1) ints[kSiMoveType] = kKindRapid;
  const int32_t move_after = ints[kSiMoveType] == kKindRapid && ints[kSiCycleAct] == 1 ? kKindRapid : 0;
  ints[kSiForceMove] = 0;
  r.first_move = 0;
  r.init_move = 0;
  d.inc_at_event = ints[kSiInc];
  d.plane_at_event = ints[kSiArcPlane];
  ints[kSiMoveType_Prev] = ints[kSiMoveType];
  ints[kSiSubType_Prev] = ints[kSiSubType];
  v.reals[kSrFeed_Prev] = v.reals[kSrFeed];
  // While a cycle is active every motion is a hole, reached as a rapid
  // motion: the next GOTO is one too.
  ints[kSiMoveType] = move_after;
  ints[kSiSubType] = 0;
  ints[kSiMoveType2] = 3;
  d.tool_change_event = false;
  d.pending_tool_change = 0;
  d.pending_oper_start = false;
  for (int flag : {kSiToolChAct, kSiToolCancelAct, kSiOperAct, kSiIndexMoveAct, kSiReposRotAct,
                   kSiHalfRotAct, kSiRotLimitPassAct}) {
    ints[flag] = 0;
  }
}

void CallMainMotion(ClContext& ctx) {
  DispatchState& d = ctx.cl.dispatch;
  if (d.wire.linearise && d.main_label != kNoFunction && ctx.cl.second_pass) {
    RunWireSegments(ctx);
    return;
  }
  if (d.divided.steps > 1 && d.main_label != kNoFunction && ctx.cl.second_pass) {
    RunDividedMove(ctx);
    return;
  }
  if (d.arc.kind == ArcPlan::kWhole || d.main_label == kNoFunction || !ctx.cl.second_pass) {
    CallLabel(ctx, d.main_label);
    return;
  }
  if (d.arc.kind == ArcPlan::kClChords) {
    RunClChords(ctx);
    return;
  }
  if (d.arc.kind == ArcPlan::kPieces) {
    RunArcPieces(ctx);
    return;
  }
  RunArcChords(ctx);
}

}  // namespace tornel
