// The WITH, BIND and EACH forms of O:, which register a statement instead
// of running it, and the trigger mode in which a registered statement runs
// when its address is written (or, for EACH, when a line is completed):
//
//   o: with(_t,!_x) _m(6)     M06 joins the next line that writes T or X, once
//   o: bind(?_f) 'F-CHANGE'   with every F word that is really written
//   o: each _b(1)             into every completed line
//
// A registered statement is known by the position of its record, where the
// trigger mode reads it again: flags and list are passed over, the words
// join the line being formed.
#pragma once

#include <cstddef>
#include <vector>

#include "tornel/interp/interp.h"

namespace tornel {

struct OutputContext;

inline constexpr const char* kMsgWithBindLeftParen = "Left parenthesis ( is missing from WITH/BIND statement in";
inline constexpr const char* kMsgWithBindParameterOutput =
    "Invalid parameter in WITH/BIND statement in O: output";
inline constexpr const char* kMsgWithBindParameterClr = "Invalid parameter in WITH/BIND statement in CLR:";

// One item of a WITH/BIND/CLR list.
struct TriggerListItem {
  int address = 0;  // 0 for ALL
  int flag = 0;     // kTriggerFlagForce "!", kTriggerFlagWritten "?"
};

// Reads "(" items ")" with the current position at "(" and leaves it after
// ")"; addresses are checked against `address_count`.  `allow_all`: ALL may stand as an item (CLR:), and "!" and "?" may
// not; `invalid` is the message for a bad item.
void ReadTriggerList(Interp& in, int address_count, bool allow_all, const char* invalid,
                     std::vector<TriggerListItem>& items);

// The record that holds the statement token at `token_pos` starts here
// (`token_pos` itself when the token is not first in its record).
size_t RecordStart(const Interp& in, size_t token_pos);

// The current position is at the WITH, BIND or EACH byte of an O: statement
// whose record starts at `record`: registers it and leaves the statement's
// end current without running its words.
void RegisterTriggerStatement(Interp& in, OutputContext& ctx, size_t record);

// Runs the registered statement of record `position` in trigger mode: its
// words join the line ctx.output.word_slot, with the EACH band for `each`.
// The caller's reading state and location come back afterwards.
void RunTriggeredStatement(OutputContext& ctx, int position, bool each);

}  // namespace tornel
