// The string built-ins of the post language as plain functions.  Positions
// are 1-based and one clamping rule holds for every substring: a start
// before the first character counts from the first, a count running past
// the end stops there, a start past the end or a negative count gives the
// empty string.  Position and count arguments arrive as the post's reals
// and are truncated toward zero.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tornel {

inline constexpr const char* kMsgInvalidRSpcMode = "Invalid value in Parameter 2 in STRRSPC function in";
inline constexpr const char* kMsgInvalidStringIndex =
    "Invalid string index in Parameter 2 in ASCVAL function in";
inline constexpr const char* kMsgInvalidNumberString =
    "Invalid number string in Parameter 1 in STRVAL function in";
inline constexpr const char* kMsgStrWriOutOfRange =
    "Number out of range in Parameter 2 in STRWRI function in";

// A real position or count as an integer, toward zero; NaN counts as 0 and
// values beyond any string length are held at a bound.
long long ToIndex(double v);

std::string StrCopy(std::string_view s, double p, double n);
// The n characters that end p - 1 characters before the end.
std::string StrRCopy(std::string_view s, double p, double n);
void StrIns(std::string& v, std::string_view s, double p);
void StrOvr(std::string& v, std::string_view s, double p);
void StrDel(std::string& v, double p, double n);
// Modes 1 leading, 2 trailing, 3 both white space; 4 every blank, tab and
// line feed.  False for any other mode.
bool StrRSpc(std::string& v, double mode);
void StrUp(std::string& v);   // ASCII letters only, the same on every target
void StrLow(std::string& v);
// One character; code 0 (the end of a C string) gives the empty string.
std::string Chr(double n);
std::string Tab(double n, double m);

// The character code at position i (0-255), or nothing outside the string.
std::optional<double> AscVal(std::string_view s, double i);
// The number written in s: only "+-.0123456789", read whole.
std::optional<double> StrVal(std::string_view s);

// The letter runs of `format` (lower-cased first) replaced by the time or
// the date: a (AM/PM, 12-hour clock from then on), h, m, s; y, m, d.
std::string StrTime(std::string_view format, int hour, int minute, int second);
std::string StrDate(std::string_view format, int year, int month, int day);

}  // namespace tornel
