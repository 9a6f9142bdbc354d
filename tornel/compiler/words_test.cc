#include "tornel/compiler/words.h"

#include <gtest/gtest.h>

namespace tornel {
namespace {

std::string Replaced(std::string text, std::string_view word, std::string_view sub) {
  ReplaceWholeWords(text, word, sub);
  return text;
}

TEST(Words, ReplacesOnlyWholeWords) {
  EXPECT_EQ(Replaced("$x+$xy-a$x*$x_1/$x", "$x", "14"), "14+$xy-a$x*$x_1/14");
  // '?' is no name character: found before a name character too.
  EXPECT_EQ(Replaced("seqnext?;seqnext?a", "seqnext?", "S"), "S;Sa");
  EXPECT_EQ(Replaced("#c=#cc+c#", "#c", "1"), "1=#cc+c#");
  EXPECT_EQ(Replaced("seqnextcancel", "seqnext", "x"), "seqnextcancel");
  // A substitute that holds the word is not replaced again.
  EXPECT_EQ(Replaced("seqini", "seqini", "srseq=srseqini"), "srseq=srseqini");
  std::string text = "process processend siprocess (process)";
  EXPECT_EQ(ReplaceWholeWords(text, "process", "p1"), 2);
  EXPECT_EQ(text, "p1 processend siprocess (p1)");
}

TEST(Words, TokenBytesAreNoNameCharacters) {
  EXPECT_FALSE(IsNameChar(static_cast<char>(132)));
  EXPECT_FALSE(IsNameChar(static_cast<char>(0xE4)));
  EXPECT_TRUE(IsNameChar('#'));
  std::string s = "ABC\xC4z\x84";
  LowerAsciiInPlace(s);
  EXPECT_EQ(s, "abc\xC4z\x84");
}

}  // namespace
}  // namespace tornel
