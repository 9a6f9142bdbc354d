// NURBS records: a spline's header (NCRV), its control points (CTRLPT) and
// knots (KNOT), handed to the post point by point.  They move no tool: the
// GOTO records after them carry the approximating motion.  The values are
// those of the CL file, no frame applied.
#include <cstdint>

#include "tornel/cl/cl_reader.h"
#include "tornel/cl/dispatch_parts.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {

namespace {

[[noreturn]] void FatalCount(ClContext& ctx, const char* message) {
  FatalInRecord(ctx, message, ctx.values.ints[kSiRec]);
}

}  // namespace

// A curve's control points must be as many as its NCRV record gave: a
// spline block written from fewer or more is no curve a control can run.
void EndNurbsCurve(ClContext& ctx) {
  NurbsCount& n = ctx.cl.dispatch.nurbs;
  if (n.open && n.given < n.expected) FatalCount(ctx, kMsgNurbsFewerPoints);
  n.open = false;
}

void DispatchNurbs(ClContext& ctx, const RecordWords& w) {
  std::vector<int32_t>& ints = ctx.values.ints;
  std::vector<double>& r = ctx.values.reals;
  NurbsCount& count = ctx.cl.dispatch.nurbs;
  if (w.Is(0, "NCRV")) {
    EndNurbsCurve(ctx);
    ints[kSiNRank] = w.IntegerOr(1, 0);
    ints[kSiNPoints] = w.IntegerOr(2, 0);
    r[kSrNKnotFirst] = w.NumberOr(3, 0);
    r[kSrNKnotLast] = w.NumberOr(4, 0);
    ints[kSiNPoint] = 0;
    count = {true, ints[kSiNPoints], 0};
    CallPost(ctx, kPfNurbsInit);
  } else if (w.Is(0, "CTRLPT")) {
    if (count.open && count.given >= count.expected) FatalCount(ctx, kMsgNurbsMorePoints);
    if (count.open) ++count.given;
    r[kSrNKnot] = w.NumberOr(1, 0);
    r[kSrNX] = w.NumberOr(2, 0);
    r[kSrNY] = w.NumberOr(3, 0);
    r[kSrNZ] = w.NumberOr(4, 0);
    r[kSrNWeight] = w.NumberOr(5, 0);
    if (ints[kSiNPoint] < INT32_MAX) ints[kSiNPoint] += 1;
    bool first = ints[kSiNPoint] == 1 && IsDefined(ctx.calls, kPfNurbsFstPoint);
    CallPost(ctx, first ? kPfNurbsFstPoint : kPfNurbsPoint);
  } else if (w.Is(0, "KNOT")) {
    r[kSrNKnot] = w.NumberOr(1, 0);
    CallPost(ctx, kPfNurbsKnot);
  }
}

}  // namespace tornel
