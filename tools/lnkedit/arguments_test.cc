#include "tools/lnkedit/arguments.h"

#include <gtest/gtest.h>

namespace lnkedit {
namespace {

using Words = std::vector<std::string>;

TEST(LnkeditArguments, BlanksTabsAndQuotes) {
  EXPECT_EQ(SplitArguments("lnkedit  new\tx.lnk "), (Words{"lnkedit", "new", "x.lnk"}));
  // Quotes keep blanks and are removed, in the middle of a word too.
  EXPECT_EQ(SplitArguments("p -t \"C:\\Program Files\\x.exe\" -a ab\"c d\"e"),
            (Words{"p", "-t", "C:\\Program Files\\x.exe", "-a", "abc de"}));
  // Backslashes are characters: a folder ending in one keeps it.
  EXPECT_EQ(SplitArguments("p -d \"C:\\Temp Dir\\\" -e x"),
            (Words{"p", "-d", "C:\\Temp Dir\\", "-e", "x"}));
  EXPECT_EQ(SplitArguments("p \"\" -a \"one"), (Words{"p", "", "-a", "one"}));
  EXPECT_EQ(SplitArguments("  "), Words{});
}

TEST(LnkeditArguments, AtMost31) {
  std::string line;
  for (int i = 0; i < 40; ++i) line += "w" + std::to_string(i) + " ";
  const Words words = SplitArguments(line);
  ASSERT_EQ(words.size(), kMaxArguments);
  EXPECT_EQ(words.back(), "w30");
  EXPECT_EQ(CleanArguments(Words(40, "x")).size(), kMaxArguments);
}

TEST(LnkeditArguments, WordsFromAShell) {
  EXPECT_EQ(CleanArguments({"lnkedit", "-a", "a \"b\" c", "x\"y"}),
            (Words{"lnkedit", "-a", "a b c", "xy"}));
}

}  // namespace
}  // namespace lnkedit
