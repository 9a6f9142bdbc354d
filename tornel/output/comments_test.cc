#include "tornel/output/comments.h"

#include <gtest/gtest.h>

#include "tests/output_run.h"
#include "tornel/output/output_tables.h"
#include "tornel/sysvars/system_variable_counts.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {
namespace {

TEST(CommentFilter, SwitchesApplyInOrder) {
  ValueTables v;
  v.ints.assign(kSystemVariableCount, 0);
  std::string out;
  // Nothing switched on: the text stays.
  FilterCommentText(v, "a_b(\xC9)", out);
  EXPECT_EQ(out, "a_b(\xC9)");
  v.ints[kSiCommentAscii] = 1;
  v.ints[kSiCommentAlphaNum] = 1;
  v.ints[kSiCommentUpCase] = 1;
  // Accents folded, "_" a blank, other signs gone, upper case.
  FilterCommentText(v, "T1_\xC9\xE7\xF8\xFD: d=10.5 +x-y!\xD7", out);
  EXPECT_EQ(out, "T1 ECOY D10.5 +X-Y");
  // OEM instead of folding: code page 850 characters.
  v.ints[kSiCommentAlphaNum] = 0;
  v.ints[kSiCommentUpCase] = 0;
  v.ints[kSiCommentOEM] = 1;
  FilterCommentText(v, "\xC4\xE9\xF8\x80", out);
  EXPECT_EQ(out, "\x8E\x82\x9B" "E");
}

TEST(CommentFilter, OemTableKeepsAsciiAndMapsLatin1) {
  for (int c = 0; c < 128; ++c) EXPECT_EQ(AnsiToOem(static_cast<unsigned char>(c)), c);
  EXPECT_EQ(AnsiToOem(0xD6), 0x99);  // Ö
  EXPECT_EQ(AnsiToOem(0xE5), 0x86);  // å
  EXPECT_EQ(AnsiToOem(0xA0), 0xFF);  // no-break space
}

// PPRINT/BORE 1.0 DIA, ONE FULL TURN leaves "BORE 1.0 DIA,ONE FULL TURN".
TEST(PendingComments, JoiningCommasShowAsBlanksWhereTheFilterDropsThem) {
  ValueTables v;
  v.ints.assign(kIntegerSystemSlots, 0);
  v.strings.assign(kStringSystemSlots, "");
  OutputTables out;
  const std::string joined = "BORE 1.0 DIA,ONE FULL TURN,'A,B'";
  v.strings[kSsComment + 3] = joined;
  NoteJoinedComment(out, 3, joined, {12, 26});
  v.ints[kSiCommentAlphaNum] = 1;
  EXPECT_EQ(PendingCommentText(out, v, 3), "BORE 1.0 DIA ONE FULL TURN 'A,B'");
  // A comma inside a word is the filter's as before.
  std::string filtered;
  FilterCommentText(v, PendingCommentText(out, v, 3), filtered);
  EXPECT_EQ(filtered, "BORE 1.0 DIA ONE FULL TURN AB");
  // Where commas stay, they part the words themselves.
  v.ints[kSiCommentAlphaNum] = 0;
  EXPECT_EQ(PendingCommentText(out, v, 3), joined);
  // A text the post changed, and entries PPRINT did not join, stay as they are.
  v.ints[kSiCommentAlphaNum] = 1;
  v.strings[kSsComment + 3] = "MINE,TOO";
  EXPECT_EQ(PendingCommentText(out, v, 3), "MINE,TOO");
  v.strings[kSsComment + 4] = "X,Y";
  EXPECT_EQ(PendingCommentText(out, v, 4), "X,Y");
  EXPECT_EQ(PendingCommentText(OutputTables{}, v, 4), "X,Y");
}

const std::string kAddresses =
    "  addres\n"
    "    _n 'N' >4\n"
    "    _g 'G' 2 nomodal\n"
    "  end addres\n"
    "  seqnums: no _n 10 10 0\n";

class Comments : public tornel_test::OutputRun {
 protected:
  std::string Lines(const std::string& main, const std::string& body,
                    const std::string& functions = "") {
    if (!Start(Post(kAddresses + main, "func progstart\n" + body + "end func\n" + functions)))
      return "";
    Call("ProgStart");
    return Nc();
  }
};

TEST_F(Comments, ComWordsCarryTheMarkers) {
  EXPECT_EQ(Lines("  comment: '(' ')'\n", "o: com('Tool 1: \xC9p_a') _g(1)\n"),
            "G01 (\xB7TOOL 1 EP A\xB8)\r\n");
  // Without comment: (siCommentOn 0) a com word writes nothing.
  EXPECT_EQ(Lines("", "o: _g(1) com('x')\n"), "G01\r\n");
  // An empty text after filtering is no word.
  EXPECT_EQ(Lines("  comment: '(' ')'\n", "o: _g(1) com('!?')\n"), "G01\r\n");
}

TEST_F(Comments, PendingCommentsAndCommentLines) {
  // The first pending comment in the line, the others as comment lines
  // after it; noseq keeps those unnumbered.
  EXPECT_EQ(Lines("  comment: '(' ')' noseq\n  sicommentnospace = 1\n  siseqon = 1\n",
                  "sscomment[1] = 'a'\nsscomment[2] = 'b'\nsscomment[3] = 'c'\nsicomments = 3\n"
                  "o: _g(1) com\no: com\n"),
            "N10 G01(\xB7" "A\xB8)\r\n(\xB7" "B\xB8)\r\n(\xB7" "C\xB8)\r\n");
}

TEST_F(Comments, EachStaysOutOfCommentLinesWithNoEach) {
  EXPECT_EQ(Lines("  comment: '(' ')' noeach\n",
                  "o: each 'E'\nsscomment[1] = 'a'\nsscomment[2] = 'b'\nsicomments = 2\n"
                  "o: _g(1) com\n"),
            "E G01 (\xB7" "A\xB8)\r\n(\xB7" "B\xB8)\r\n");
}

TEST_F(Comments, CommentsPostFunctionWritesThemInstead) {
  EXPECT_EQ(Lines("", "o: _g(1) com('abc')\n",
                  "func comments\nssgetcomment = '[' + sscomment[1] + ']'\n"
                  "o: ssgetcomment %1(sicommentinline)\nend func\n"),
            // The function's words join the line being formed, which its O: completes.
            "[abc]1 G01\r\n");
}

}  // namespace
}  // namespace tornel
