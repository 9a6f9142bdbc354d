// What the built-in functions reach during a run: the value tables, the
// NC output and the CL processing (through the CL view, which holds the
// output's), and the post file's own open files.  A view over the run's
// tables that the run driver builds.
#pragma once

#include "tornel/base/diagnostics.h"
#include "tornel/builtins/open_files.h"
#include "tornel/cl/cl_context.h"
#include "tornel/sysvars/value_tables.h"

namespace tornel {

struct BuiltinContext {
  Diagnostics& diag;
  ValueTables& values;
  ClContext cl;
  OpenFiles& open_files;
};

}  // namespace tornel
