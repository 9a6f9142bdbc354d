#include <gtest/gtest.h>

#include "platform/process.h"

namespace platform {
namespace {

TEST(CommandLine, WordsByTheWindowsRules) {
  using W = std::vector<std::string>;
  EXPECT_EQ(SplitCommandLine("prog a  b\tc"), (W{"prog", "a", "b", "c"}));
  EXPECT_EQ(SplitCommandLine("\"C:\\Program Files\\ed.exe\" \"part 1.nc\""),
            (W{"C:\\Program Files\\ed.exe", "part 1.nc"}));
  EXPECT_EQ(SplitCommandLine("a\\\\b \\\"q\\\" x\\\\\"y z\""), (W{"a\\\\b", "\"q\"", "x\\y z"}));
  EXPECT_EQ(SplitCommandLine("say \"\" end"), (W{"say", "", "end"}));
  EXPECT_EQ(SplitCommandLine("  "), W{});
  EXPECT_EQ(SplitCommandLine("tail\\"), W{"tail\\"});
}

TEST(CommandLine, JoinedWordsSplitBackToThemselves) {
  using W = std::vector<std::string>;
  EXPECT_EQ(JoinCommandLine({"tornel", "-p", "mill"}), "tornel -p mill");
  const W hard[] = {
      {"C:\\Program Files\\tornel.exe", "part 1.cl"},
      {"", "a\"b", "tail\\", "sp ace\\", "x\\\\\"y", "\t"},
      {"C:\\dir\\", "\\\\server\\share"},
  };
  for (const W& words : hard) EXPECT_EQ(SplitCommandLine(JoinCommandLine(words)), words);
  EXPECT_EQ(JoinCommandLine({"a\\b", "end\\ x"}), "a\\b \"end\\ x\"");
}

}  // namespace
}  // namespace platform
