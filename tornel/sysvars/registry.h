// Building the system variable registry: the predefined names entered into
// the variable name table before the post file is compiled, so that the
// post file's own variables take the slots behind them.
#pragma once

#include "tornel/compiler/variable_table.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {

// Starts `names` afresh with every system variable in registration order
// (lower-cased, slots per table from 0) and records the string boundary.
void RegisterSystemVariables(VariableTable& names);

}  // namespace tornel
