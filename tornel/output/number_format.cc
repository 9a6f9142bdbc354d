#include "tornel/output/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "tornel/compiler/tokens.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// "_", or the separator byte that a "_" right before a string literal became.
bool IsUnderscore(char c) { return c == '_' || c == kTokWordSep; }

}  // namespace

const char* ParseNumberFormat(std::string_view text, size_t& pos, AddressRecord& r) {
  auto at = [&](size_t i) { return i < text.size() ? text[i] : '\0'; };
  size_t p = pos;

  r.sign = kSignNone;
  if (at(p) == '+') r.sign = kSignAlways, ++p;
  else if (at(p) == '-') r.sign = kSignNegOnly, ++p;

  r.leadzero = kZerosKept;
  if (at(p) == '>') r.leadzero = kZerosDropped, ++p;
  else if (IsUnderscore(at(p))) r.leadzero = kZerosBlank, ++p;

  if (!IsDigit(at(p))) return kMsgInvalidNumberFormat;
  r.numsbef = at(p++) - '0';
  r.numsbefinch = kSameAsMetric;
  if (IsDigit(at(p))) r.numsbefinch = at(p++) - '0';

  bool point_symbol = true;
  r.decpoint = kDecPointNone;
  switch (at(p)) {
    case '.': r.decpoint = kDecPointPoint; break;
    case '!': r.decpoint = kDecPointAlways; break;
    case '?': r.decpoint = kDecPointIfDecimals; break;
    default: point_symbol = IsUnderscore(at(p)); break;
  }
  if (point_symbol) ++p;

  r.numsaft = 0;
  r.numsaftinch = kSameAsMetric;
  if (IsDigit(at(p))) {
    if (!point_symbol) return kMsgDecimalPointMissing;
    r.numsaft = at(p++) - '0';
    if (IsDigit(at(p))) r.numsaftinch = at(p++) - '0';
  }

  r.trailzero = kZerosKept;
  if (at(p) == '<') r.trailzero = kZerosDropped, ++p;
  else if (IsUnderscore(at(p))) r.trailzero = kZerosBlank, ++p;

  if (r.leadzero != kZerosKept && r.trailzero != kZerosKept && r.decpoint == kDecPointNone)
    return kMsgImpossibleFormat;
  pos = p;
  return nullptr;
}

NumberSwitches SwitchesFrom(const ValueTables& values) {
  NumberSwitches sw;
  sw.dec_separ = values.ints[kSiDecSepar];
  sw.zero_bef_separ = values.ints[kSiZeroBefSepar];
  sw.sign_bef_space = values.ints[kSiSignBefSpace];
  sw.separator = values.strings[kSsDecSepar];
  return sw;
}

namespace {

constexpr double kPow10[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6, 1e7,
                             1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// The fixed-point text of `value` with `d` decimals, written from `p` on,
// as the full conversion writes it ("-12.500"), for the values NC words
// mostly carry: |value| · 10^d below 10^9 and not within 10^-6 of a half,
// where rounding the double product is certain to round the exact value
// the same way.  False for every other value.
bool FastFixed(double value, int d, char* p, size_t& size) {
  if (d > 15) return false;
  double scaled = std::fabs(value) * kPow10[d];
  if (!(scaled < 1e9)) return false;  // NaN too
  double whole = std::floor(scaled);
  double fraction = scaled - whole;
  if (std::fabs(fraction - 0.5) < 1e-6) return false;
  uint64_t k = static_cast<uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
  char digits[24];
  int n = 0;
  do {
    digits[n++] = static_cast<char>('0' + k % 10);
    k /= 10;
  } while (k != 0);
  while (n <= d) digits[n++] = '0';  // at least one digit before the point
  char* start = p;
  if (std::signbit(value)) *p++ = '-';
  for (int i = n - 1; i >= d; --i) *p++ = digits[i];
  if (d > 0) {
    *p++ = '.';
    for (int i = d - 1; i >= 0; --i) *p++ = digits[i];
  }
  size = static_cast<size_t>(p - start);
  return true;
}

}  // namespace

void ValueText(double value, int dec_digits, NumberText& out, NegativeZero zero) {
  int d = std::clamp(dec_digits, 0, kMaxDigits);
  char* buf = out.data;
  size_t fast = 0;
  if (FastFixed(value, d, buf + 1, fast)) {
    out.size = fast + 1;
  } else {
    auto res = std::to_chars(buf + 1, buf + kValueTextLimit, value, std::chars_format::fixed, d);
    if (res.ec != std::errc()) {  // cannot happen within the limit; keep a sane text
      std::memcpy(buf, "+0", 2);
      out.size = 2;
      return;
    }
    out.size = static_cast<size_t>(res.ptr - buf);
  }
  if (buf[1] == '-') {
    // Drop the minus into the sign place; a value that rounds to zero from
    // below is written as a positive zero unless the caller keeps the sign.
    std::memmove(buf, buf + 1, out.size - 1);
    --out.size;
    if (zero == NegativeZero::kPositive && IsZeroText(out.view())) buf[0] = '+';
  } else {
    buf[0] = '+';
  }
}

bool IsZeroText(std::string_view text) {
  return text.size() >= 2 && text.find_first_not_of("0.", 1) == std::string_view::npos;
}

void FormatNumber(const AddressRecord& a, std::string_view t, int n, int d,
                  const NumberSwitches& sw, std::string& out) {
  // 1. The format; a "." format may be overridden globally.
  int sign = a.sign, lead = a.leadzero, trail = a.trailzero, dp = a.decpoint;
  if (dp == kDecPointPoint && (sw.dec_separ == kDecPointAlways || sw.dec_separ == kDecPointIfDecimals))
    dp = sw.dec_separ;

  // 2. Sign text: none, a blank, "+" or "-" (without a sign symbol a
  // negative value has no sign).
  char sign_text = lead == kZerosBlank && sign != kSignNone ? ' ' : '\0';
  bool negative = !t.empty() && t[0] == '-';
  if (negative) {
    if (sign != kSignNone) sign_text = '-';
  } else if (sign == kSignAlways) {
    sign_text = '+';
  }

  // 3. and 4. The digits without sign, split at the point.
  std::string_view body = t;
  if (!body.empty() && (body[0] == '+' || body[0] == '-')) body.remove_prefix(1);
  bool separator = dp == kDecPointAlways ||
                   (dp == kDecPointPoint && !(!body.empty() && body[0] == '0') && d == 0);
  size_t dot = body.find('.');
  std::string_view int_part = body.substr(0, dot);
  std::string_view fraction;
  if (dot != std::string_view::npos) {
    fraction = body.substr(dot + 1);
    if (dp != kDecPointNone) separator = true;
  }
  bool int_was_zero = int_part == "0";

  // 5. and 6.
  if (n == 0) int_part = {};
  bool lone_zero = int_part == "0" && lead != kZerosKept;

  // 7. Padding of the integer digits.
  size_t pad = 0;
  char pad_char = lead == kZerosKept ? '0' : ' ';
  if ((lead == kZerosKept || lead == kZerosBlank) && n > 0 && int_part.size() < static_cast<size_t>(n))
    pad = static_cast<size_t>(n) - int_part.size();

  // 8. Trailing zeros: dropped or blanked; with no decimal digit left the
  // separator may go too.
  size_t kept = fraction.size();
  size_t blanks = 0;
  if (trail != kZerosKept) {
    while (kept > 0 && fraction[kept - 1] == '0') --kept;
    if (trail == kZerosBlank) blanks = fraction.size() - kept;
    bool p_starts_zero = pad > 0 ? pad_char == '0' : !int_part.empty() && int_part[0] == '0';
    if (kept == 0 && (dp == kDecPointIfDecimals || (int_was_zero && p_starts_zero)) &&
        dp != kDecPointAlways)
      separator = false;
  }

  // 9. A lone integer zero before the decimals: dropped or blanked.
  bool drop_zero = false, blank_zero = false;
  bool fraction_starts_digit = kept > 0;  // else it is empty or blanks
  if (lone_zero && (sw.zero_bef_separ != 1 || dp == kDecPointNone) && fraction_starts_digit) {
    if (lead == kZerosDropped) drop_zero = true;
    else if (lead == kZerosBlank) blank_zero = true;
  }

  // 11. sign + integer digits + separator + decimals.
  out.clear();
  if (sign_text) out.push_back(sign_text);
  size_t p_start = out.size();
  out.append(pad, pad_char);
  if (!drop_zero) {
    if (blank_zero) out.push_back(' ');
    else out.append(int_part);
  }
  // 10. The sign next to the first digit, within the same width.
  if (sw.sign_bef_space == 0 && lead == kZerosBlank && sign != kSignNone &&
      (sign_text == '+' || sign_text == '-')) {
    size_t leading = 0;
    while (p_start + leading < out.size() && out[p_start + leading] == ' ') ++leading;
    if (leading > 0) {
      out[p_start + leading - 1] = sign_text;
      out[0] = ' ';
    }
  }
  if (separator) out.append(sw.separator);
  out.append(fraction.substr(0, kept));
  out.append(blanks, ' ');
}

}  // namespace tornel
