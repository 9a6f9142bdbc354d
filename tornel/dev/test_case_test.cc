#include "tornel/dev/test_case.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tornel/dev/test_run.h"

namespace tornel::dev {
namespace {

using Lines = std::vector<std::string>;

TEST(TestCaseFiles, LinesAsTheEndToEndCasesWriteThem) {
  EXPECT_EQ(CaseFileLines("-p\nmill\r\n\n  -i x\n"), (Lines{"-p", "mill", "  -i x"}));
  EXPECT_EQ(CaseFileLines("last"), Lines{"last"});
  EXPECT_EQ(CaseFileLines(""), Lines{});
}

TEST(TestCaseFiles, NcWorkFileNames) {
  EXPECT_TRUE(IsNcWorkFileName("part.nc.tornel-1.tmp"));
  EXPECT_TRUE(IsNcWorkFileName("a.tornel-x.tmp"));
  EXPECT_FALSE(IsNcWorkFileName("part.tornel.tmp"));
  EXPECT_FALSE(IsNcWorkFileName("0.tmp"));
  EXPECT_FALSE(IsNcWorkFileName("part.nc"));
}

TEST(TestCaseFiles, ReadsTheProjectsOwnCases) {
  std::string error;
  std::string root = std::string(TORNEL_SOURCE_DIR) + "/tests/e2e/";
  std::optional<TestCase> c = ReadTestCase(root + "dialog_batch_values_refused", &error);
  ASSERT_TRUE(c) << error;
  EXPECT_EQ(c->name, "dialog_batch_values_refused");
  EXPECT_EQ(c->args, (Lines{"-p", "mill", "-i", "part.cl", "-o", "out.nc"}));
  EXPECT_TRUE(c->has_status);
  EXPECT_EQ(c->status, "1");
  EXPECT_TRUE(c->has_report);
  EXPECT_FALSE(c->report.empty());
  EXPECT_EQ(c->absent, Lines{"out.nc"});
  EXPECT_EQ(c->inputs, (Lines{"mill.tr", "part.cl"}));
  EXPECT_TRUE(c->expected.empty());

  c = ReadTestCase(root + "example_iso_mill/", &error);
  ASSERT_TRUE(c) << error;
  EXPECT_EQ(c->name, "example_iso_mill");
  EXPECT_FALSE(c->has_status);
  EXPECT_EQ(c->status, "0");
  EXPECT_EQ(c->report, "");
  EXPECT_FALSE(c->sources.empty());
  EXPECT_FALSE(c->expected.empty());
  EXPECT_TRUE(c->inputs.empty());

  // A folder as an input, copied whole.
  c = ReadTestCase(root + "include_directory", &error);
  ASSERT_TRUE(c) << error;
  EXPECT_EQ(c->inputs, (Lines{"lib.inc", "mill.tr", "part.cl"}));

  EXPECT_FALSE(ReadTestCase(root + "no_such_case", &error));
  EXPECT_NE(error.find("args"), std::string::npos);
}

}  // namespace
}  // namespace tornel::dev
