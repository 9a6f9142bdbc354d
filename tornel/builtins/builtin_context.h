// What the built-in functions reach during a run: the value tables, the
// NC output and the CL processing (through the CL view, which holds the
// output's), the post file's own open files, and its dialogs.  A view over the run's
// tables that the run driver builds.
#pragma once

#include "tornel/base/diagnostics.h"
#include "tornel/builtins/open_files.h"
#include "tornel/cl/cl_context.h"
#include "tornel/compiler/dialog_variable_scan.h"
#include "tornel/dialogs/dialog_session.h"
#include "tornel/sysvars/value_tables.h"

namespace tornel {

struct BuiltinContext {
  Diagnostics& diag;
  ValueTables& values;
  ClContext cl;
  OpenFiles& open_files;
  DialogSession& dialogs;
  const DialogVariables& dialog_variables;
};

}  // namespace tornel
