#include "tornel/interp/token_reader.h"

#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

namespace tornel {
namespace {

double Value(const std::string& text) { return DecimalValue(text.data(), text.data() + text.size()); }

TEST(DecimalValue, ReadsTheNumberARunOfDigitsAndPointsStartsWith) {
  EXPECT_EQ(Value("12.5"), 12.5);
  EXPECT_EQ(Value(".25"), 0.25);
  EXPECT_EQ(Value("5."), 5);
  EXPECT_EQ(Value("."), 0);
  EXPECT_EQ(Value("007"), 7);
  EXPECT_EQ(Value("1.2.3"), 1.2);  // a second point ends the number
  EXPECT_EQ(Value("1..5"), 1);
}

TEST(DecimalValue, RoundsLikeAFullConversion) {
  for (const char* text : {"0.1", "0.2", "0.3", "2.675", "1234567.891", "0.000001",
                           "3.14159265358979323846", "123456789012345678", "9007199254740993",
                           "0.1000000000000000055511151231257827", "1e5"}) {
    std::string s(text);
    size_t run = s.find_first_not_of("0123456789.");
    std::string number = s.substr(0, run);
    EXPECT_EQ(Value(number), std::strtod(number.c_str(), nullptr)) << text;
  }
}

}  // namespace
}  // namespace tornel
