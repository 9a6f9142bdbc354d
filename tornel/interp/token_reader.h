// The token reader: one token at the current position, in a few steps.
// Numbers and variable references are decoded in place (no allocation, no
// text built); the decimal number after a function class, jump or address
// byte is read by the caller with ReadDecimal.
#pragma once

#include <array>
#include <cstdint>

#include "tornel/compiler/tokens.h"

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

namespace token_detail {

// What a byte starts, for the reader's dispatch.
enum class ByteKind : unsigned char {
  kName,      // anything else: an undefined name, reported
  kSimple,    // one byte, one token: operators, classes, end of statement
  kNumber,    // digits and points
  kEquals,    // assignment, or equality in a control statement
  kVariable,  // 130, 131, 132 + index [| size]
};

struct ByteInfo {
  ByteKind kind = ByteKind::kName;
  unsigned char code = 0;
  unsigned char cls = kClassPlain;
};

constexpr std::array<ByteInfo, 256> MakeByteTable() {
  std::array<ByteInfo, 256> t{};
  auto set = [&t](int byte, ByteKind kind, unsigned char cls) {
    t[static_cast<size_t>(byte)] = ByteInfo{kind, static_cast<unsigned char>(byte), cls};
  };
  set(TokenValue(kTokLineEnd), ByteKind::kSimple, kClassPlain);
  t[TokenValue(kTokLineEnd)].code = kCodeEnd;
  for (int c = '0'; c <= '9'; ++c) set(c, ByteKind::kNumber, kClassPlain);
  set('.', ByteKind::kNumber, kClassPlain);
  set('=', ByteKind::kEquals, kClassPlain);
  set(TokenValue(kTokIntVar), ByteKind::kVariable, kClassPlain);
  set(TokenValue(kTokRealVar), ByteKind::kVariable, kClassPlain);
  set(TokenValue(kTokStringRef), ByteKind::kVariable, kClassString);
  set(TokenValue(kTokStrFunc), ByteKind::kSimple, kClassString);
  set(TokenValue(kTokCom), ByteKind::kSimple, kClassString);
  set(TokenValue(kTokProc), ByteKind::kSimple, kClassProcedure);
  set(TokenValue(kTokDialogProc), ByteKind::kSimple, kClassProcedure);
  for (int b = TokenValue(kTokOutput); b <= TokenValue(kTokReplace); ++b)
    set(b, ByteKind::kSimple, kClassOutput);
  for (int b = TokenValue(kTokCondition); b <= TokenValue(kTokJumpIfTrue); ++b)
    set(b, ByteKind::kSimple, kClassControl);
  for (char c : {'!', '%', '(', ')', '*', '+', ',', '-', '/', '<', '>', '?', '[', ']'})
    set(c, ByteKind::kSimple, kClassPlain);
  // ':' introduces the order setting after a word of an output statement.
  set(':', ByteKind::kSimple, kClassPlain);
  for (char b : {kTokNumFunc, kTokFuncEnd, kTokReturn, kTokMainEnd, kTokWordSep, kTokAnd, kTokOr,
                 kTokNotEqual, kTokGreaterEqual, kTokLessEqual})
    set(TokenValue(b), ByteKind::kSimple, kClassPlain);
  for (int b = TokenValue(kTokAddress); b <= TokenValue(kTokWithBind); ++b)
    set(b, ByteKind::kSimple, kClassPlain);
  return t;
}

inline constexpr std::array<ByteInfo, 256> kByteTable = MakeByteTable();

// The reader's less frequent paths: the pump and the position check, and
// every token that is more than its byte.
void ReadTokenSlow(Interp& in);
void ReadOther(Interp& in, const ByteInfo& info);

}  // namespace token_detail

// Reads the token at in.st.pos into in.st.tok and moves past it.  Numbers
// leave their value in in.st.number, variables their index and element
// count in in.st.var_index and in.st.var_count.  The one-byte tokens take
// the inline path.
inline void ReadToken(Interp& in) {
  InterpState& s = in.st;
  if (++s.token_count > kTokensPerPump || s.pos > in.length) [[unlikely]] {
    token_detail::ReadTokenSlow(in);
    return;
  }
  const token_detail::ByteInfo& info =
      token_detail::kByteTable[static_cast<unsigned char>(in.bytes[s.pos])];
  if (info.kind == token_detail::ByteKind::kSimple) [[likely]] {
    s.tok.code = info.code;
    s.tok.cls = info.cls;
    ++s.pos;
    return;
  }
  token_detail::ReadOther(in, info);
}

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
