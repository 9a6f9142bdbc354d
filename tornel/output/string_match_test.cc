#include "tornel/output/string_match.h"

#include <gtest/gtest.h>

namespace tornel {
namespace {

TEST(StringMatch, PlainFindsAndNeverOverlaps) {
  EXPECT_EQ(FindMatch("X1X2", "X", MatchKind::kPlain), 0u);
  EXPECT_EQ(FindLastMatch("X1X2", "X", MatchKind::kPlain), 2u);
  EXPECT_EQ(FindLastMatch("aaa", "aa", MatchKind::kPlain), 0u);
  EXPECT_EQ(FindMatch("abc", "", MatchKind::kPlain), kNoMatch);
  std::string v = "aaaa";
  EXPECT_EQ(ReplaceMatches(v, "aa", "a", MatchKind::kPlain), 2);
  EXPECT_EQ(v, "aa");
}

TEST(StringMatch, WordAndAddressGlue) {
  EXPECT_EQ(FindMatch("XY1X2", "X", MatchKind::kAddress), 3u);
  EXPECT_EQ(FindMatch("X12.5", "X", MatchKind::kAddress), 0u);
  EXPECT_EQ(FindMatch("XY", "X", MatchKind::kAddress), kNoMatch);
  EXPECT_EQ(FindMatch("X12.5", "X", MatchKind::kWord), kNoMatch);  // digits glue words
  EXPECT_EQ(FindMatch("X1 X", "X", MatchKind::kWord), 3u);
  EXPECT_EQ(FindMatch("$X #X X", "X", MatchKind::kWord), 6u);
  // A match whose own edge is no name character is not glued on that side.
  EXPECT_EQ(FindMatch("seqnext?a", "seqnext?", MatchKind::kWord), 0u);
  std::string v = "MAX X1 AX";
  EXPECT_EQ(ReplaceMatches(v, "X", "U", MatchKind::kWord), 0);
  EXPECT_EQ(v, "MAX X1 AX");
  EXPECT_EQ(ReplaceMatches(v, "X", "U", MatchKind::kAddress), 1);
  EXPECT_EQ(v, "MAX U1 AX");
}

}  // namespace
}  // namespace tornel
