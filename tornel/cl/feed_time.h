// Feed, speed and time of a record in the second pass: the modal code
// constants, the feed per minute and per revolution (or inverse time), the
// move time with the operation totals, and the spindle speed that constant
// surface speed and the speed limits give.
#pragma once

#include "tornel/cl/dispatch_state.h"
#include "tornel/sysvars/value_tables.h"

namespace tornel {

// The feed factor of a motion event from the spindle speed: sets srRPM,
// srSpeed and srSS and gives the ratio of the limited to the programmed
// speed (1 when nothing limits it, under constant surface speed, and while
// a cycle's rapid motion is output as a feed motion).
double SpeedFactor(ValueTables& v, const DispatchState& d);

// Everything above for the current record (or arc piece or segment); a
// motion event's feed per minute is scaled by SpeedFactor.  Outside a
// cycle the move length and time are added to srMoveLenOper and
// srMoveTimeOper.
void ComputeFeedAndTime(ValueTables& v, DispatchState& d, bool motion_event);

// Takes back what the last ComputeFeedAndTime added to the operation
// totals, when a motion is output in pieces that add their own.
void WithdrawOperationTotals(ValueTables& v, DispatchState& d);

}  // namespace tornel
