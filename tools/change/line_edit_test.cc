#include "tools/change/line_edit.h"

#include <gtest/gtest.h>

#include <string>

namespace change {
namespace {

// The line as written, or "<dropped>" / "<too long>".
std::string Edited(std::string line, const std::string& search, const std::string& replacement,
                   Options options = {}, bool continued = false) {
  Texts texts = PrepareTexts(search, replacement, options);
  switch (EditLine(line, continued, texts, options)) {
    case Edit::kDrop: return "<dropped>";
    case Edit::kTooLong: return "<too long>";
    case Edit::kWrite: break;
  }
  return line;
}

Options With(void (*set)(Options&)) {
  Options o;
  set(o);
  return o;
}

TEST(ChangeLineEdit, MatchesIgnoringCaseUnlessCaseSensitive) {
  EXPECT_EQ(Edited("xABCyabc\n", "abc", "X"), "xXyX\n");
  EXPECT_EQ(Edited("xABCyabc\n", "abc", "X", With([](Options& o) { o.case_sensitive = true; })),
            "xABCyX\n");
  // The rest of the line keeps its own case.
  EXPECT_EQ(Edited("Hello World\n", "WORLD", "there"), "Hello there\n");
}

TEST(ChangeLineEdit, AReplacementIsNeverSearchedAgain) {
  EXPECT_EQ(Edited("aa\n", "a", "aa"), "aaaa\n");
  EXPECT_EQ(Edited("aXa\n", "a", "Aa"), "AaXAa\n");
  // Occurrences that overlap: the search goes on after the replacement.
  EXPECT_EQ(Edited("aaa\n", "aa", "b"), "ba\n");
}

TEST(ChangeLineEdit, AtStartTakesOnlyAMatchAtOffsetZero) {
  Options at_start = With([](Options& o) { o.at_start = true; });
  EXPECT_EQ(Edited("abab\n", "ab", "x", at_start), "xab\n");
  EXPECT_EQ(Edited("xabab\n", "ab", "y", at_start), "xabab\n");
  // Removed text leaves the next occurrence at the start of the line.
  EXPECT_EQ(Edited("ababx\n", "ab", "", at_start), "x\n");
}

TEST(ChangeLineEdit, AtEndTakesTheMatchBeforeTheLineFeedWithItsBlanks) {
  Options at_end = With([](Options& o) { o.at_end = true; });
  EXPECT_EQ(Edited("G0 END   \n", "END", "M30", at_end), "G0 M30\n");
  EXPECT_EQ(Edited("G0 END\t \n", "end", "M30", at_end), "G0 M30\n");
  EXPECT_EQ(Edited("END of it\n", "END", "M30", at_end), "END of it\n");
  // A last line without a line feed never matches.
  EXPECT_EQ(Edited("G0 END", "END", "M30", at_end), "G0 END");
  EXPECT_EQ(Edited("G0 END  ", "END", "M30", at_end), "G0 END  ");
  // An earlier occurrence that is not at the end does not hide the last.
  EXPECT_EQ(Edited("END x END\n", "END", "M30", at_end), "END x M30\n");
  Options both = at_end;
  both.at_start = true;
  EXPECT_EQ(Edited("END\n", "END", "M30", both), "M30\n");
  EXPECT_EQ(Edited("x END\n", "END", "M30", both), "x END\n");
}

TEST(ChangeLineEdit, OmitDropsOnlyLinesAReplacementEmptied) {
  Options omit = With([](Options& o) { o.omit_empty = true; });
  EXPECT_EQ(Edited("DELETE ME\n", "delete me", "", omit), "<dropped>");
  EXPECT_EQ(Edited("\n", "delete me", "", omit), "\n");
  EXPECT_EQ(Edited("DELETE ME too\n", "delete me", "", omit), " too\n");
  EXPECT_EQ(Edited("abab\n", "ab", "", omit), "<dropped>");
  // With a replacement to write, or without /O, the line stays.
  EXPECT_EQ(Edited("DELETE ME\n", "delete me", "x", omit), "x\n");
  EXPECT_EQ(Edited("DELETE ME\n", "delete me", ""), "\n");
  // The rest of a long line is never taken for an empty line.
  EXPECT_EQ(Edited("abc\n", "abc", "", omit, /*continued=*/true), "\n");
}

TEST(ChangeLineEdit, WithoutTextsTheWholeLineTakesTheOptions) {
  Options upper = With([](Options& o) { o.upper = true; });
  EXPECT_EQ(Edited("Mixed case 1\n", "", "", upper), "MIXED CASE 1\n");
  Options both = upper;
  both.lower = true;  // /L wins
  EXPECT_EQ(Edited("Mixed case\n", "", "", both), "mixed case\n");
  Options omit = upper;
  omit.omit_empty = true;
  EXPECT_EQ(Edited("\n", "", "", omit), "<dropped>");
  EXPECT_EQ(Edited(" \n", "", "", omit), " \n");
  EXPECT_EQ(Edited("\n", "", "", omit, /*continued=*/true), "\n");
  // Only ASCII letters change case: other bytes pass as they are.
  EXPECT_EQ(Edited("\xe4\xc3\xa4z\n", "", "", upper), "\xe4\xc3\xa4Z\n");
  // /A turns the line into OEM (a-umlaut: 0xE4 in Windows-1252, 0x84 in
  // the OEM code pages).
  EXPECT_EQ(Edited("\xe4x\n", "", "", With([](Options& o) { o.ansi = true; })), "\x84x\n");
  // Only a replacement: nothing changes.
  EXPECT_EQ(Edited("\n", "", "x", omit), "\n");
  EXPECT_EQ(Edited("abc\n", "", "x", upper), "abc\n");
}

TEST(ChangeLineEdit, ReplacementBreaksTheLine) {
  EXPECT_EQ(Edited("a;b\n", ";", "~"), "a\nb\n");
  EXPECT_EQ(Edited("END\n", "END", "M05~M30"), "M05\nM30\n");
}

TEST(ChangeLineEdit, AnEditedLineMayNotOutgrowItsBuffer) {
  // 4094 bytes and a line feed, each 'a' becoming two bytes: far too long.
  std::string line(kPieceBytes - 1, 'a');
  line += '\n';
  EXPECT_EQ(Edited(line, "a", "bb"), "<too long>");
  // Exactly full: 5118 bytes and the line feed.
  std::string full(kEditedLineBytes - 1 - 1024 + 1, 'x');
  full += "\n";
  EXPECT_EQ(Edited(full, "x", std::string(1024, 'y'), With([](Options& o) {
                     o.at_start = true;
                   })).size(),
            kEditedLineBytes);
  full.insert(0, "x");
  EXPECT_EQ(Edited(full, "x", std::string(1024, 'y'), With([](Options& o) {
                     o.at_start = true;
                   })),
            "<too long>");
}

}  // namespace
}  // namespace change
