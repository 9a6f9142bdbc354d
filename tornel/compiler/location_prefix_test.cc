#include "tornel/compiler/location_prefix.h"

#include <gtest/gtest.h>

#include "tornel/compiler/tokens.h"

namespace tornel {
namespace {

TEST(LocationPrefix, RoundTripsAndRefusesOtherLines) {
  std::string line = WithLocation({3, 127}, "a=1,2");
  EXPECT_EQ(line, "3,127\x01" "a=1,2");
  Location loc{9, 9};
  std::string_view statement;
  ASSERT_TRUE(SplitLocation(line, loc, statement));
  EXPECT_EQ(loc.file, 3);
  EXPECT_EQ(loc.line, 127);
  EXPECT_EQ(statement, "a=1,2");

  // A label line and malformed prefixes leave the location alone.
  for (std::string bad : {std::string(1, kTokLabelLine) + "31", std::string("0,5"),
                          std::string("0;5\x01x"), std::string("-1,5\x01x"),
                          std::string(",5\x01x"), std::string("")}) {
    Location keep{9, 9};
    EXPECT_FALSE(SplitLocation(bad, keep, statement)) << bad;
    EXPECT_EQ(keep.file, 9);
    EXPECT_EQ(keep.line, 9);
  }
}

}  // namespace
}  // namespace tornel
