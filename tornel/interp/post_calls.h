// How the layers above the interpreter run the post file's functions: the
// CL processing calls its post functions by number, the NC output runs
// OnAddr functions, Comments and triggered statements.  A PostCalls is a
// view (an interpreter and the post function table); building one costs a
// few pointer copies.
#pragma once

#include "tornel/compiler/post_functions.h"
#include "tornel/interp/interp.h"

namespace tornel {

struct PostCalls {
  Interp in;
  const PostFunctionTable& table;
};

inline bool IsDefined(const PostCalls& calls, int number) { return IsDefined(calls.table, number); }

// Runs the function at `label` (its locals keep their values); whatever
// the interpreter was reading comes back afterwards.
void RunLabel(PostCalls& calls, int label);

// Runs post function `number` when the post file defines it; true when it
// ran.
bool RunPostFunction(PostCalls& calls, int number);

}  // namespace tornel
