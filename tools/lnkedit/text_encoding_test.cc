#include "tools/lnkedit/text_encoding.h"

#include <gtest/gtest.h>

namespace lnkedit {
namespace {

TEST(LnkeditTextEncoding, Utf8AndUtf16BothWays) {
  const std::string text = "a\xc3\xa4\xe2\x82\xac\xf0\x9d\x84\x9e";  // a ä € 𝄞
  const std::u16string wide = Utf8ToUtf16(text);
  EXPECT_EQ(wide, (std::u16string{u'a', 0xE4, 0x20AC, 0xD834, 0xDD1E}));
  EXPECT_EQ(Utf16ToUtf8(wide), text);
}

TEST(LnkeditTextEncoding, MalformedBecomesReplacement) {
  EXPECT_EQ(Utf8ToUtf16("\xff" "a\xc3"), (std::u16string{0xFFFD, u'a', 0xFFFD}));
  EXPECT_EQ(Utf8ToUtf16("\xc0\xaf"), std::u16string{0xFFFD});  // an overlong '/'
  EXPECT_EQ(Utf16ToUtf8(std::u16string{0xD800, u'x'}), "\xef\xbf\xbdx");
}

TEST(LnkeditTextEncoding, Windows1252) {
  EXPECT_EQ(Cp1252ToUtf8("\x80\xe4\x9f\x81"), "\xe2\x82\xac\xc3\xa4\xc5\xb8\xef\xbf\xbd");
  std::string ansi;
  EXPECT_TRUE(Utf8ToCp1252("\xe2\x82\xac\xc3\xa4x", &ansi));
  EXPECT_EQ(ansi, "\x80\xe4x");
  EXPECT_FALSE(Utf8ToCp1252("\xe6\x97\xa5", &ansi));  // 日
  EXPECT_EQ(ansi, "?");
}

}  // namespace
}  // namespace lnkedit
