#include "tornel/base/source_files.h"

#include <gtest/gtest.h>

#include "tests/fatal_report.h"
#include "tests/test_dir.h"
#include "tornel/base/diagnostics.h"

namespace tornel {
namespace {

using Sources = tornel_test::InTempDir;

// A text in memory reads as the same lines as a file holding it.
TEST_F(Sources, MemoryTextsReadLikeFilesOnDisk) {
  const std::string texts[] = {
      "a\nb\n",        "a\r\nb\r\n",     "no line end",  "\n\n\nlast",
      "cr\rinside\n",  "cr cr\r\r\n",   "",             std::string("nul\0byte\n", 9),
      "trailing\r",    std::string(5000, 'x') + "\nshort\n",
  };
  Diagnostics diag;
  for (const std::string& text : texts) {
    WriteFile("f.txt", text);
    MemorySources memory({{"f.txt", text}});
    EXPECT_EQ(memory.Lines(diag, "f.txt"), DiskSources().Lines(diag, "f.txt")) << text;
  }
}

TEST_F(Sources, AFileBeyondTheLimitIsReportedNotRead) {
  Diagnostics diag;
  const std::string too_large =
      FormatMessage(kMsgSourceTooLarge, {"big.inc", std::to_string(kSourceFileLimit)});
  WriteFile("big.inc", std::string(kSourceFileLimit, 'x'));  // one line, at the limit
  EXPECT_EQ(DiskSources().Lines(diag, "big.inc").at(0).size(), kSourceFileLimit);
  WriteFile("big.inc", std::string(kSourceFileLimit + 1, 'x'));
  EXPECT_EQ(tornel_test::ReportOf(diag, [&] { DiskSources().Lines(diag, "big.inc"); }), too_large);
  // A file without end, where the system has one.
  if (DiskSources().Exists("/dev/zero")) {
    EXPECT_EQ(tornel_test::ReportOf(diag, [&] { DiskSources().Lines(diag, "/dev/zero"); }),
              FormatMessage(kMsgSourceTooLarge, {"/dev/zero", std::to_string(kSourceFileLimit)}));
  }
}

TEST_F(Sources, ExistsAndAMissingFile) {
  MemorySources memory({{"p.tr", "x\n"}});
  EXPECT_TRUE(memory.Exists("p.tr"));
  EXPECT_FALSE(memory.Exists("P.TR"));  // names are matched as given
  WriteFile("on_disk.inc", "");
  EXPECT_TRUE(DiskSources().Exists("on_disk.inc"));
  EXPECT_FALSE(DiskSources().Exists("absent.inc"));
  // A directory is no include file, even with an include file's name.
  WriteFile("lib.inc/inside", "");
  EXPECT_FALSE(DiskSources().Exists("lib.inc"));
  EXPECT_TRUE(DiskSources().Exists("lib.inc/inside"));
  Diagnostics diag;
  EXPECT_EQ(tornel_test::ReportOf(diag, [&] { memory.Lines(diag, "absent.inc"); }),
            "File absent.inc not found.");
  EXPECT_EQ(tornel_test::ReportOf(diag, [&] { DiskSources().Lines(diag, "absent.inc"); }),
            "File absent.inc not found.");
}

// The fatal report quotes its line from the sources the compiler read.
TEST(SourcesQuote, ReportsQuoteFromMemory) {
  MemorySources memory({{"p.tr", "first\nsecond line\n"}});
  Diagnostics diag;
  diag.post_file = "p.tr";
  diag.sources = &memory;
  diag.loc = {0, 2};
  EXPECT_EQ(LocatedReport(diag, "Invalid expression in"),
            "Error in postprocessor file - p.tr\n\nInvalid expression in line 2:\nsecond line\n");
}

}  // namespace
}  // namespace tornel
