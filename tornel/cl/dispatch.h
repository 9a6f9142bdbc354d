// The record dispatcher: turns a loaded record into machine state and post
// function calls by its major word.
#pragma once

namespace tornel {

struct ClContext;

// Dispatches the record of ring slot `slot` (0-40) after the reader has
// loaded the record variables and OnAPT has let it through.  In the first
// pass it only collects; post functions run in the second pass.
void DispatchRecord(ClContext& ctx, int slot);

}  // namespace tornel
