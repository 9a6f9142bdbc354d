// Branches of the dispatcher whose processing is not built yet: drill and
// lathe cycles, lathe contours and threading, wire EDM, NURBS, work
// coordinates (MCS) and the multi-axis solution.  Each
// leaves the record as its record variables loaded it.
#include "tornel/cl/dispatch_parts.h"

namespace tornel {

void DispatchCircle(RunContext&, const RecordWords&) {}
void DispatchNurbs(RunContext&, const RecordWords&) {}
void DispatchCycle(RunContext&, const RecordWords&) {}
void DispatchShape(RunContext&, const RecordWords&) {}
void DispatchLatheSet(RunContext&, const RecordWords&) {}
void DispatchThread(RunContext&, const RecordWords&) {}
void DispatchWire(RunContext&, const RecordWords&) {}
void DispatchMcs(RunContext&, const RecordWords&) {}
void SolveMultiAxis(RunContext&) {}
void ProcessCyclePoint(RunContext&) {}

}  // namespace tornel
