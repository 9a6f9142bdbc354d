#include "tornel/interp/token_reader.h"

#include <array>
#include <charconv>
#include <string>

#include "tornel/compiler/tokens.h"
#include "tornel/compiler/words.h"

namespace tornel {

using token_detail::ByteInfo;
using token_detail::ByteKind;
using token_detail::kByteTable;

namespace {

constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                             1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                             1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

bool IsNumberByte(char c) { return (c >= '0' && c <= '9') || c == '.'; }

bool StartsWithAny(const std::string& name, std::initializer_list<const char*> prefixes) {
  for (const char* p : prefixes)
    if (name.starts_with(p)) return true;
  return false;
}

}  // namespace

double DecimalValue(const char* begin, const char* end) {
  // Up to 15 significant digits and 22 decimals the quotient of two exact
  // doubles is the correctly rounded value, the same a full conversion
  // gives; longer texts take the full conversion.
  uint64_t mantissa = 0;
  int digits = 0;
  int decimals = -1;
  const char* p = begin;
  for (; p != end; ++p) {
    if (*p == '.') {
      if (decimals >= 0) break;  // a second point ends the number
      decimals = 0;
      continue;
    }
    mantissa = mantissa * 10 + static_cast<uint64_t>(*p - '0');
    if (mantissa != 0) ++digits;
    if (decimals >= 0) ++decimals;
  }
  if (digits <= 15 && decimals <= 22) {
    double m = static_cast<double>(mantissa);
    return decimals > 0 ? m / kPow10[decimals] : m;
  }
  double value = 0;
  std::from_chars(begin, p, value, std::chars_format::fixed);
  return value;
}

namespace token_detail {

void ReadTokenSlow(Interp& in) {
  InterpState& s = in.st;
  if (s.token_count > kTokensPerPump) {
    s.token_count = 0;
    Pump(in.diag);
  }
  if (s.pos > in.length) FatalPlain(in.diag, kMsgIllegalIndexGetToken, true);
  ReadOther(in, kByteTable[static_cast<unsigned char>(in.bytes[s.pos])]);
}

void ReadOther(Interp& in, const ByteInfo& info) {
  InterpState& s = in.st;
  const size_t pos = s.pos;
  const char* p = in.bytes + pos;
  switch (info.kind) {
    case ByteKind::kSimple:
      s.tok = Token{info.code, info.cls};
      s.pos = pos + 1;
      return;
    case ByteKind::kVariable: {
      s.tok = Token{info.code, info.cls};
      s.pos = pos + 1;
      s.var_index = ReadDecimal(in);
      char next = in.bytes[s.pos];
      if (next == '[') FatalAt(in.diag, kMsgLeftBracketUse);
      if (next == '|') {
        ++s.pos;
        s.var_count = ReadDecimal(in);
      } else {
        s.var_count = 1;
      }
      return;
    }
    case ByteKind::kNumber: {
      const char* end = p;
      while (IsNumberByte(*end)) ++end;
      s.number = DecimalValue(p, end);
      s.tok = Token{kCodeNumber, kClassPlain};
      s.pos = static_cast<size_t>(end - in.bytes);
      return;
    }
    case ByteKind::kEquals:
      s.tok = Token{s.first_class == kClassControl ? TokenValue(kTokEqual) : kCodeAssign,
                    kClassPlain};
      s.pos = pos + 1;
      return;
    case ByteKind::kName:
      break;
  }
  ReportUndefinedName(in, pos);
}

}  // namespace token_detail

void ReportUndefinedName(Interp& in, size_t pos) {
  size_t end = pos;
  while (end < in.length && IsNameChar(in.bytes[end])) ++end;
  // A stray byte that starts no name is quoted itself.
  if (end == pos && pos < in.length) ++end;
  std::string name(in.bytes + pos, end - pos);
  const char* what = kMsgUnrecognizedTerm;
  if (name.starts_with("#"))
    what = kMsgUndefinedConstant;
  else if (StartsWithAny(name, {"ui", "ur", "us"}))
    what = kMsgUndefinedVariable;
  else if (StartsWithAny(name, {"fi", "fr", "fs", "fv"}))
    what = kMsgUndefinedFunction;
  else if (name.starts_with("_"))
    what = kMsgUndefinedAddress;
  FatalAt(in.diag, FormatMessage(kMsgUndefinedName, {what, name}));
}

}  // namespace tornel
