#include "tornel/base/language_file.h"

#include <gtest/gtest.h>

#include "platform/text_file.h"
#include "tests/test_dir.h"

namespace tornel {
namespace {

TEST(LanguageFile, LineRules) {
  LanguageTable lang;
  ApplyLanguageLine(lang, "16:APT-CL-tiedosto %s puuttuu.\n");
  ApplyLanguageLine(lang, "  5:Stop\n");            // blanks before the number
  ApplyLanguageLine(lang, "3: keep the blank // a comment\n");
  ApplyLanguageLine(lang, "15:// only a comment\n");  // empty: the built-in text stays
  ApplyLanguageLine(lang, "0:zero\n");
  ApplyLanguageLine(lang, "99:ninety-nine\n");
  ApplyLanguageLine(lang, "4 no colon\n");
  ApplyLanguageLine(lang, "2x:trailing text after the number\n");
  ApplyLanguageLine(lang, "1:first\n");
  ApplyLanguageLine(lang, "1:second\n");            // a later line replaces
  ApplyLanguageLine(lang, "6:a:b\n");               // split at the first colon

  EXPECT_EQ(LangText(lang, 16, "x"), "APT-CL-tiedosto %s puuttuu.");
  EXPECT_EQ(LangText(lang, 5, "Cancel"), "Stop");
  EXPECT_EQ(LangText(lang, 3, "x"), " keep the blank ");
  EXPECT_EQ(LangText(lang, 15, "APT-CL filename not given."), "APT-CL filename not given.");
  EXPECT_EQ(LangText(lang, 4, "OK"), "OK");
  EXPECT_EQ(LangText(lang, 2, "Filename:"), "trailing text after the number");
  EXPECT_EQ(LangText(lang, 1, "x"), "second");
  EXPECT_EQ(LangText(lang, 6, "x"), "a:b");
  EXPECT_EQ(LangText(lang, 0, "built-in"), "built-in");
  EXPECT_EQ(LangText(lang, 99, "built-in"), "built-in");
}

using LanguageFileRead = tornel_test::InTempDir;

TEST_F(LanguageFileRead, CrLfLinesAndOverlongLines) {
  // A line longer than the 511 bytes read at a time goes in pieces: the
  // rest after byte 511 is a line of its own ("7:tail").
  std::string filler = "8:" + std::string(509, 'y');
  WriteFile("Tornel.lan", "21:Virhe!\r\n" + filler + "7:tail\r\n31:kept\r\n");
  std::FILE* f = platform::OpenBinary("Tornel.lan", "r");
  ASSERT_NE(f, nullptr);
  LanguageTable lang;
  ReadLanguageFile(lang, f);
  std::fclose(f);
  EXPECT_EQ(lang.entry[21], "Virhe!");
  EXPECT_EQ(lang.entry[8], std::string(509, 'y'));
  EXPECT_EQ(lang.entry[7], "tail");
  EXPECT_EQ(lang.entry[31], "kept");
}

}  // namespace
}  // namespace tornel
