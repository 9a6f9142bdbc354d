// The bytes of the intermediate program.  Every pass of the compiler, the
// loader and the interpreter agree on these values; a statement record is
//   <file>,<line> kTokLocation <tokens> kTokLineEnd
// and a label line is kTokLabelLine <label> kTokLineEnd.
//
// The values are bytes of std::string text, hence char: bytes above 127 are
// negative chars on most targets, so compare against these constants only.
#pragma once

namespace tornel {

constexpr char TokenByte(int value) { return static_cast<char>(value); }

inline constexpr char kTokLocation = TokenByte(1);     // 1: ends the location prefix
inline constexpr char kTokLineEnd = TokenByte(10);     // 10: ends a statement record
inline constexpr char kTokIntVar = TokenByte(130);     // 130 + index: integer variable
inline constexpr char kTokRealVar = TokenByte(131);    // 131 + index: real variable
inline constexpr char kTokStringRef = TokenByte(132);  // 132 + index: string variable or constant
inline constexpr char kTokAddress = TokenByte(154);    // 154 + index: address reference
inline constexpr char kTokWordSep = TokenByte(164);    // 164: output word separator
inline constexpr char kTokLabelLine = TokenByte(170);  // 170 + label: label line, no location

}  // namespace tornel
