// One APT-CL record in memory, and the two pure steps that build it: joining
// the lines of a record ("$" continues, "$$" starts a comment) and splitting
// the record text into its major word and minor words.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "tornel/cl/major_words.h"

namespace tornel {

// Room in a record slot: the joined text and the words.
inline constexpr size_t kRecordTextLimit = 2047;
inline constexpr int kRecordWordLimit = 100;

inline constexpr const char* kMsgTooManyWords = "Too many words in CL-record";
// A record whose joined text has no room in its slot is refused rather than
// cut, so that no word is silently lost or changed.
inline constexpr const char* kMsgRecordTooLong = "Too many characters in CL-record";
// A number word whose value no double holds (1E309, 400 digits): it would
// reach the NC file as "inf".
inline constexpr const char* kMsgBadNumber = "Number out of range in CL-record";

// Word types, as siWordType shows them.
inline constexpr int32_t kWordNone = 0;
inline constexpr int32_t kWordString = 1;
inline constexpr int32_t kWordNumber = 2;

struct RecordSlot {
  std::string text;   // the record text, continuation lines joined
  int32_t line = 0;   // line counter at the record's first line
  int32_t words = 0;  // 0: empty slot
  MajorWord major = MajorWord::kOther;  // of word 0, given when the words are split
  std::array<int32_t, kRecordWordLimit> type{};
  std::array<std::string, kRecordWordLimit> word;  // trimmed; "" without a word
  std::array<double, kRecordWordLimit> value{};    // number words; 0 otherwise
};

// Empties a slot.  Strings keep their capacity, so a warm ring doesn't
// allocate again.
void EmptySlot(RecordSlot& slot);

enum class FeedResult {
  kContinued,     // the line ends in "$": the record goes on
  kNothing,       // blank or comment line: no record
  kFini,          // the record is FINI: the input ends here (slot emptied)
  kRecord,        // a record with words is in the slot
  kDropped,       // the record begins with "/": dropped (slot emptied)
  kTooLong,       // more than kRecordTextLimit characters (slot emptied)
  kTooManyWords,  // more than kRecordWordLimit words (slot emptied)
  kBadNumber,     // a number word beyond the range of a double (slot emptied)
};

// Adds one line (without its line end) to the record in `slot`; a slot
// without text takes `line_number` as the record's line.  Trailing blanks,
// tabs and CRs go.  On kRecord the words are split.
FeedResult AssembleLine(RecordSlot& slot, std::string_view line, int32_t line_number);

// Splits slot.text into words: "/" after the major word, "," after every
// other; a word that begins with "'" runs to the next "'".  PARTNO, PPRINT,
// INSERT and REMARK followed by a blank and no slash ("PARTNO PART 1") give
// the major word and the rest of the text as one word.  Returns kRecord,
// kDropped, kTooManyWords or kBadNumber.
FeedResult SplitWords(RecordSlot& slot);

// A number word: not empty, only digits, signs and points, or a number with
// an exponent ("1.5E-3").
bool IsNumberWord(std::string_view word);
// The value of the longest leading part of `word` that reads as a decimal
// number ("1-2" is 1, "-" is 0), or of the whole number with its exponent;
// too large a value is an infinity, too small a value 0.
double NumberWordValue(std::string_view word);

// Case-insensitive comparison of a word with an upper-case keyword.
bool WordIs(std::string_view word, std::string_view upper_keyword);

}  // namespace tornel
