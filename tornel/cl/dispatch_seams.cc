// Branches of the dispatcher whose processing is not built yet: drill and
// lathe cycles, lathe contours and threading, wire EDM, NURBS and the
// multi-axis solution.  Cycle and threading records still get their record
// kind, so posts and the look-ahead see the same codes as they will later;
// otherwise each leaves the record as its record variables loaded it.
#include "tornel/cl/dispatch_parts.h"
#include "tornel/cl/record_kinds.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {

void DispatchNurbs(RunContext&, const RecordWords&) {}
void DispatchCycle(RunContext& ctx, const RecordWords& w) {
  bool roughing = w.Is(1, "TURN") || w.Is(1, "FACE");
  ctx.values.ints[kSiRecType] = roughing ? kKindRoughing : kKindCycle;
}
void DispatchShape(RunContext&, const RecordWords&) {}
void DispatchLatheSet(RunContext&, const RecordWords&) {}
void DispatchThread(RunContext& ctx, const RecordWords&) {
  ctx.values.ints[kSiRecType] = kKindThread;
}
void DispatchWire(RunContext&, const RecordWords&) {}
void SolveMultiAxis(RunContext&) {}

// Without rotary or tilt axes the work plane needs no angles and the
// machine does not turn the work coordinate offsets.
void SolveWorkPlaneAngles(RunContext& ctx) {
  ctx.values.reals[kSrWCoordRot] = 0;
  ctx.values.reals[kSrWCoordTilt] = 0;
}
void RotateByMachine(const RunContext&, double[3]) {}
void ProcessCyclePoint(RunContext&) {}

}  // namespace tornel
