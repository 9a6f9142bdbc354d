// The matrix and vector procedures of the post language (MatrSet ...
// AngChkLim): they move values between the post's REAL variables and the
// kinematics' operations.  A matrix argument names the first of nine
// consecutive real slots (row by row, as srXIT_In ... srZKT_In are), a
// vector the first of three.
#pragma once

#include "tornel/builtins/builtin_context.h"
#include "tornel/builtins/builtin_dispatch.h"
#include "tornel/builtins/builtin_table.h"

namespace tornel {

// Runs the procedure `e` when it is one of them; false otherwise.
bool CallMatrixProcedure(BuiltinContext& ctx, const BuiltinEntry& e, BuiltinArgs& args);

// The rotation of MatrEuler(a, b, c), angles in degrees, row by row.
void EulerMatrix(double a, double b, double c, double out[9]);

}  // namespace tornel
