// What the CL processing works on during a run: the value tables, the
// reader's own state, the run flags and file names it reads, the motion
// handlers, the post file's functions it calls, and the NC output, which
// some records write to directly.  A view over the run's tables that the
// run driver builds.
#pragma once

#include "tornel/base/run_context.h"
#include "tornel/cl/cl_reader_state.h"
#include "tornel/compiler/post_functions.h"
#include "tornel/interp/post_calls.h"
#include "tornel/output/output_context.h"
#include "tornel/sysvars/value_tables.h"

namespace tornel {

struct ClContext {
  Diagnostics& diag;
  ValueTables& values;
  ClReader& cl;
  RunFlags& flags;  // the limit warning sets its flag
  const RunFiles& files;
  const MoveHandlers& move_handlers;
  PostCalls calls;
  OutputContext nc;
};

}  // namespace tornel
