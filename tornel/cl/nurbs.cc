// NURBS records: a spline's header (NCRV), its control points (CTRLPT) and
// knots (KNOT), handed to the post point by point.  They move no tool: the
// GOTO records after them carry the approximating motion.  The values are
// those of the CL file, no frame applied.
#include <cstdint>

#include "tornel/cl/dispatch_parts.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {

void DispatchNurbs(ClContext& ctx, const RecordWords& w) {
  std::vector<int32_t>& ints = ctx.values.ints;
  std::vector<double>& r = ctx.values.reals;
  if (w.Is(0, "NCRV")) {
    ints[kSiNRank] = w.IntegerOr(1, 0);
    ints[kSiNPoints] = w.IntegerOr(2, 0);
    r[kSrNKnotFirst] = w.NumberOr(3, 0);
    r[kSrNKnotLast] = w.NumberOr(4, 0);
    ints[kSiNPoint] = 0;
    CallPost(ctx, kPfNurbsInit);
  } else if (w.Is(0, "CTRLPT")) {
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
