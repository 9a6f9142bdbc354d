// The three value tables that hold every variable of a run: system
// variables, the post file's variables and function locals, and the string
// literals.  A variable is a slot; an array of n elements n slots in a row.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tornel/base/diagnostics.h"
#include "tornel/compiler/compiler_state.h"
#include "tornel/compiler/variable_table.h"

namespace tornel {

struct ValueTables {
  std::vector<int32_t> ints;
  std::vector<double> reals;
  std::vector<std::string> strings;
};

// Creates the tables at their final size, once compiling has numbered every
// slot: integers 0, reals 0.0, strings empty.  Running out of memory is
// reported ("Not enough memory for postprocessor.").
void AllocateValueTables(Diagnostics& diag, ValueTables& values, const VariableTable& names);

// Once compiling is complete: creates the value tables at their final sizes
// and moves the string literals from text row 0 of the stack store into
// their string table entries, releasing the row.
void CreateValueTables(Diagnostics& diag, CompilerState& compiler, const VariableTable& variables,
                       ValueTables& values);

}  // namespace tornel
