// Running an output statement (the interpreter hands over every token 145
// to 153).  An O: statement reads its flags and offset, picks its target
// line in the ring, forms its words one after another and puts them into
// that line, then completes the current line:
//
//   o: _g(1) _x(urx) _y(ury)? 'text' _%+4.3(urz):+1
//
// Address words go through their address (format, modality, modal groups),
// `%` numbers through an inline format or another address's format,
// strings and string function results stay as they are.
#pragma once

#include <cstdint>
#include <string_view>

#include "tornel/interp/interp.h"

namespace tornel {

struct OutputContext;

inline constexpr const char* kMsgIllegalTokenOutput = "Illegal Token in output";
inline constexpr const char* kMsgOffsetSetting = "Invalid Output line offset setting O:[offset] in";
inline constexpr const char* kMsgOffsetLimits =
    "Output line offset O:[offset=%d] not in limits -%d to +%d in";
inline constexpr const char* kMsgConditionalWithoutOffset =
    "Conditional output flag O:? used without output line offset O:? [offset] in";
inline constexpr const char* kMsgOffsetWithEach = "Output line offset O:[offset] used with EACH statement in";
inline constexpr const char* kMsgAddressLeftParen = "Left parenthesis ( is missing from address output in";
inline constexpr const char* kMsgAddressRightParen = "Right parenthesis ) is missing from address output in";
inline constexpr const char* kMsgAddressString = "Can't output string data via address output in";
inline constexpr const char* kMsgNumberAddress =
    "Address %%{address} is missing from format of number output in";
inline constexpr const char* kMsgNumberBrace = "Right brace } is missing from format of number output in";
inline constexpr const char* kMsgNumberLeftParen = "Left parenthesis ( is missing from number output in";
inline constexpr const char* kMsgNumberString = "Can't output string data via number output in";
inline constexpr const char* kMsgNumberRightParen = "Right parenthesis ) is missing from number output in";
inline constexpr const char* kMsgNumberOutOfRange =
    "Can't output a number out of range via number output in";
inline constexpr const char* kMsgOrderSetting = "Invalid order setting in output";
inline constexpr const char* kMsgPreviousLineFlag = "Output to previous line flag < must be at the start of output";
inline constexpr const char* kMsgNextLineFlag = "Output to next line flag > must be at the end of output";
inline constexpr const char* kMsgSeparatorSpace =
    "Illegal use of _ separator space without following string or %% number output in";

// The current token is an output statement token (145 to 153); runs the
// statement and leaves its end current.
void RunOutputStatement(Interp& in, OutputContext& ctx);

// What the words of a statement share while they are formed.
struct WordState {
  int slot = 0;                    // ring index of the target line
  int running_order = 0;
  bool keep_order = false;         // the ":" flag: address orders are ignored
  uint32_t band = 0;               // added to every word's key
};

// Forms the words from the current token to the end of the statement and
// puts them into the target line; leaves the end current.
void OutputWords(Interp& in, OutputContext& ctx, WordState& state);

// A line of `word` alone, set up like an O: statement's (skip, numbering,
// EACH), unnumbered with `no_number`, without EACH output with `no_each`;
// the line is completed.  Comment lines are written this way.
void OutputSingleWordLine(OutputContext& ctx, std::string_view word, int order, bool blank,
                          bool no_number, bool no_each);

}  // namespace tornel
