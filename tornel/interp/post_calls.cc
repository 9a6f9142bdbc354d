#include "tornel/interp/post_calls.h"

#include "tornel/interp/statements.h"

namespace tornel {

void RunLabel(PostCalls& calls, int label) { RunAtLabel(calls.in, label); }

bool RunPostFunction(PostCalls& calls, int number) {
  if (!IsDefined(calls.table, number)) return false;
  RunAtLabel(calls.in, calls.table[number]);
  return true;
}

}  // namespace tornel
