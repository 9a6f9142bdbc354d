// Number formats and the text of a value in an NC word.
//
// A format is written without blanks: an optional sign symbol ("+" always,
// "-" negative only), an optional leading-zero symbol (">" none, "_"
// blanks), the integer digits (a second digit: in inch mode), an optional
// decimal point symbol ("." a point, "!" always a point, "?" a point only
// when decimals remain, "_" none), the decimal digits (a second digit: in
// inch mode) and an optional trailing-zero symbol ("<" none, "_" blanks).
//
//   +4.3  writes 12.5 as +0012.500       ->4.3<  writes -0.5 as -.5
//   4?3<  writes 12 as 0012              -_4.3   writes -12.5 as "  -12.500"
#pragma once

#include <string>
#include <string_view>

#include "tornel/output/address_table.h"

namespace tornel {

inline constexpr const char* kMsgInvalidNumberFormat = "Invalid number format in";
inline constexpr const char* kMsgDecimalPointMissing =
    "Decimal point setting missing from number format in";
inline constexpr const char* kMsgImpossibleFormat =
    "NO LEADING ZEROS and NO TRAILING ZEROS and NO DECIMAL POINT\n"
    "is impossible combination in number format in";

// Reads a format at `pos` of `text` into the format fields of `record`
// (sign, zeros, decimal point, the four digit counts) and moves `pos` past
// it.  The message of a malformed format, or null.  A "_" before a string
// literal stands in the program as the word separator byte; it counts as "_".
const char* ParseNumberFormat(std::string_view text, size_t& pos, AddressRecord& record);

// The global switches the formatting reads.
struct NumberSwitches {
  int dec_separ = 0;          // siDecSepar: 4 or 5 override a "." format
  int zero_bef_separ = 1;     // siZeroBefSepar: 1 writes 0.5 as "0.5"
  int sign_bef_space = 0;     // siSignBefSpace: 1 keeps the sign before the blanks
  std::string_view separator = ".";  // ssDecSepar
};

NumberSwitches SwitchesFrom(const ValueTables& values);

// A number text lives in a fixed buffer: a fixed-point text of any double
// fits (309 integer digits, the point and kMaxDigits decimals), and words are
// formed without touching the heap.
inline constexpr size_t kValueTextLimit = 400;

struct NumberText {
  char data[kValueTextLimit];
  size_t size = 0;
  std::string_view view() const { return {data, size}; }
};

// What the number text of a value that rounds to zero from below shows.
enum class NegativeZero {
  kPositive,  // "+0.000": the sign of an NC word's value
  kKept,      // "-0.000": StrWri makes no correction
};

// The number text of a value: always a sign, rounded to `dec_digits`
// decimals ("%+.*f").
void ValueText(double value, int dec_digits, NumberText& out,
               NegativeZero zero = NegativeZero::kPositive);

// True for a number text of zero ("+0", "+0.000").
bool IsZeroText(std::string_view text);

// The value part of a word: `text` (a number text as ValueText writes it)
// laid out by `record`'s format with `int_digits` and `dec_digits`.
// Replaces `out`; allocates nothing once `out` has grown.
void FormatNumber(const AddressRecord& record, std::string_view text, int int_digits,
                  int dec_digits, const NumberSwitches& sw, std::string& out);

// A value written by `record`'s format: its number text, then the layout.
// The one way a number becomes NC text (address words, "%" numbers,
// StrWri).
inline void FormatValue(const AddressRecord& record, double value, int int_digits,
                        int dec_digits, const NumberSwitches& sw, NegativeZero zero,
                        std::string& out) {
  NumberText number;
  ValueText(value, dec_digits, number, zero);
  FormatNumber(record, number.view(), int_digits, dec_digits, sw, out);
}

}  // namespace tornel
