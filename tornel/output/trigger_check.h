// The trigger check that every address word being formed passes through:
// modal groups decide whether a code is written, WITH and BIND statements
// add their words to the line, OnAddr and OnAddrOut functions run.  Also
// run with kEachKey when a line is completed (EACH statements).
#pragma once

namespace tornel {

struct OutputContext;

// Walks the trigger table in order for `key` (an address index, or
// kEachKey).  Entries flagged kTriggerFlagWritten are passed over unless
// `output` is set.  `value` is the word's output value, `force` its "!"
// modifier and `forget` its trailing "!"; `output` may be turned on or off.
// `restricted`: only modal groups and functions take part (SET:).
//
// A WITH, BIND or EACH statement runs in trigger mode, its words joining
// the line being formed, unless it is running already; a WITH list goes
// once its statement has run.  siWithOn, siBindOn and siOnAddrOn 0 keep
// their kinds from running.
void CheckTriggers(OutputContext& ctx, int key, double value, bool force, bool forget,
                   bool restricted, bool& output);

}  // namespace tornel
