#include "tornel/compiler/preprocessor.h"

#include <gtest/gtest.h>

#include "tests/fatal_report.h"
#include "tests/test_dir.h"
#include "tornel/compiler/tokens.h"
#include "tornel/sysvars/system_variable_counts.h"

namespace tornel {
namespace {

using tornel_test::ReportOf;

// Token bytes shown readably: location separator '|', string reference
// '@', word separator '~'.
std::string Show(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines) {
    for (char c : line) {
      if (c == kTokLocation)
        out += '|';
      else if (c == kTokStringRef)
        out += '@';
      else if (c == kTokWordSep)
        out += '~';
      else
        out += c;
    }
    out += '\n';
  }
  return out;
}

// The files are texts in memory; the temp directory shows that nothing is
// written to disk.
class Preprocessor : public tornel_test::InTempDir {
 protected:
  void WriteFile(const std::string& name, const std::string& text) { sources_.Add(name, text); }
  // Preprocesses `post` as the post file "p.tr".
  std::string Run(const std::string& post) {
    WriteFile("p.tr", post);
    diag_.post_file = "p.tr";
    diag_.sources = &sources_;
    return Show(Preprocess(diag_, sources_, stacks_, kFirstStringLiteral,
                           ReadSourceLines(diag_, sources_, "p.tr")));
  }
  std::string ReportFor(const std::string& post) {
    return ReportOf(diag_, [&] { Run(post); });
  }
  std::vector<std::string> Literals() {
    std::vector<std::string> texts;
    for (size_t i = 0; i < TextCount(stacks_, kStringLiteralRow); ++i)
      texts.push_back(*GetText(stacks_, kStringLiteralRow, static_cast<long long>(i)));
    return texts;
  }

  MemorySources sources_;
  Diagnostics diag_;
  StackStore stacks_;
};

TEST_F(Preprocessor, SqueezesBlanksLowerCasesAndSplitsStatements) {
  EXPECT_EQ(Run("  A  =  B\t+ 1   // Comment; not split\n"
                "\n"
                "IF\tuiA  >=  2 THEN\n"
                "x = 1; Y=2;;\r\n"
                "   // only a comment\n"
                "CALL fiF ( a , b )\n"),
            "0,1|a=b+1\n"
            "0,3|if uia>=2 then\n"
            "0,4|x=1\n"
            "0,4|y=2\n"
            "0,6|call fif(a,b)\n");
  EXPECT_TRUE(diag_.include_list.empty());
  // Nothing is left on disk between the steps.
  EXPECT_FALSE(Exists("Tornel.tmp") || Exists("Tornel1.tmp") || Exists("Tornel2.tmp"));
}

TEST_F(Preprocessor, StringLiteralsGoToTheStackStore) {
  EXPECT_EQ(Run("ssA = 'Mixed; Case // not a comment'\n"
                "ssB='x'+'' // it's a comment\n"
                "print 'y'5\n"),
            "0,1|ssa=@822\n"
            "0,2|ssb=@823+@824\n"
            "0,3|print@825 5\n");
  EXPECT_EQ(kFirstStringLiteral, kStringSystemSlots);
  EXPECT_EQ(Literals(), (std::vector<std::string>{"Mixed; Case // not a comment", "x", "", "y"}));
}

TEST_F(Preprocessor, LiteralContinuesOnTheNextLine) {
  EXPECT_EQ(Run("ssA = 'abc \\   // note\n"
                "  def' + 'g\\\n"
                "h'\n"
                "B = 1\n"),
            "0,1|ssa=@822+@823\n"
            "0,4|b=1\n");
  EXPECT_EQ(Literals(), (std::vector<std::string>{"abc   def", "gh"}));
}

TEST_F(Preprocessor, UnterminatedLiteralIsReportedAtItsLine) {
  EXPECT_EQ(ReportFor("a=1\nssA = 'abc\nb=2\n"),
            "Error in postprocessor file - p.tr\n\nQuotes ' do not match in line 2:\nssA = 'abc\n");
  // The second literal of a joined line opens on the second physical line.
  EXPECT_EQ(ReportFor("x='a\\\nb' + 'c\n"),
            "Error in postprocessor file - p.tr\n\nQuotes ' do not match in line 2:\nb' + 'c\n");
  // A backslash on the last line has no line to continue on.
  EXPECT_EQ(ReportFor("x='a\\"),
            "Error in postprocessor file - p.tr\n\nQuotes ' do not match in line 1:\nx='a\\");
}

TEST_F(Preprocessor, StatementContinuationKeepsTheFirstLine) {
  EXPECT_EQ(Run("a = b + \\  // more\n"
                "   c\n"
                "if a \\\n"
                "\\\n"
                "  and b\n"
                "d=1 \\"),
            "0,1|a=b+c\n"
            "0,3|if a and b\n"
            "0,6|d=1\n");
  // A statement error found in the joined line names its first line.
  EXPECT_EQ(ReportFor("x=1\n---- \\\n x\n"),
            "Error in postprocessor file - p.tr\n\nInvalid ---- CONTROL OFF statement in line 2:\n"
            "---- \\\n");
}

TEST_F(Preprocessor, LineNumbersStayRightAfterJoinedLiterals) {
  EXPECT_EQ(Run("s='a\\\nb'\nc=1\n"), "0,1|s=@822\n0,3|c=1\n");
  EXPECT_EQ(ReportFor("s='a\\\nb'\n\nx ----\n"),
            "Error in postprocessor file - p.tr\n\nInvalid ---- CONTROL OFF statement in line 4:\n"
            "x ----\n");
}

TEST_F(Preprocessor, ControlOffDropsLinesUntilOn) {
  EXPECT_EQ(Run("a=1\n"
                "----   // off\n"
                "anything goes here ( ] \n"
                "++++\n"
                "b=2\n"),
            "0,1|a=1\n"
            "0,5|b=2\n");
  EXPECT_EQ(ReportFor("---- x\n"),
            "Error in postprocessor file - p.tr\n\nInvalid ---- CONTROL OFF statement in line 1:\n"
            "---- x\n");
  // Checked while CONTROL is OFF too.
  EXPECT_EQ(ReportFor("----\n++++ y\n"),
            "Error in postprocessor file - p.tr\n\nInvalid ++++ CONTROL ON statement in line 2:\n"
            "++++ y\n");
}

TEST_F(Preprocessor, ControlStartsOnInEveryFile) {
  WriteFile("a.inc", "----\ninside=1\n");
  WriteFile("b.inc", "b=2\n");
  EXPECT_EQ(Run("include: 'a.inc'\ninclude: 'b.inc'\n----\nx=1\n"), "2,1|b=2\n");
}

TEST_F(Preprocessor, AddressFormsGetTheWordSeparator) {
  EXPECT_EQ(Run("o: _'Txt' _%5 _* _x"), "0,1|o:~@822 ~%5 ~_x\n");
}

TEST_F(Preprocessor, IncludesAreBreadthFirstAndOnce) {
  WriteFile("a.inc", "include: 'c.inc'\nINCLUDE: 'B.inc'\na=1\n");
  WriteFile("b.inc", "include: 'a.inc'\nb='B'\n");
  WriteFile("c.inc", "  include:'p.tr'\nc=1\n");
  EXPECT_EQ(Run("Include: 'a.inc'  // first\n"
                "include: 'b.inc'\n"
                "p='P'\n"
                "inclexs: 'a.inc'\n"
                "inclexs: 'none.inc'\n"),
            "0,3|p=@822\n"
            "1,3|a=1\n"
            "2,2|b=@823\n"
            "3,2|c=1\n"
            // The post file itself is no include file: once more as file 4.
            "4,3|p=@824\n");
  EXPECT_EQ(diag_.include_list, "\ta.inc\n\tb.inc\n\tc.inc\n\tp.tr\n");
  EXPECT_EQ(Literals(), (std::vector<std::string>{"P", "B", "P"}));
}

TEST_F(Preprocessor, IncludeStatementErrors) {
  WriteFile("a.inc", "a=1\n");
  const std::string head = "Error in postprocessor file - p.tr\n\n";
  EXPECT_EQ(ReportFor("a=1\n  x include: 'a.inc'\n"),
            head + "Invalid include: statement in line 2:\n  x include: 'a.inc'\n");
  EXPECT_EQ(ReportFor("s='inclexs: a'\n"),
            head + "Invalid inclexs: statement in line 1:\ns='inclexs: a'\n");
  EXPECT_EQ(ReportFor("include: a.inc\n"),
            head + "Include filename missing or not in quotes in line 1:\ninclude: a.inc\n");
  EXPECT_EQ(ReportFor("include:\n"),
            head + "Include filename missing or not in quotes in line 1:\ninclude:\n");
  EXPECT_EQ(ReportFor("include: 'a.inc\n"),
            head + "Quotes ' do not match in line 1:\ninclude: 'a.inc\n");
  EXPECT_EQ(ReportFor("include: 'a'inc'\n"),
            head + "Quotes ' do not match in line 1:\ninclude: 'a'inc'\n");
  EXPECT_EQ(ReportFor("\n\ninclude: 'gone.inc'\n"),
            head + "Include file not found as specified in line 3:\ninclude: 'gone.inc'\n");
}

TEST_F(Preprocessor, ErrorInAnIncludeFileNamesThatFile) {
  WriteFile("sub/lib.inc", "a=1\nb=2\n\nc='x\\\n y'\n\n---- z\n");
  WriteFile("sub/two.inc", "include: 'nope.inc'\n");
  EXPECT_EQ(ReportFor("include: 'sub/lib.inc'\n"),
            "Error in include file - sub/lib.inc\n\nInvalid ---- CONTROL OFF statement in line 7:\n"
            "---- z\n");
  EXPECT_EQ(ReportFor("include: 'sub/two.inc'\ninclude: 'sub/lib.inc'\n"),
            "Error in include file - sub/two.inc\n\n"
            "Include file not found as specified in line 1:\ninclude: 'nope.inc'\n");
}

TEST_F(Preprocessor, LongLinesAreReadWhole) {
  std::string name(5000, 'n');
  std::string text(6000, 'T');
  EXPECT_EQ(Run("uiA = " + name + " + 1 ; ssB = '" + text + "'\nc=1\n"),
            "0,1|uia=" + name + "+1\n0,1|ssb=@822\n0,2|c=1\n");
  EXPECT_EQ(Literals(), std::vector<std::string>{text});
}

}  // namespace
}  // namespace tornel
