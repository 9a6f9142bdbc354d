// What the records after the current one will bring: the scan that fills
// the _Next variables in the second pass.
#pragma once

#include "tornel/cl/cl_codes.h"
#include "tornel/cl/cl_reader_state.h"
#include "tornel/cl/frames.h"
#include "tornel/sysvars/value_tables.h"

namespace tornel {

// Scans up to 39 ring slots after `from` in file order and sets
// siMoveType_Next, siSubType_Next, siRecType_Next, the next point and axis
// (_In_Next, _CL_Next), siLastPoint and the tool-cancel look-ahead.  Gives
// the look-ahead record, or null when no record follows.
const RecordSlot* LookAheadScan(ClReader& r, ValueTables& v, int from);

}  // namespace tornel
