// Branches of the dispatcher whose processing is not built yet: lathe
// roughing cycles, lathe contours and threading, wire EDM and NURBS.
// Roughing cycle and threading records still get their record
// kind, so posts and the look-ahead see the same codes as they will later;
// otherwise each leaves the record as its record variables loaded it.
#include "tornel/cl/cl_codes.h"
#include "tornel/cl/dispatch_parts.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {

void DispatchNurbs(ClContext&, const RecordWords&) {}
void DispatchRoughing(ClContext& ctx, const RecordWords&) {
  ctx.values.ints[kSiRecType] = kKindRoughing;
}
void DispatchShape(ClContext&, const RecordWords&) {}
void DispatchLatheSet(ClContext&, const RecordWords&) {}
void DispatchWire(ClContext&, const RecordWords&) {}

}  // namespace tornel
