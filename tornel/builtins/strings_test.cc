#include "tornel/builtins/strings.h"

#include <gtest/gtest.h>

namespace tornel {
namespace {

TEST(Strings, SubstringsClamp) {
  EXPECT_EQ(StrCopy("ABCDEF", 2, 3), "BCD");
  EXPECT_EQ(StrCopy("ABC", 3, 10), "C");
  EXPECT_EQ(StrCopy("ABC", 5, 1), "");
  EXPECT_EQ(StrCopy("ABC", -4, 2), "AB");  // counts from the first character
  EXPECT_EQ(StrCopy("ABC", 1, -1), "");
  EXPECT_EQ(StrCopy("ABC", 1.9, 2.9), "AB");  // truncated toward zero
  EXPECT_EQ(StrCopy("ABC", 1, 1e300), "ABC");
  EXPECT_EQ(StrRCopy("ABCDEF", 2, 2), "DE");
  EXPECT_EQ(StrRCopy("ABCDEF", 1, 3), "DEF");  // the last n characters
  EXPECT_EQ(StrRCopy("ABCDEF", 1, 10), "ABCDEF");
  EXPECT_EQ(StrRCopy("ABCDEF", 7, 2), "");
}

TEST(Strings, InPlaceEdits) {
  std::string v = "ABCDEF";
  StrIns(v, "xy", 3);
  EXPECT_EQ(v, "ABxyCDEF");
  v = "ABCDEF";
  StrOvr(v, "xy", 3);
  EXPECT_EQ(v, "ABxyEF");
  v = "ABCDEF";
  StrOvr(v, "xyz", 5);
  EXPECT_EQ(v, "ABCDxyz");
  v = "AB";
  StrOvr(v, "x", 9);  // past the end: appended
  EXPECT_EQ(v, "ABx");
  v = "ABCDEF";
  StrDel(v, 2, 3);
  EXPECT_EQ(v, "AEF");
  StrDel(v, 9, 1);
  EXPECT_EQ(v, "AEF");
  v = " a b\tc\n";
  EXPECT_TRUE(StrRSpc(v, 4));
  EXPECT_EQ(v, "abc");
  v = " \t a b \r\n";
  EXPECT_TRUE(StrRSpc(v, 1));
  EXPECT_EQ(v, "a b \r\n");
  EXPECT_TRUE(StrRSpc(v, 2));
  EXPECT_EQ(v, "a b");
  EXPECT_FALSE(StrRSpc(v, 5));
  v = "aZ\xe4";
  StrUp(v);
  EXPECT_EQ(v, "AZ\xe4");
}

TEST(Strings, CharactersAndNumbers) {
  EXPECT_EQ(Chr(65), "A");
  EXPECT_EQ(Chr(0), "");
  EXPECT_EQ(Tab(2, 3), "\t\t   ");
  EXPECT_EQ(Tab(-1, 0), "");
  EXPECT_EQ(AscVal("A", 1), 65);
  EXPECT_EQ(AscVal("\xff", 1), 255);
  EXPECT_FALSE(AscVal("A", 2));
  EXPECT_FALSE(AscVal("A", 0));
  EXPECT_EQ(StrVal("12.5"), 12.5);
  EXPECT_EQ(StrVal("-.5"), -0.5);
  EXPECT_FALSE(StrVal(" 12"));
  EXPECT_FALSE(StrVal(""));
  EXPECT_FALSE(StrVal("1e3"));
  EXPECT_FALSE(StrVal("1-2"));
  EXPECT_FALSE(StrVal("+"));
}

TEST(Strings, TimeAndDateLetterRuns) {
  EXPECT_EQ(StrTime("hh:mm:ss", 9, 5, 3), "09:05:03");
  EXPECT_EQ(StrTime("h:m", 9, 5, 3), "9:05");
  EXPECT_EQ(StrTime("HH:MM A", 14, 5, 0), "02:05 PM");
  EXPECT_EQ(StrTime("h a", 0, 0, 0), "12 AM");
  EXPECT_EQ(StrTime("h-h", 7, 0, 0), "7-h");  // only the first run
  EXPECT_EQ(StrDate("dd.mm.yyyy", 2018, 10, 4), "04.10.2018");
  EXPECT_EQ(StrDate("yy-mm-dd", 2018, 10, 4), "18-10-04");
  EXPECT_EQ(StrDate("d.m.yyyy", 2018, 10, 4), "4.10.2018");
  EXPECT_EQ(StrDate("y", 2005, 1, 1), "05");
}

}  // namespace
}  // namespace tornel
