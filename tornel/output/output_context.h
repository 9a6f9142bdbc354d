// What the NC output works on during a run: the value tables, its own
// tables (addresses, modal groups, triggers, the line ring and the NC
// file), the run flags it looks at, and the post file's functions, through
// which triggered statements, OnAddr functions and Comments run.  A view
// over the run's tables that the run driver builds; copying one costs a
// few pointer copies.
#pragma once

#include "tornel/base/run_context.h"
#include "tornel/interp/post_calls.h"
#include "tornel/output/output_tables.h"
#include "tornel/sysvars/value_tables.h"

namespace tornel {

struct OutputContext {
  Diagnostics& diag;
  ValueTables& values;
  OutputTables& output;
  const RunFlags& flags;
  PostCalls calls;
};

}  // namespace tornel
