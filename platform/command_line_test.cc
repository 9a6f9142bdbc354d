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

}  // namespace
}  // namespace platform
