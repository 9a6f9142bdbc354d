#include "tornel/base/diagnostics.h"

#include <gtest/gtest.h>

#include "tests/test_dir.h"
#include "tornel/base/file_open.h"
#include "tornel/base/table_growth.h"

namespace tornel {
namespace {

using Diag = tornel_test::InTempDir;

// The report a fatal call leaves behind, with the flag it sets.
template <class F>
std::string ReportOf(Diagnostics& diag, F fatal) {
  try {
    fatal();
  } catch (const RunEnded& e) {
    EXPECT_EQ(e.status, 1);
    EXPECT_EQ(diag.error_flag, 1);
    return diag.last_error;
  }
  ADD_FAILURE() << "no report";
  return "";
}

TEST(FormatMessage, FillsConversionsSafely) {
  EXPECT_EQ(FormatMessage("File %s not found.", {"a.cl"}), "File a.cl not found.");
  EXPECT_EQ(FormatMessage("%d of %s, 100%%", {"3", "5"}), "3 of 5, 100%");
  // A language text with more or other conversions than the message has.
  EXPECT_EQ(FormatMessage("%s %s %x %", {"one"}), "one  %x %");
}

TEST_F(Diag, ReportNamesTheIncludeFileAndQuotesTheLine) {
  WriteFile("mill.tr", "main\nend main\n");
  std::string lines;
  for (int i = 1; i <= 14; ++i) lines += "line " + std::to_string(i) + "\n";
  WriteFile("inc/second.inc", lines);
  Diagnostics diag;
  diag.post_file = "mill.tr";
  diag.include_list = "\tinc/first.inc\n\tinc/second.inc\n";
  diag.loc = {2, 12};
  EXPECT_EQ(ReportOf(diag, [&] { FatalAt(diag, "Invalid expression in"); }),
            "Error in include file - inc/second.inc\n\nInvalid expression in line 12:\nline 12\n");

  diag.loc = {0, 2};
  EXPECT_EQ(LocatedReport(diag, "Division by zero in"),
            "Error in postprocessor file - mill.tr\n\nDivision by zero in line 2:\nend main\n");
}

TEST_F(Diag, UnknownLineAndLongLines) {
  WriteFile("p.tr", "short\n" + std::string(500, 'z') + "\nlast");
  Diagnostics diag;
  diag.post_file = "p.tr";
  diag.loc = {0, 0};
  EXPECT_EQ(LocatedReport(diag, "Bad in"), "Error in postprocessor file - p.tr\n\nBad in unknown line");
  diag.loc = {0, 4};
  EXPECT_EQ(LocatedReport(diag, "Bad in"), "Error in postprocessor file - p.tr\n\nBad in unknown line");
  diag.loc = {0, 2};
  EXPECT_EQ(LocatedReport(diag, "Bad in"),
            "Error in postprocessor file - p.tr\n\nBad in line 2:\n" + std::string(383, 'z') + "\n");
  diag.loc = {0, 3};  // the last line has no line end
  EXPECT_EQ(LocatedReport(diag, "Bad in"), "Error in postprocessor file - p.tr\n\nBad in line 3:\nlast");
}

TEST(LocationFileName, FallsBackToTheLastInclude) {
  Diagnostics diag;
  diag.post_file = "mill.tr";
  diag.include_list = "\ta.inc\n\t b.inc\n";
  EXPECT_EQ(LocationFileName(diag, 0), "mill.tr");
  EXPECT_EQ(LocationFileName(diag, 1), "a.inc");
  EXPECT_EQ(LocationFileName(diag, 2), "b.inc");
  EXPECT_EQ(LocationFileName(diag, 5), "b.inc");
}

TEST_F(Diag, OpenFileReportsEachFailure) {
  Diagnostics diag;
  EXPECT_EQ(ReportOf(diag, [&] { OpenFile(diag, "missing.txt", "r"); }),
            "File missing.txt not found.");
  EXPECT_EQ(ReportOf(diag, [&] { OpenFile(diag, "no/such/dir/out.nc", "w"); }),
            "Error creating file no/such/dir/out.nc.");
  diag.lang.entry[18] = "Tiedostoa %s ei ole.";
  EXPECT_EQ(ReportOf(diag, [&] { OpenFile(diag, "gone.txt", "r"); }), "Tiedostoa gone.txt ei ole.");

  WriteFile("ok.txt", "x");
  std::FILE* f = OpenFile(diag, "ok.txt", "r");
  ASSERT_NE(f, nullptr);
  std::fclose(f);
}

TEST_F(Diag, AnUnreadableSourceFileEndsInItsOwnReport) {
  Diagnostics diag;
  diag.post_file = "vanished.tr";
  diag.loc = {0, 3};
  EXPECT_EQ(ReportOf(diag, [&] { FatalAt(diag, "Bad in"); }), "File vanished.tr not found.");
}

TEST(GrowTable, GrowsByWholeSteps) {
  Diagnostics diag;
  std::vector<int> table;
  GrowTable(diag, table, 0);
  EXPECT_EQ(table.size(), 2048u);
  GrowTable(diag, table, 2047);
  EXPECT_EQ(table.size(), 2048u);
  table[5] = 7;
  GrowTable(diag, table, 2048);
  EXPECT_EQ(table.size(), 4096u);
  EXPECT_EQ(table[5], 7);
}

TEST(Pump, CancelSetsTheFlagAndEndsTheRun) {
  Diagnostics diag;
  platform::ProgressOpen(diag.progress);
  platform::RequestCancel();
  EXPECT_THROW(Pump(diag), RunEnded);
  EXPECT_EQ(diag.cancelled, 1);
  Pump(diag);  // the request is used up
  platform::ProgressClose(diag.progress);
}

TEST(Pump, ABudgetEndsTheRunAsCancelWould) {
  Diagnostics diag;
  diag.pump_budget = 3;
  Pump(diag);
  Pump(diag);
  EXPECT_THROW(Pump(diag), RunEnded);
  EXPECT_EQ(diag.cancelled, 1);
  diag.cancelled = 0;
  Pump(diag);  // used up: no limit any more
  EXPECT_EQ(diag.cancelled, 0);
}

}  // namespace
}  // namespace tornel
