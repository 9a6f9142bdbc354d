// check and dump on the bundled example post, through the command table.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tornel/dev/commands.h"

namespace tornel::dev {
namespace {

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

const std::string kIsoMill = std::string(TORNEL_SOURCE_DIR) + "/examples/posts/iso_mill";

TEST(DevCheck, BundledExampleIsClean) {
  Captured c = Call({"check", kIsoMill});
  EXPECT_EQ(c.status, 0) << c.out << c.err;
  EXPECT_EQ(c.out, kIsoMill + ".tr: no problems\n");
  EXPECT_EQ(c.err, "");
}

TEST(DevCheck, MissingPostIsTornelsReport) {
  Captured c = Call({"check", "no_such_post"});
  EXPECT_EQ(c.status, 1);
  EXPECT_EQ(c.out, "Postprocessor file - no_such_post.tr not found\nno_such_post.tr: 1 error\n");
  Captured d = Call({"dump", "no_such_post.tr"});
  EXPECT_EQ(d.status, 1);
  EXPECT_EQ(d.err, "Postprocessor file - no_such_post.tr not found\n");
}

TEST(DevCheck, UsageForBadArguments) {
  for (const std::vector<std::string>& words :
       std::vector<std::vector<std::string>>{{"check"}, {"check", "--loud", "p"}, {"check", "a", "b"},
                                             {"dump"}, {"dump", "a", "b"}}) {
    Captured c = Call(words);
    EXPECT_EQ(c.status, 2) << words.size();
    EXPECT_NE(c.err.find("usage: tornel-dev " + words[0]), std::string::npos) << c.err;
  }
}

TEST(DevDump, BundledExampleProgram) {
  Captured c = Call({"dump", kIsoMill + ".tr"});
  ASSERT_EQ(c.status, 0) << c.err;
  EXPECT_EQ(c.out.rfind("program: ", 0), 0u);
  // The first MAIN line, a FUNC with its entry label, tokens by name.
  EXPECT_NE(c.out.find("iso_mill.tr:33  {MAIN}\n"), std::string::npos) << c.out.substr(0, 400);
  EXPECT_NE(c.out.find("  {FUNC}\nL0:\n"), std::string::npos);
  EXPECT_NE(c.out.find("{O:}{addr "), std::string::npos);
  EXPECT_EQ(c.out.find("not placed"), std::string::npos);
}

}  // namespace
}  // namespace tornel::dev
