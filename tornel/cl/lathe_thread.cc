// THRDSQ: the thread's minor words, its geometry in CL and output
// coordinates, and its passes.
#include "tornel/cl/lathe_thread.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tornel/cl/cl_codes.h"
#include "tornel/cl/cl_reader.h"
#include "tornel/cl/dispatch_parts.h"
#include "tornel/cl/frames.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {

namespace {

constexpr double kDeg = std::numbers::pi / 180;
// Angles beyond this count as none: no thread tapers or tips like that.
constexpr double kAngleLimit = 89;
// A pass that deepens the thread by less than this ends the passes.
constexpr double kEndStepMetric = 0.0001;
constexpr double kEndStepInch = 0.00001;

// The passes of the current thread: at its record (`record`: the times
// into the operation totals, ThreadLC with siThrCycleOn 0) or for
// LongCycle(20) (ThreadLC always).
void RunPasses(ClContext& ctx, bool record);

// The major diameter, the minor one and the length from the last THRDSQ
// record, which the passes need again.
struct ThreadRecord {
  double major = 0, minor = 0, length = 0, taper = 0;
};

void SetGeometry(ValueTables& v, const ThreadRecord& t) {
  std::vector<double>& r = v.reals;
  std::vector<int32_t>& ints = v.ints;
  const double dir = ints[kSiThrDir], side = ints[kSiThrSide];
  r[kSrThrXE_In] = r[kSrThrXS_In] + dir * t.length;
  r[kSrThrXI_In] = r[kSrThrXE_In] - r[kSrThrXS_In];
  r[kSrThrYI_In] = std::tan(t.taper * kDeg) * dir * side * r[kSrThrXI_In];
  r[kSrThrYS_In] = t.major / 2;
  r[kSrThrYE_In] = r[kSrThrYS_In] + r[kSrThrYI_In];
  r[kSrThrTaper] = -r[kSrThrYI_In];
  r[kSrEndAng] = std::atan2(r[kSrThrYI_In], r[kSrThrXI_In]) / kDeg;
  r[kSrIncAng] = t.taper * dir * side;
  r[kSrStartAng] = r[kSrEndAng] - r[kSrIncAng];
  r[kSrDepth] = std::fabs(t.major - t.minor) / 2;
  r[kSrDepthL] = r[kSrThrYS_In] - side * r[kSrDepth];
  r[kSrDepthSg] = -side * r[kSrDepth];
  r[kSrCut] = std::fabs(r[kSrCut]);
  r[kSrMinCut] = std::fabs(r[kSrMinCut]);
  r[kSrCutL] = r[kSrThrYS_In] - side * r[kSrCut];
  r[kSrCutSg] = -side * r[kSrCut];
  r[kSrRetr] = std::fabs(r[kSrRetr]);
  r[kSrRetrL] = r[kSrThrYS_In] + side * r[kSrRetr];
  r[kSrRetrSg] = side * r[kSrRetr];
  r[kSrThrTipAng] = std::fabs(r[kSrThrTipAng]);
}

// The start, end and travel of the thread (or of one pass) as written.
void SetOutput(ValueTables& v, double xs, double ys, double xe, double ye) {
  LathePlaneToOutput(v, xs, ys, true, kSrThrXS_Out, kSrThrYS_Out, kSrThrZS_Out);
  LathePlaneToOutput(v, xe, ye, true, kSrThrXE_Out, kSrThrYE_Out, kSrThrZE_Out);
  LathePlaneToOutput(v, xe - xs, ye - ys, false, kSrThrXI_Out, kSrThrYI_Out, kSrThrZI_Out);
}

}  // namespace

std::vector<double> ThreadPassDepths(double depth, double cut, double min_cut, bool constant_step,
                                     double end_step, bool& overflow) {
  overflow = false;
  std::vector<double> depths;
  double prev = 0;
  for (int n = 1;; ++n) {
    double d = constant_step ? n * cut : std::sqrt(static_cast<double>(n)) * cut;
    d = std::max(d, prev + min_cut);
    if (!(d - prev >= end_step)) break;  // NaN ends too
    d = std::min(d, depth);
    if (!(d > prev)) break;
    if (static_cast<int>(depths.size()) == kThreadPassLimit) {
      overflow = true;
      depths.clear();
      break;
    }
    depths.push_back(d);
    prev = d;
    if (!(d < depth)) break;
  }
  return depths;
}

void DispatchThread(ClContext& ctx, const RecordWords& w) {
  ValueTables& v = ctx.values;
  std::vector<int32_t>& ints = v.ints;
  std::vector<double>& r = v.reals;
  ints[kSiRecType] = kKindThread;
  ints[kSiThrDir] = -1;
  ints[kSiThrSide] = 1;
  ints[kSiFinCuts] = 1;
  ints[kSiCuts] = 1;
  ints[kSiCut] = 1;
  ints[kSiThrStarts] = 1;
  for (int slot : {kSrRetr, kSrRetrL, kSrDepth, kSrDepthL, kSrCut, kSrCutL, kSrCutD, kSrLead,
                   kSrThrTaper})
    r[slot] = 0;
  ThreadRecord t;
  for (int k = 1; k < w.size; ++k) {
    auto num = [&](int i) { return w.NumberOr(k + i, 0); };
    if (w.Is(k, "LEFT")) ints[kSiThrDir] = 1;
    else if (w.Is(k, "IN")) ints[kSiThrSide] = -1;
    else if (w.Is(k, "START")) {
      r[kSrThrXS_In] = num(1);
      ints[kSiThrStarts] = w.IntegerOr(k + 2, 0);
    } else if (w.Is(k, "LENGTH")) t.length = num(1);
    else if (w.Is(k, "DIAMTR")) {
      t.major = num(1);
      t.minor = num(2);
    } else if (w.Is(k, "TAPER")) {
      t.major = num(1);
      t.minor = num(2);
      t.taper = num(3);
    } else if (w.Is(k, "INCR")) {
      r[kSrCut] = num(1);
      r[kSrMinCut] = num(2);
      r[kSrThrTipAng] = num(3);
    } else if (w.Is(k, "ATANGL")) r[kSrThrTipAng] = num(1);
    else if (w.Is(k, "PULBAC")) r[kSrRetr] = num(1);
    else if (w.Is(k, "PITCH")) r[kSrLead] = num(1);
    else if (w.Is(k, "REPEAT")) ints[kSiFinCuts] = w.IntegerOr(k + 1, 0);
  }
  if (r[kSrLead] > 0) r[kSrLead] = 1 / r[kSrLead];
  if (!(std::fabs(t.taper) <= kAngleLimit)) t.taper = 0;
  if (!(std::fabs(r[kSrThrTipAng]) / 2 <= kAngleLimit)) r[kSrThrTipAng] = 0;
  SetGeometry(v, t);

  // The passes' count in both passes; their times and calls, and the
  // thread's own call, in the second.
  RunPasses(ctx, true);
  SetOutput(v, r[kSrThrXS_In], r[kSrThrYS_In], r[kSrThrXE_In], r[kSrThrYE_In]);
  if (ints[kSiThrCycleOn] == 1) {
    r[kSrcCycle] = r[kSrcThreadCyc];
    CallPost(ctx, kPfThread);
  }
  // The passes' lengths and times are in the totals already.
  r[kSrMoveLen] = 0;
}

void RunThreadPasses(ClContext& ctx) { RunPasses(ctx, false); }

namespace {

void RunPasses(ClContext& ctx, bool record) {
  ValueTables& v = ctx.values;
  std::vector<int32_t>& ints = v.ints;
  std::vector<double>& r = v.reals;
  DispatchState& d = ctx.cl.dispatch;
  if (d.thread_passes_running) return;
  d.thread_passes_running = true;
  bool overflow = false;
  const double end_step = ints[kSiMetric] == kUnitsMetric ? kEndStepMetric : kEndStepInch;
  std::vector<double> depths = ThreadPassDepths(r[kSrDepth], r[kSrCut], r[kSrMinCut],
                                                ints[kSiThrConstStep] == 1, end_step, overflow);
  if (overflow) {
    d.thread_passes_running = false;
    FatalInRecord(ctx, kMsgTooManyThreadPasses, ints[kSiRec]);
  }
  const double dir = ints[kSiThrDir], side = ints[kSiThrSide];
  const double flank = std::sin(r[kSrThrTipAng] / 2 * kDeg);
  const double xs = r[kSrThrXS_In], ys = r[kSrThrYS_In];
  const double xe = r[kSrThrXE_In], ye = r[kSrThrYE_In];
  const double len = std::hypot(r[kSrThrXI_In], r[kSrThrYI_In]);
  const double feed = r[kSrRPM] * r[kSrLead];
  for (size_t n = 0; n < depths.size(); ++n) {
    const double depth = depths[n];
    ints[kSiCut] = static_cast<int32_t>(n + 1);
    r[kSrCutD] = -side * depth;
    SetOutput(v, xs + depth * flank * dir, ys - side * depth, xe, ye - side * depth);
    r[kSrMoveLen] = len;
    r[kSrMoveTime] = feed > 0 ? len / feed : 0;
    if (record && ctx.cl.second_pass) {
      r[kSrMoveLenOper] += r[kSrMoveLen];
      r[kSrMoveTimeOper] += r[kSrMoveTime];
    }
    if (ints[kSiThrCycleOn] == 0 || !record) {
      r[kSrcCycle] = r[kSrcThreadCut];
      CallPost(ctx, kPfThreadLC);
    }
  }
  ints[kSiCuts] = static_cast<int32_t>(depths.size());
  d.thread_passes_running = false;
}

}  // namespace

}  // namespace tornel
