// The record dispatcher: turns a loaded record into machine state and post
// function calls by its major word.
#pragma once

#include "tornel/cl/major_words.h"

namespace tornel {

struct ClContext;

// Dispatches the record in the record variables (the reader has loaded
// them and OnAPT has let the record through) by its major word.  In the
// first pass it only collects; post functions run in the second pass.
void DispatchRecord(ClContext& ctx, MajorWord major);

}  // namespace tornel
