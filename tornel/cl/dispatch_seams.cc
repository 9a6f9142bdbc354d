// The branch of the dispatcher whose processing is not built yet: wire
// EDM.  It leaves the record as its record variables loaded it.
#include "tornel/cl/cl_codes.h"
#include "tornel/cl/dispatch_parts.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {

void DispatchWire(ClContext&, const RecordWords&) {}

}  // namespace tornel
