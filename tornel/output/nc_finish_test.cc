#include "tornel/output/nc_finish.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/disk_limit.h"
#include "platform/files.h"
#include "tests/fatal_report.h"
#include "tests/test_dir.h"
#include "tornel/base/run_context.h"
#include "tornel/output/line_ring.h"
#include "tornel/output/output_tables.h"
#include "tornel/sysvars/system_variable_counts.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {
namespace {

TEST(MovePlaceholders, TotalTimeInHoursMinutesSecondsAndRounded) {
  MoveTotals t;
  t.time_tot = 125.5;
  t.len_tot = 1234.4;
  std::string line =
      "(%MoveTimeTotH% %MoveTimeTotM% %MoveTimeTotS% %MoveTimeTot:% %MoveTimeTot% %MoveLenTot%)";
  ReplaceMovePlaceholders(line, t);
  EXPECT_EQ(line, "(2 5 30 02:05:30 126 1234)");
}

TEST(MovePlaceholders, OperationsByNumberAndEveryOccurrence) {
  MoveTotals t;
  t.len_oper = {10.4, 20.6};
  t.time_oper = {61.25, 2};
  std::string line = "%MoveLenOper1%/%MoveLenOper2%/%MoveTimeOper1:%/%MoveTimeOper1H%/"
                     "%MoveTimeOper2%/%MoveTimeOper2%/%MoveLenOper3%";
  ReplaceMovePlaceholders(line, t);
  EXPECT_EQ(line, "10/21/01:01:15/1/2/2/%MoveLenOper3%");
}

TEST(Replacements, ModesInsideAndOutsideComments) {
  std::vector<std::string> strings = {"X", "U", "MAX", "G0", "G00", "x"};
  ReplacementList list;
  list.entries = {{0, 1, kReplaceWord}, {4, 3, kReplaceText}, {5, 1, kReplaceTextInComments}};
  std::string line = std::string("G00 X MAX \xB7" "G00 X x\xB8 X");
  ApplyReplacements(line, list, strings);
  // repword: X leaves MAX alone; comment text only gets the comment entry.
  EXPECT_EQ(line, "G0 U MAX G00 X U U");

  ReplacementList addr;
  addr.entries = {{0, 1, kReplaceAddr}};
  std::string nc = "X12.5 XY X";
  ApplyReplacements(nc, addr, strings);
  EXPECT_EQ(nc, "U12.5 XY U");
}

TEST(Replacements, NoLineGrowsBeyondTheLimit) {
  std::vector<std::string> strings = {"X", std::string(1000, 'X')};
  ReplacementList list;
  list.entries = {{0, 1, kReplaceText}};
  std::string line(kNcLineLimit / 1000, 'X');  // becomes exactly the limit
  EXPECT_TRUE(ApplyReplacements(line, list, strings));
  EXPECT_EQ(line.size(), kNcLineLimit);
  line = std::string(kNcLineLimit / 1000 + 1, 'X');
  EXPECT_FALSE(ApplyReplacements(line, list, strings));
  // Inside a comment alike.
  list.entries = {{0, 1, kReplaceTextInComments}};
  line = "N1 \xB7" + std::string(kNcLineLimit / 1000 + 1, 'X') + "\xB8";
  EXPECT_FALSE(ApplyReplacements(line, list, strings));
}

TEST(FileLength, CountsItsOwnDigits) {
  // 100 bytes with "%FileLen%" (9) in them become 100 - 9 + 3 = 94.
  EXPECT_EQ(FileLengthText(100, 9), "94");
  EXPECT_EQ(FileLengthText(100, 13), "90");
}

class FinishNcFileTest : public tornel_test::InTempDir {
 protected:
  void SetUp() override {
    InTempDir::SetUp();
    values_.ints.assign(kIntegerSystemSlots, 0);
    values_.reals.assign(kRealSystemSlots, 0.0);
    values_.strings.assign(kStringSystemSlots, "");
    values_.strings[kSsEolFormat] = "\r\n";
    ctx_.files.full_nc_path = platform::AbsolutePath("p.nc");
    // The pass finishes the run's work file; here it is the file itself.
    ctx_.files.nc_path = "p.nc";
    ctx_.files.nc_work_path = "p.nc";
  }
  void TearDown() override {
    platform::ClearDiskLimits();
    InTempDir::TearDown();
  }
  std::string ReportOfFinish() {
    return tornel_test::ReportOf(ctx_.diag, [&] { FinishNcFile(ctx_, values_, output_); });
  }
  RunContext ctx_;
  ValueTables values_;
  OutputTables output_;
};

TEST_F(FinishNcFileTest, LengthsWithCrLfLineEnds) {
  WriteFile("p.nc", "N1 N2 N3\r\n%FileLen%\r\n");
  FinishNcFile(ctx_, values_, output_);
  EXPECT_EQ(ReadFile("p.nc"), "N1 N2 N3\r\n14\r\n");  // 14 bytes indeed
  EXPECT_FALSE(Exists("p.nc.tmp"));

  WriteFile("p.nc", "N1 N2 N3\r\n%FileLenUNIX%\r\n");
  FinishNcFile(ctx_, values_, output_);
  // 25 bytes, one less per line with LF ends: 23 + 2 digits - 13.
  EXPECT_EQ(ReadFile("p.nc"), "N1 N2 N3\r\n12\r\n");
}

TEST_F(FinishNcFileTest, LineFeedFormatKeepsBothLengthsEqual) {
  values_.strings[kSsEolFormat] = "\n";
  WriteFile("p.nc", "%FileLen% %FileLenUNIX%\r\nN1\r\n");
  FinishNcFile(ctx_, values_, output_);
  // 27 bytes with one-byte line ends: 27 + 2 - 9 and 27 + 2 - 13.
  EXPECT_EQ(ReadFile("p.nc"), "20 16\nN1\n");
}

TEST_F(FinishNcFileTest, OtherLineEndIsWrittenAsGiven) {
  values_.strings[kSsEolFormat] = "\r\r\n";
  WriteFile("p.nc", "%FileLenUNIX%\r\nN1\r\n");
  FinishNcFile(ctx_, values_, output_);
  // 21 bytes, growth 2 per line: UNIX length 17 + 2 - 13.
  EXPECT_EQ(ReadFile("p.nc"), "6\r\r\nN1\r\r\n");
}

TEST_F(FinishNcFileTest, ErrorFramesTheText) {
  ctx_.diag.error_flag = 1;
  ctx_.diag.last_error = "Division by zero in";
  WriteFile("p.nc", "N1\r\n");
  FinishNcFile(ctx_, values_, output_);
  std::string dashes(50, '-');
  std::string frame = dashes + "\r\nDivision by zero in\r\n" + dashes + "\r\n";
  EXPECT_EQ(ReadFile("p.nc"), frame + "N1\r\n" + frame);
}

TEST_F(FinishNcFileTest, LimitWarningWithoutTextUsesTheTerminatedLine) {
  ctx_.flags.limit_warning = 1;
  values_.strings[kSsEolFormat] = "\n";
  WriteFile("p.nc", "N1\r\n");
  FinishNcFile(ctx_, values_, output_);
  std::string dashes(50, '-');
  std::string frame = dashes + "\nPostprocessing terminated with ERROR!\n" + dashes + "\n";
  EXPECT_EQ(ReadFile("p.nc"), frame + "N1\n" + frame);
}

TEST_F(FinishNcFileTest, ALineTooLongAfterTheReplacementsIsReported) {
  values_.strings.push_back("X");
  values_.strings.push_back(std::string(100, 'X'));
  output_.replacements.entries = {{kStringSystemSlots, kStringSystemSlots + 1, kReplaceText}};
  WriteFile("p.nc", "N1\r\n" + std::string(kNcLineLimit / 100 + 1, 'X') + "\r\n");
  EXPECT_EQ(tornel_test::ReportOf(ctx_.diag, [&] { FinishNcFile(ctx_, values_, output_); }),
            FormatMessage(kMsgReplacedLineTooLong, {"2", std::to_string(kNcLineLimit)}));
}

TEST_F(FinishNcFileTest, MissingNcFileChangesNothing) {
  ctx_.files.full_nc_path = platform::AbsolutePath("gone.nc");
  ctx_.files.nc_path = "gone.nc";
  ctx_.files.nc_work_path = "gone.nc.tornel-1.tmp";
  // Not finished, and said so: the run does not deliver it.
  EXPECT_EQ(ReportOfFinish(), "File gone.nc not found.");
  EXPECT_FALSE(Exists("gone.nc"));
  EXPECT_FALSE(Exists("gone.nc.tmp"));
}

TEST_F(FinishNcFileTest, UnwritableNeighbourFallsBackToCopy) {
  // A directory in the way of the finished file: the temp file is copied over.
  values_.strings[kSsEolFormat] = "\n";
  WriteFile("p.nc", "N1 %MoveTimeTot%\r\n");
  values_.reals[kSrMoveTimeTot] = 2.6;
  ASSERT_TRUE(std::filesystem::create_directory("p.nc.tmp"));
  FinishNcFile(ctx_, values_, output_);
  EXPECT_EQ(ReadFile("p.nc"), "N1 3\n");
}

TEST_F(FinishNcFileTest, UsersFileBesideTheNcFileIsLeftAlone) {
  WriteFile("p.nc", "N1 %MoveTimeTot%\r\n");
  WriteFile("p.nc.tmp", "the user's own");
  FinishNcFile(ctx_, values_, output_);
  EXPECT_EQ(ReadFile("p.nc"), "N1 0\r\n");
  EXPECT_EQ(ReadFile("p.nc.tmp"), "the user's own");
}

TEST_F(FinishNcFileTest, FullTempDirectoryIsReportedAndTheWorkFileKept) {
  WriteFile("nc/p.nc", "N1 X1.5\r\nN2 X2.5\r\n");
  ctx_.files.nc_path = "nc/p.nc";
  ctx_.files.nc_work_path = "nc/p.nc";
  platform::LimitDisk(".", 8);
  EXPECT_EQ(ReportOfFinish(), "Error writing file TorNc.tmp: the disk is full.");
  EXPECT_EQ(ReadFile("nc/p.nc"), "N1 X1.5\r\nN2 X2.5\r\n");
}

TEST_F(FinishNcFileTest, NcDiskWithoutRoomForTheFinishedText) {
  // The frame makes the finished file longer than the NC text.
  ctx_.diag.error_flag = 1;
  ctx_.diag.last_error = "Division by zero in";
  WriteFile("nc/p.nc", "N1 X1.5\r\n");
  ctx_.files.nc_path = "nc/p.nc";
  ctx_.files.nc_work_path = "nc/p.nc";
  platform::LimitDisk("nc", 60);
  EXPECT_EQ(ReportOfFinish(), "Error writing file nc/p.nc: the disk is full.");

  platform::ClearDiskLimits();
  WriteFile("nc/p.nc", "N1 X1.5\r\n");
  platform::LimitDisk("nc", 0, platform::DiskFullShows::kAtClose);
  EXPECT_EQ(ReportOfFinish(), "Error writing file nc/p.nc: the disk is full.");
}

TEST_F(FinishNcFileTest, AfterAFailedWriteTheCutLineIsLeftOut) {
  output_.nc_failed = true;
  ctx_.diag.error_flag = 1;
  ctx_.diag.last_error = "Error writing file p.nc: the disk is full.";
  WriteFile("p.nc", "N1 X1.5\r\nN2 X2.5\r\nN3 X3.");
  FinishNcFile(ctx_, values_, output_);
  std::string dashes(50, '-');
  std::string frame = dashes + "\r\n" + ctx_.diag.last_error + "\r\n" + dashes + "\r\n";
  EXPECT_EQ(ReadFile("p.nc"), frame + "N1 X1.5\r\nN2 X2.5\r\n" + frame);
}

}  // namespace
}  // namespace tornel
