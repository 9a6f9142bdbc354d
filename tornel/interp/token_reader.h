// The token reader: one token at the current position, in a few steps.
// Numbers and variable references are decoded in place (no allocation, no
// text built); the decimal number after a function class, jump or address
// byte is read by the caller with ReadDecimal.
#pragma once

#include <cstdint>

#include "tornel/interp/interp.h"

namespace tornel {

inline constexpr const char* kMsgIllegalIndexGetToken =
    "Tornel internal error. Illegal index in GetToken.";
inline constexpr const char* kMsgLeftBracketUse = "Invalid use of left bracket [ in";
inline constexpr const char* kMsgUndefinedName = "%s \"%s\" in";
inline constexpr const char* kMsgUndefinedConstant = "Undefined constant name";
inline constexpr const char* kMsgUndefinedVariable = "Undefined variable name";
inline constexpr const char* kMsgUndefinedFunction = "Undefined function";
inline constexpr const char* kMsgUndefinedAddress = "Undefined addres name";
inline constexpr const char* kMsgUnrecognizedTerm = "Unrecognized term";

// Reads the token at in.st.pos into in.st.tok and moves past it.  Numbers
// leave their value in in.st.number, variables their index and element
// count in in.st.var_index and in.st.var_count.
void ReadToken(Interp& in);

// Reads the unsigned decimal number at the position and moves past it (0
// when no digit stands there).
inline int ReadDecimal(Interp& in) {
  const char* p = in.bytes + in.st.pos;
  uint32_t v = 0;
  while (static_cast<unsigned char>(*p - '0') <= 9) v = v * 10 + static_cast<uint32_t>(*p++ - '0');
  in.st.pos = static_cast<size_t>(p - in.bytes);
  return static_cast<int>(v & 0x7fffffff);
}

// The value of a run of digits and points [begin, end): the decimal number
// it starts with (digits, at most one point); 0 when there is none.
double DecimalValue(const char* begin, const char* end);

// Reports the name at `pos` as undefined: "Undefined variable name
// "uicoutn" in" and its fellows, by the name's first letters.
[[noreturn]] void ReportUndefinedName(Interp& in, size_t pos);

}  // namespace tornel
