#include "platform/code_pages.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(CodePages, AsciiStaysAndLatinLettersMove) {
  EXPECT_EQ(Cp1252ToCp850("set X=abc 123\n"), "set X=abc 123\n");
  // ä ö å Ä Ö Å (the Finnish letters) and é, then the euro sign, which
  // code page 850 lacks.
  EXPECT_EQ(Cp1252ToCp850("\xE4\xF6\xE5\xC4\xD6\xC5\xE9\x80"),
            "\x84\x94\x86\x8E\x99\x8F\x82?");
  // Same length, NUL bytes kept.
  EXPECT_EQ(Cp1252ToCp850(std::string_view("a\0\xFF", 3)), std::string("a\0\x98", 3));
}

}  // namespace
}  // namespace platform
