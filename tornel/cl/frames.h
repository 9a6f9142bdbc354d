// The two coordinate frames of CL processing: the input frame takes APT-CL
// values into working (_CL) coordinates, the output frame takes working
// values to the values written (radx/diamx put 1 or 2 into its XI entry).
#pragma once

#include "tornel/sysvars/value_tables.h"

namespace tornel {

// The frame in srXT_In ... srZKT_In, rows X, Y, Z; a direction (`point`
// false) leaves out the translation.
void InputTransform(const ValueTables& v, const double in[3], bool point, double out[3]);

// The same with the frame in srXT_Out ... srZKT_Out.
void OutputTransform(const ValueTables& v, const double in[3], bool point, double out[3]);

// A CL value through both frames, as written (no rotary axis).
void InputToOutput(const ValueTables& v, const double in[3], bool point, double out[3]);
// The same for a point (or direction) of the lathe plane, X along the
// spindle and Y the radius, into the real slots sx, sy, sz.
void LathePlaneToOutput(ValueTables& v, double x, double y, bool point, int sx, int sy, int sz);

// The inverse of OutputTransform; false when the frame has none.
bool OutputUntransform(const ValueTables& v, const double out[3], bool point, double in[3]);

}  // namespace tornel
