// The code constants that follow the machine state on every record: the
// motion code, arc plane, compensation, absolute/incremental, units,
// spindle direction, coolant and speed type (srcMove, srcArcPlane ...).
#pragma once

#include "tornel/sysvars/value_tables.h"

namespace tornel {

// srcCool for siCool 0-6 (off, on, mist, flood low/high, through low/high).
double CoolantCode(const ValueTables& v, int32_t cool);

// Sets every modal code constant from its state variable.  With
// siAutoRevDir and siRevPlane both 1 the arc directions (2/3) and the
// compensation sides (4/5) swap, for planes seen from their back.
void SetModalCodes(ValueTables& v);

}  // namespace tornel
