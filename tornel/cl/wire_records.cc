// The wire state records of wire EDM: SET with POWER, THICK, TAPER, SPARK
// or WIRE, and WIRE with FLOOD, THREAD, CUT or SUB.
#include "tornel/cl/cl_codes.h"
#include "tornel/cl/dispatch_parts.h"
#include "tornel/cl/wire_edm.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {

namespace {

void SetIfNumber(std::vector<double>& reals, int slot, const RecordWords& w, int k) {
  reals[slot] = w.NumberOr(k, reals[slot]);
}

void WireSetting(ClContext& ctx, const RecordWords& w) {
  std::vector<int32_t>& ints = ctx.values.ints;
  std::vector<double>& reals = ctx.values.reals;
  if (w.Is(1, "POWER")) {
    SetIfNumber(reals, kSrInitPower, w, 2);
    SetIfNumber(reals, kSrPower, w, 3);
    ints[kSiRegChAct] = 1;  // for the next CutStart
  } else if (w.Is(1, "THICK")) {
    SetIfNumber(reals, kSrPartThick, w, 2);
    SetIfNumber(reals, kSrUpGuide, w, 3);
    SetIfNumber(reals, kSrLowGuide, w, 4);
  } else if (w.Is(1, "TAPER")) {
    SetIfNumber(reals, kSrWireAng, w, 2);
  } else if (w.Is(1, "SPARK")) {
    SetIfNumber(reals, kSrSparkGap, w, 2);
  } else if (w.Is(1, "WIRE")) {
    ints[kSiWireFeed] = w.IntegerOr(2, ints[kSiWireFeed]);
  }
}

void WireRecord(ClContext& ctx, const RecordWords& w) {
  std::vector<int32_t>& ints = ctx.values.ints;
  std::vector<double>& reals = ctx.values.reals;
  bool& flag = ctx.cl.dispatch.wire.flag;
  if (w.Is(1, "FLOOD")) {
    ints[kSiWireFlood] = w.IntegerOr(2, ints[kSiWireFlood]);
    flag = true;
  } else if (w.Is(1, "THREAD")) {
    ints[kSiWireThread] = 1;
    reals[kSrcWire] = reals[kSrcWireThread];
    flag = true;
    CallPost(ctx, kPfWireThread);
  } else if (w.Is(1, "CUT")) {
    ints[kSiWireThread] = 0;
    reals[kSrcWire] = reals[kSrcWireCut];
    flag = true;
    CallPost(ctx, kPfWireCut);
  } else if (w.Is(1, "SUB")) {
    ints[kSiSubmerge] = 1;
  }
}

}  // namespace

bool WireRecordsOpen(const ClContext& ctx) {
  return ctx.cl.second_pass || !ctx.cl.dispatch.wire.flag;
}

void DispatchWire(ClContext& ctx, const RecordWords& w) {
  if (!WireRecordsOpen(ctx)) return;
  if (w.Is(0, "SET")) WireSetting(ctx, w);
  else WireRecord(ctx, w);
}

}  // namespace tornel
