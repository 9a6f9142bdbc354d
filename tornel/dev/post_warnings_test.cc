#include "tornel/dev/post_warnings.h"

#include <gtest/gtest.h>

#include <memory>

#include "tornel/dev/check_report.h"
#include "tornel/dev/post_compile.h"

namespace tornel::dev {
namespace {

// The warnings of a post held in memory, one "line: text" each.
struct Checked {
  bool compiled = false;
  std::vector<std::string> warnings;
  std::string report;
};

Checked Check(const std::string& post, const std::string& include = "") {
  MemorySources files;
  files.Add("p.tr", post);
  if (!include.empty()) files.Add("lib.inc", include);
  auto run = std::make_unique<RunState>();
  Checked c;
  c.compiled = CompilePostFile(files, "p.tr", *run);
  size_t count = 0;
  c.report = CheckReport(*run, c.compiled, count);
  if (c.compiled)
    for (const Warning& w : AllWarnings(*run))
      c.warnings.push_back(LocationFileName(run->diag, w.loc.file) + ":" +
                           std::to_string(w.loc.line) + ": " + w.text);
  return c;
}

constexpr const char* kAddresses =
    "main\n"
    "  addres\n"
    "    _x 'X' 4.3\n"
    "    _y 'Y' 4.3\n"
    "  end addres\n"
    "end main\n";

TEST(CheckWarnings, CleanPostHasNone) {
  Checked c = Check(std::string(kAddresses) +
                    "func LineMove\n  o: _x(srX) _y(srY)\nend func\n");
  ASSERT_TRUE(c.compiled) << c.report;
  EXPECT_TRUE(c.warnings.empty()) << c.warnings[0];
  EXPECT_EQ(c.report, "p.tr: no problems\n");
}

TEST(CheckWarnings, FunctionsThatNeverRun) {
  Checked c = Check(std::string(kAddresses) +
                        "include: 'lib.inc'\n"
                        "func ToolChange\n  o: _x(1)\nend func\n"           // 8
                        "func 1stToolChange\n  o: _x(2)\nend func\n"        // 11
                        "func SubToolChange\n  o: _y(3)\nend func\n"        // 14
                        "func fvUnused\n  o: _x(4)\nend func\n"             // 17
                        "func fvUsed\n  o: _y(5)\nend func\n"               // 20
                        "func LineMove\n  fvUsed()\nend func\n",            // 23
                    "main\nend main\nfunc LineMove\n  o: _x(6)\nend func\n");
  ASSERT_TRUE(c.compiled) << c.report;
  std::vector<std::string> want = {
      "p.tr:8: post function ToolChange never runs: tornel calls it only in place of "
      "1stToolChange and SubToolChange, and the post defines them all",
      "p.tr:17: user function fvUnused is never called",
      "lib.inc:3: post function LineMove is defined again here, and never runs: the "
      "definition at p.tr:23 does"};
  EXPECT_EQ(c.warnings, want);
}

TEST(CheckWarnings, FallbackFunctionStillCalledStaysQuiet) {
  // SubToolChange is missing: ToolChange runs in its place.
  Checked c = Check(std::string(kAddresses) +
                    "func ToolChange\n  o: _x(1)\nend func\n"
                    "func 1stToolChange\n  o: _y(2)\nend func\n");
  ASSERT_TRUE(c.compiled) << c.report;
  EXPECT_TRUE(c.warnings.empty()) << c.warnings[0];

  // All stand-ins defined, but one calls ToolChange itself.
  Checked called = Check(std::string(kAddresses) +
                         "func ToolChange\n  o: _x(1)\nend func\n"
                         "func 1stToolChange\n  ToolChange\nend func\n"
                         "func SubToolChange\n  o: _y(2)\nend func\n");
  ASSERT_TRUE(called.compiled) << called.report;
  EXPECT_TRUE(called.warnings.empty()) << called.warnings[0];
}

TEST(CheckWarnings, AddressesNeverWritten) {
  Checked c = Check(std::string(kAddresses) +
                    "func OnAddr[_y]\n  _x.val = 1\nend func\n"
                    "func LineMove\n  _y.val = srY\n  o: _x(srX)\nend func\n");
  ASSERT_TRUE(c.compiled) << c.report;
  std::vector<std::string> want = {
      "p.tr:4: address _y is declared but no output statement writes it",
      "p.tr:7: OnAddr[_y] never runs: no output statement writes _y"};
  EXPECT_EQ(c.warnings, want);

  // Chosen by number, any address may be written: no address warnings.
  Checked dynamic = Check(std::string(kAddresses) +
                          "func LineMove\n  o: _addr[2](srY)\nend func\n");
  ASSERT_TRUE(dynamic.compiled) << dynamic.report;
  EXPECT_TRUE(dynamic.warnings.empty()) << dynamic.warnings[0];
}

TEST(CheckWarnings, SequenceAddressIsWritten) {
  Checked c = Check(
      "main\n  addres\n    _n 'N' 4\n    _x 'X' 4.3\n  end addres\n"
      "  seqnums: yes _n 10 10 9999\nend main\n"
      "func LineMove\n  o: _x(srX)\nend func\n");
  ASSERT_TRUE(c.compiled) << c.report;
  EXPECT_TRUE(c.warnings.empty()) << c.warnings[0];
}

TEST(CheckWarnings, UnknownNamesAndTypos) {
  Checked c = Check(std::string(kAddresses) +
                    "func LineMove\n"
                    "  o: _x(srFeeed) _y(sifoo)\n"  // 8: close to srFeed; prefixed, nothing close
                    "  o: _x(toolsTot)\n"        // 9: close to siToolsTot without its prefix
                    "  o: _y(zebra)\n"           // 10
                    "  o: _y(srYY)\n"            // 11: srY and srNY as close: srY shares more
                    "end func\n");
  ASSERT_TRUE(c.compiled) << c.report;
  std::vector<std::string> want = {
      "p.tr:8: unknown system variable srFeeed; did you mean srFeed?",
      "p.tr:8: unknown system variable sifoo",
      "p.tr:9: unknown name toolsTot; did you mean siToolsTot?",
      "p.tr:10: unknown name zebra",
      "p.tr:11: unknown system variable srYY; did you mean srY?"};
  EXPECT_EQ(c.warnings, want);
}

TEST(CheckWarnings, CompileErrorIsTheFatalReport) {
  Checked c = Check("main\n  x = 1\n");
  EXPECT_FALSE(c.compiled);
  EXPECT_EQ(c.report.rfind("Error in postprocessor file - p.tr\n\n", 0), 0u) << c.report;
  EXPECT_NE(c.report.find("p.tr: 1 error\n"), std::string::npos);
}

TEST(CheckWarnings, EditDistanceStopsAtItsLimit) {
  EXPECT_EQ(EditDistance("siToolNum", "SITOOLNUM", 2), 0);
  EXPECT_EQ(EditDistance("kitten", "sitting", 3), 3);
  EXPECT_EQ(EditDistance("kitten", "sitting", 2), 3);
  EXPECT_EQ(EditDistance("a", "abcdef", 2), 3);
}

}  // namespace
}  // namespace tornel::dev
