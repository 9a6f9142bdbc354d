// The address table: one record per NC word kind (X, Y, G, F, N ...) that
// the post file declares in its ADDRESS blocks, indexed from 1.  Record 0 is
// never declared: it holds the inline number format of `%` number output.
//
//   addres
//     _x 'X' +4.3 nospace modal order=3
//     _g 'G' 2 nomodal
//     _cool 'M' select strings='9''8''7'
//   end addres
#pragma once

#include <cfloat>
#include <string>
#include <vector>

#include "tornel/sysvars/value_tables.h"

namespace tornel {

// Field values with a meaning of their own.
inline constexpr int kSignNone = 0;        // no sign ever
inline constexpr int kSignAlways = 1;      // "+" or "-"
inline constexpr int kSignNegOnly = 3;     // "-" for negative values only
inline constexpr int kSignSelect = 184;    // a select address: the value picks a string
inline constexpr int kDecPointNone = 0;
inline constexpr int kDecPointPoint = 1;   // "." in the format
inline constexpr int kDecPointAlways = 4;  // "!"
inline constexpr int kDecPointIfDecimals = 5;  // "?"
inline constexpr int kZerosDropped = 0;    // ">" leading, "<" trailing
inline constexpr int kZerosKept = 1;
inline constexpr int kZerosBlank = 6;      // "_": replaced by blanks
inline constexpr int kUseGlobal = 2;       // space, inczero, modal: follow the system variable
inline constexpr int kModalForce = 176;    // modal, and a suppressed word still writes prefix + suffix
inline constexpr int kIncAbs = 0;
inline constexpr int kIncInc = 1;
inline constexpr int kIncFollow = 5;       // follow siInc
inline constexpr int kNoSuffix = -1;
inline constexpr int kSameAsMetric = -1;   // inch digits not given
// Digit counts set at run time are kept within this range.
inline constexpr int kMaxDigits = 50;
// The value of an undefined modal state: the largest double.
inline constexpr double kUndefinedValue = DBL_MAX;

struct AddressRecord {
  int enable = 1;
  int order = 0;  // order × 100
  int prefix = 0;  // string table index
  int suffix = kNoSuffix;
  int sign = kSignNone;
  int decpoint = kDecPointNone;
  int leadzero = kZerosKept;
  int trailzero = kZerosKept;
  int numsbef = 0;  // a select address: string table index of the first string
  int numsaft = 0;  // a select address: index of the last string
  int numsbefinch = kSameAsMetric;
  int numsaftinch = kSameAsMetric;
  int space = kUseGlobal;
  int inczero = kUseGlobal;
  int modal = kUseGlobal;
  int inc = kIncAbs;
  int from = 0;    // address whose lastval this one is written relative to
  int direct = 0;  // address that receives this one's output
  double scale = 1.0;
  double trans = 0.0;
  double value = 0.0;    // last scaled value given
  double lastval = 0.0;  // last scaled value that passed through output
  double incbase = 0.0;  // last rounded absolute value: the base of incremental output
  // Texts without a length limit; the 128-character limit of the language
  // applies only where the post file assigns `.valstr`.
  std::string lasttext;  // number text of the modal comparison; empty = nothing remembered
  std::string valtext;   // value part of the last written word
};

struct AddressTable {
  std::vector<AddressRecord> records;  // [0] the inline format, then 1..count
  std::vector<std::string> names;      // lower case, parallel to records ([0] empty)
};

inline int AddressCount(const AddressTable& t) {
  return t.records.empty() ? 0 : static_cast<int>(t.records.size()) - 1;
}

inline bool IsSelect(const AddressRecord& a) { return a.sign == kSignSelect; }

// Number of select strings: 0 for a numeric address or one without strings.
inline int SelectCount(const AddressRecord& a) {
  return IsSelect(a) && a.numsbef > 0 && a.numsaft >= a.numsbef ? a.numsaft - a.numsbef + 1 : 0;
}

// The string table index of the string that `value` selects: 1 the first,
// 2.7 the second, 0 or less the first, beyond the list the last.  -1 when
// the address has no strings.
int SelectedString(const AddressRecord& a, double value);

// Integer and decimal digits in use: metric digits while siMetric is not 0;
// in inch mode the inch digits where they are 1 or more.  A select address
// writes its comparison text without decimals.
int IntDigits(const AddressRecord& a, const ValueTables& values);
int DecDigits(const AddressRecord& a, const ValueTables& values);

// `.valrnd`: lastval rounded to numsaft decimals.
double RoundedValue(const AddressRecord& a);

// Record 0's initial fields and a fresh declared record of `index`.
AddressRecord NewAddressRecord(int index);

}  // namespace tornel
