// Record assembly and word splitting: continuation lines, comments, FINI,
// quoted and empty words, number words and the slot's limits.
#include "tornel/cl/cl_record.h"

#include <charconv>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <random>
#include <string>

#include <gtest/gtest.h>

namespace tornel {
namespace {

// Feeds lines until one completes a record (or the lines run out).
FeedResult Feed(RecordSlot& slot, std::initializer_list<std::string_view> lines) {
  FeedResult result = FeedResult::kNothing;
  int n = 0;
  for (std::string_view line : lines) result = AssembleLine(slot, line, ++n);
  return result;
}

TEST(ClRecord, BlanksAndCommentVanishFromAGotoLine) {
  RecordSlot slot;
  ASSERT_EQ(Feed(slot, {"GOTO / 1.5 , -2 ,3.  $$ approach"}), FeedResult::kRecord);
  ASSERT_EQ(slot.words, 4);
  EXPECT_EQ(slot.word[0], "GOTO");
  EXPECT_EQ(slot.type[0], kWordString);
  EXPECT_EQ(slot.word[1], "1.5");
  EXPECT_EQ(slot.type[1], kWordNumber);
  EXPECT_EQ(slot.value[1], 1.5);
  EXPECT_EQ(slot.value[2], -2);
  EXPECT_EQ(slot.value[3], 3);
}

TEST(ClRecord, ContinuationLinesJoin) {
  RecordSlot slot;
  EXPECT_EQ(AssembleLine(slot, "GOTO/1,2,$", 7), FeedResult::kContinued);
  EXPECT_EQ(AssembleLine(slot, "3", 8), FeedResult::kRecord);
  EXPECT_EQ(slot.line, 7);  // the record's first line
  ASSERT_EQ(slot.words, 4);
  EXPECT_EQ(slot.value[3], 3);

  // The comment is cut first, then the "$" is seen.
  RecordSlot other;
  EXPECT_EQ(Feed(other, {"GOTO/1,2,$ $$ more follows", "3"}), FeedResult::kRecord);
  EXPECT_EQ(other.words, 4);
  EXPECT_EQ(other.text, "GOTO/1,2,3");
}

TEST(ClRecord, BlankAndCommentLinesMakeNoRecord) {
  RecordSlot slot;
  EXPECT_EQ(AssembleLine(slot, "", 1), FeedResult::kNothing);
  EXPECT_EQ(AssembleLine(slot, " \t ", 2), FeedResult::kNothing);
  EXPECT_EQ(AssembleLine(slot, "$$ header", 3), FeedResult::kNothing);
  EXPECT_EQ(AssembleLine(slot, "RAPID", 4), FeedResult::kRecord);
  EXPECT_EQ(slot.line, 4);
  EXPECT_EQ(slot.words, 1);
}

TEST(ClRecord, FiniInAnyCaseEndsTheInput) {
  for (std::string_view fini : {"FINI", "fini", "FiNi  $$ end"}) {
    RecordSlot slot;
    EXPECT_EQ(Feed(slot, {fini}), FeedResult::kFini) << fini;
    EXPECT_TRUE(slot.text.empty());
  }
  RecordSlot slot;
  EXPECT_EQ(Feed(slot, {"FI$", "NI"}), FeedResult::kFini);
  EXPECT_EQ(Feed(slot, {"FINI/1"}), FeedResult::kRecord);  // only the whole text counts
}

TEST(ClRecord, QuotedWordKeepsItsCommas) {
  RecordSlot slot;
  ASSERT_EQ(Feed(slot, {"PPRINT/'ROUGH, 2 PASSES, 0.5'"}), FeedResult::kRecord);
  ASSERT_EQ(slot.words, 2);
  EXPECT_EQ(slot.word[1], "ROUGH, 2 PASSES, 0.5");
  EXPECT_EQ(slot.type[1], kWordString);

  // The character after the closing quote goes with it; an open quote runs
  // to the end.
  RecordSlot two;
  ASSERT_EQ(Feed(two, {"INSERT/'A,B',7,'C"}), FeedResult::kRecord);
  ASSERT_EQ(two.words, 4);
  EXPECT_EQ(two.word[1], "A,B");
  EXPECT_EQ(two.value[2], 7);
  EXPECT_EQ(two.word[3], "C");
}

TEST(ClRecord, EmptyWordsAndTrailingComma) {
  RecordSlot slot;
  ASSERT_EQ(Feed(slot, {"SPINDL/ 1200,,CLW,"}), FeedResult::kRecord);
  ASSERT_EQ(slot.words, 4);  // the trailing comma adds nothing
  EXPECT_EQ(slot.word[2], "");
  EXPECT_EQ(slot.type[2], kWordString);
  EXPECT_EQ(slot.word[3], "CLW");

  RecordSlot bare;
  ASSERT_EQ(Feed(bare, {"END/"}), FeedResult::kRecord);
  EXPECT_EQ(bare.words, 1);
}

TEST(ClRecord, RecordWithoutMajorWordIsDropped) {
  RecordSlot slot;
  EXPECT_EQ(Feed(slot, {" / 1,2,3"}), FeedResult::kDropped);
  EXPECT_EQ(slot.words, 0);
  EXPECT_TRUE(slot.text.empty());  // the next line starts a fresh record
  EXPECT_EQ(AssembleLine(slot, "STOP", 9), FeedResult::kRecord);
  EXPECT_EQ(slot.text, "STOP");
}

TEST(ClRecord, NumberWords) {
  EXPECT_TRUE(IsNumberWord("+.5"));
  EXPECT_TRUE(IsNumberWord("1-2"));
  EXPECT_TRUE(IsNumberWord("-"));
  // Numbers in scientific notation, as some CAM systems write them.
  EXPECT_TRUE(IsNumberWord("1.5E3"));
  EXPECT_TRUE(IsNumberWord("-2e-2"));
  EXPECT_EQ(NumberWordValue("1.5E3"), 1500);
  EXPECT_EQ(NumberWordValue("-2e-2"), -0.02);
  EXPECT_EQ(NumberWordValue("1E999"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(NumberWordValue("1E-999"), 0);
  EXPECT_FALSE(IsNumberWord("E5"));
  EXPECT_FALSE(IsNumberWord("1E"));
  EXPECT_FALSE(IsNumberWord("1E5X"));
  EXPECT_FALSE(IsNumberWord("1-2E5"));
  EXPECT_FALSE(IsNumberWord(""));
  EXPECT_FALSE(IsNumberWord("1 2"));
  EXPECT_EQ(NumberWordValue("+.5"), 0.5);
  EXPECT_EQ(NumberWordValue("1-2"), 1);
  EXPECT_EQ(NumberWordValue("-"), 0);
  EXPECT_EQ(NumberWordValue("1.2.3"), 1.2);
  EXPECT_EQ(NumberWordValue("--4"), 0);
  EXPECT_EQ(NumberWordValue("-7."), -7);
  EXPECT_EQ(NumberWordValue(std::string(400, '9')), INFINITY);
  EXPECT_EQ(NumberWordValue("-" + std::string(400, '9')), -INFINITY);
  EXPECT_EQ(NumberWordValue("0." + std::string(400, '0') + "1"), 0);
}

std::string Words(int n) {
  std::string text = "GOTO";
  for (int i = 1; i < n; ++i) text += (i == 1 ? "/" : ",") + std::to_string(i);
  return text;
}

TEST(ClRecord, HundredWordsFitAHundredAndFirstDoesNot) {
  RecordSlot slot;
  ASSERT_EQ(Feed(slot, {Words(100)}), FeedResult::kRecord);
  EXPECT_EQ(slot.words, 100);
  EXPECT_EQ(slot.value[99], 99);
  RecordSlot over;
  EXPECT_EQ(Feed(over, {Words(101)}), FeedResult::kTooManyWords);
  EXPECT_EQ(over.words, 0);
  EXPECT_EQ(over.word[99], "");  // emptied, nothing left behind
}

TEST(ClRecord, RecordTextLimit) {
  RecordSlot slot;
  std::string fits = "PPRINT/" + std::string(kRecordTextLimit - 7, 'A');
  ASSERT_EQ(Feed(slot, {fits}), FeedResult::kRecord);
  EXPECT_EQ(slot.word[1].size(), kRecordTextLimit - 7);

  // A long comment is cut before the limit counts.
  RecordSlot commented;
  EXPECT_EQ(Feed(commented, {"STOP $$" + std::string(5000, 'x')}), FeedResult::kRecord);

  // Too long, on one line or across continuation lines: refused, not cut.
  RecordSlot one;
  EXPECT_EQ(Feed(one, {fits + "B"}), FeedResult::kTooLong);
  EXPECT_TRUE(one.text.empty());
  RecordSlot joined;
  std::string half(1200, 'C');
  EXPECT_EQ(Feed(joined, {"PPRINT/" + half + "$", half}), FeedResult::kTooLong);
  EXPECT_TRUE(joined.text.empty());
}

TEST(ClRecord, GarbageBytesStayInsideTheSlot) {
  std::string garbage;
  for (int i = 0; i < 600; ++i) garbage += static_cast<char>((i * 37) % 256);
  RecordSlot slot;
  for (size_t at = 0; at < garbage.size(); at += 50) {
    FeedResult r = AssembleLine(slot, std::string_view(garbage).substr(at, 50), 1);
    EXPECT_LE(slot.text.size(), kRecordTextLimit);
    EXPECT_LE(slot.words, kRecordWordLimit);
    if (r != FeedResult::kContinued) EmptySlot(slot);
  }
}

// Other CAM systems' ways of writing records.
TEST(ClRecord, TextRecordsWithoutSlashKeepTheirTextInOneWord) {
  struct Case {
    std::string_view line;
    std::string_view major, text;
  };
  for (const Case& c : {Case{"PARTNO PART 1", "PARTNO", "PART 1"},
                        Case{"  pprint  check clamps, then go  ", "pprint",
                             "check clamps, then go"},
                        Case{"INSERT\tG54 G90/M08", "INSERT", "G54 G90/M08"},
                        Case{"Remark CUT: TWO ", "Remark", "CUT: TWO"}}) {
    RecordSlot slot;
    ASSERT_EQ(Feed(slot, {c.line}), FeedResult::kRecord) << c.line;
    ASSERT_EQ(slot.words, 2) << c.line;
    EXPECT_EQ(slot.word[0], c.major);
    EXPECT_EQ(slot.word[1], c.text);
    EXPECT_EQ(slot.type[1], kWordString);
  }
  RecordSlot number;
  ASSERT_EQ(Feed(number, {"PARTNO 1234"}), FeedResult::kRecord);
  EXPECT_EQ(number.type[1], kWordNumber);
  EXPECT_EQ(number.value[1], 1234);

  // With a slash, or for any other major word, the usual splitting holds.
  struct Split {
    std::string_view line;
    int words;
    std::string_view major;
  };
  for (const Split& c : {Split{"PPRINT /TEXT,MORE", 3, "PPRINT"},
                         Split{"PARTNO/PART 1", 2, "PARTNO"}, Split{"PARTNO  ", 1, "PARTNO"},
                         Split{"TOOL PATH/POCKET,TOOL,MILL", 4, "TOOL PATH"},
                         Split{"PARTNOS X", 1, "PARTNOS X"}, Split{"GOTO 1,2", 1, "GOTO 1,2"}}) {
    RecordSlot slot;
    ASSERT_EQ(Feed(slot, {c.line}), FeedResult::kRecord) << c.line;
    EXPECT_EQ(slot.words, c.words) << c.line;
    EXPECT_EQ(slot.word[0], c.major) << c.line;
  }
}

TEST(ClRecord, CarriageReturnsAtTheLineEndGo) {
  RecordSlot slot;
  ASSERT_EQ(Feed(slot, {"GOTO/1,2,3\r"}), FeedResult::kRecord);
  EXPECT_EQ(slot.type[3], kWordNumber);
  EXPECT_EQ(slot.value[3], 3);

  RecordSlot joined;  // CR CR LF line ends, a "$" before them
  EXPECT_EQ(Feed(joined, {"GOTO/1,2,$ \r", "3\r\r"}), FeedResult::kRecord);
  EXPECT_EQ(joined.text, "GOTO/1,2,3");

  RecordSlot fini;
  EXPECT_EQ(Feed(fini, {"fini\r"}), FeedResult::kFini);

  RecordSlot inner;  // only at the end of a line
  ASSERT_EQ(Feed(inner, {"GOTO/1,2\r,3"}), FeedResult::kRecord);
  EXPECT_EQ(inner.type[2], kWordString);
}

// Plain decimals take a short way to their value; it must be the value the
// full conversion gives, last bit and all.
TEST(ClRecord, NumberValuesAgreeWithTheFullConversion) {
  std::mt19937_64 random(20261208);
  for (int i = 0; i < 50000; ++i) {
    int int_digits = static_cast<int>(random() % 9);
    int decimals = static_cast<int>(random() % 9);
    std::string word = random() % 3 == 0 ? "-" : "";
    for (int k = 0; k < int_digits; ++k) word += static_cast<char>('0' + random() % 10);
    if (decimals > 0 || int_digits == 0) word += '.';
    for (int k = 0; k < decimals; ++k) word += static_cast<char>('0' + random() % 10);
    if (int_digits + decimals == 0) continue;
    double expected = 0;
    size_t skip = word[0] == '-' ? 1 : 0;
    std::from_chars(word.data() + skip, word.data() + word.size(), expected);
    if (skip) expected = -expected;
    ASSERT_EQ(NumberWordValue(word), expected) << word;
    RecordSlot slot;
    ASSERT_EQ(Feed(slot, {"GOTO/" + word}), FeedResult::kRecord);
    ASSERT_EQ(slot.value[1], expected) << word;
    ASSERT_EQ(slot.type[1], kWordNumber) << word;
  }
  // Words off the short way give what the full rules give, sign of zero too.
  for (std::string word : {"+.5", "-0", "-0.000", "1-2", "1.2.3", "-", "+.", "--4", "-7.", ".",
                           "1234567890123456", "0.1234567890123456", "1.5E3", "12A"}) {
    RecordSlot slot;
    ASSERT_EQ(Feed(slot, {"GOTO/" + word}), FeedResult::kRecord) << word;
    EXPECT_EQ(slot.type[1], IsNumberWord(word) ? kWordNumber : kWordString) << word;
    double expected = IsNumberWord(word) ? NumberWordValue(word) : 0;
    EXPECT_EQ(slot.value[1], expected) << word;
    EXPECT_EQ(std::signbit(slot.value[1]), std::signbit(expected)) << word;
  }
  EXPECT_EQ(NumberWordValue("0.1"), 0.1);
  EXPECT_EQ(NumberWordValue("123456789012345"), 123456789012345.0);
  EXPECT_EQ(NumberWordValue("1234567890123456789"), 1234567890123456789.0);  // the long way
}

}  // namespace
}  // namespace tornel
