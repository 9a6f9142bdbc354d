// Default values of the system variables and the late defaults of the modal
// codes that the post file leaves unset.
#pragma once

#include "tornel/sysvars/value_tables.h"

namespace tornel {

// The value of a code constant (srcHelicCw ...) that the post file has not
// set; it takes its parent code's value once MAIN has run.
inline constexpr double kUnsetCode = -99999999.0;

// Sets the defaults before a processing pass.  The machine state (tool
// change, cycle, compensation, types, spindle, orientation matrices) is
// reset before every pass; the output switches, formats, axis settings,
// accuracies and code constants only before the first, so what the post
// changed in them during the first pass stays in force for the second.
// `companion_file` is the -x switch.  The tables must be allocated.  Each
// variable's default and pass are in its row of system_variables.def.
void ApplyDefaults(ValueTables& values, bool first_pass, bool companion_file);

// Gives every code that still holds kUnsetCode the value of its parent:
// helical arcs take the arc codes, the coolant kinds coolant on and off,
// rigid tapping the tapping codes.  Called each time MAIN has run.
void ResolveUnsetCodes(ValueTables& values);

}  // namespace tornel
