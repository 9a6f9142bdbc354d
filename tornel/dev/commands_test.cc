#include "tornel/dev/commands.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace tornel::dev {
namespace {

// What a call writes to its two streams.
struct Captured {
  int status;
  std::string out, err;
};

std::string ReadBack(std::FILE* f) {
  std::rewind(f);
  std::string text;
  char buffer[512];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
  std::fclose(f);
  return text;
}

Captured Call(const std::vector<std::string>& words) {
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  int status = RunDevCommand(words, out, err);
  return {status, ReadBack(out), ReadBack(err)};
}

TEST(DevCommands, UsageForNoneHelpAndUnknown) {
  Captured none = Call({});
  EXPECT_EQ(none.status, 2);
  EXPECT_NE(none.err.find("usage: tornel-dev COMMAND"), std::string::npos);

  Captured help = Call({"help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("usage: tornel-dev COMMAND"), std::string::npos);
  EXPECT_EQ(help.err, "");

  Captured unknown = Call({"frobnicate"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_NE(unknown.err.find("unknown command frobnicate"), std::string::npos);
}

}  // namespace
}  // namespace tornel::dev
