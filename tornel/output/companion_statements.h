// The companion statements of the output: they give addresses and modal
// groups values or make them forget them, switch and redirect addresses,
// and register text replacements for the finished NC file.
//
//   set: _x(0) mgmotion(1)        values without output
//   clr: _x mgmotion with(_y) each with_bind(all) all
//   enable: _a _b    disable: all
//   direct: _a _b    swap: _x _y    revert: all
//   replace: 'G00' = 'G0'    repword: 'X' = 'U' com    repaddr: 'X' = 'U'
#pragma once

#include "tornel/interp/interp.h"

namespace tornel {

struct OutputContext;

inline constexpr const char* kMsgSetLeftParen = "Left parenthesis ( is missing from SET address/mg value in";
inline constexpr const char* kMsgSetString = "Can't set string data to address in";
inline constexpr const char* kMsgSetRightParen = "Right parenthesis ) is missing from SET address/mg value in";
inline constexpr const char* kMsgSetIllegalToken = "Illegal Token in SET address/mg value in";
inline constexpr const char* kMsgSetOffset = "Illegal use of line offset with SET statement in";
inline constexpr const char* kMsgClrIllegalToken = "Illegal Token in CLR address/mg value in";
inline constexpr const char* kMsgClrOffset = "Illegal use of line offset with CLR statement in";
inline constexpr const char* kMsgEnableIllegalToken = "Illegal Token in ENABLE/DISABLE address in";
inline constexpr const char* kMsgEnableOffset = "Illegal use of line offset with ENABLE/DISABLE statement in";
inline constexpr const char* kMsgDirectTooFew = "Less than two adresses in DIRECT/SWAP statement in";
inline constexpr const char* kMsgDirectTooMany = "More than two adresses in DIRECT/SWAP statement in";
inline constexpr const char* kMsgDirectAll = "Illegal use of ALL with DIRECT/SWAP statement in";
inline constexpr const char* kMsgDirectIllegalToken = "Illegal Token in DIRECT/SWAP address in";
inline constexpr const char* kMsgDirectOffset = "Illegal use of line offset with DIRECT/SWAP statement in";
inline constexpr const char* kMsgRevertIllegalToken = "Illegal Token in REVERT address in";
inline constexpr const char* kMsgRevertOffset = "Illegal use of line offset with REVERT statement in";
inline constexpr const char* kMsgReplacedMissing = "Replaced string is missing from %s statement from";
inline constexpr const char* kMsgReplaceEqual = "Equal is missing from %s statement from";
inline constexpr const char* kMsgReplacingMissing = "Replacing string is missing from %s statement from";
inline constexpr const char* kMsgInvalidReplace = "Invalid %s statement in";
// The statement names that the replacement messages give.
inline constexpr const char* kReplaceNames[] = {"Replace", "RepWord", "RepAddr"};

// The current token is SET:, CLR:, enable:, disable:, direct:, swap:,
// revert: or replace: (with its kind); runs the statement and leaves its
// end current.  While the first run flag is set, direct: and swap: change
// nothing and the replacements register nothing (MAIN runs twice).
void RunCompanionStatement(Interp& in, OutputContext& ctx);

}  // namespace tornel
