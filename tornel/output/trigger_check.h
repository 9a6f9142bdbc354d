// The trigger check that every address word being formed passes through:
// the modal groups of the address decide whether a code is written.
#pragma once

namespace tornel {

struct RunContext;

// Walks the trigger table in order for `key` (an address index).  Entries
// flagged kTriggerFlagWritten are passed over unless `output` is set.
// `value` is the word's output value, `force` its "!" modifier and
// `forget` its trailing "!"; `output` may be turned on or off.
// `restricted`: only modal groups and functions take part (SET:).
void CheckTriggers(RunContext& ctx, int key, double value, bool force, bool forget,
                   bool restricted, bool& output);

}  // namespace tornel
