#include "tornel/sysvars/start_values.h"

#include <gtest/gtest.h>

#include "platform/files.h"
#include "platform/paths.h"
#include "tests/test_dir.h"
#include "tornel/sysvars/registry.h"

namespace tornel {
namespace {

std::tm Tm(int year, int month, int day, int week_day, int hour = 0, int minute = 0,
           int second = 0) {
  std::tm tm{};
  tm.tm_year = year - 1900;
  tm.tm_mon = month - 1;
  tm.tm_mday = day;
  tm.tm_wday = week_day;
  tm.tm_hour = hour;
  tm.tm_min = minute;
  tm.tm_sec = second;
  return tm;
}

TEST(LocalTimeFrom, CountsMonthsAndWeekDaysFromOne) {
  // Sunday 7 January 2024, 13:05:09.
  LocalTime sunday = LocalTimeFrom(Tm(2024, 1, 7, 0, 13, 5, 9));
  EXPECT_EQ(sunday.week_day, 1);
  EXPECT_EQ(sunday.month, 1);
  EXPECT_EQ(sunday.year, 2024);
  EXPECT_EQ(sunday.day, 7);
  EXPECT_EQ(sunday.hour, 13);
  EXPECT_EQ(sunday.minute, 5);
  EXPECT_EQ(sunday.second, 9);
  // The tests run in the "C" locale.
  EXPECT_EQ(sunday.month_name, "January");
  EXPECT_EQ(sunday.week_day_name, "Sunday");

  LocalTime saturday = LocalTimeFrom(Tm(2000, 12, 30, 6, 23, 59, 59));
  EXPECT_EQ(saturday.week_day, 7);
  EXPECT_EQ(saturday.month, 12);
  EXPECT_EQ(saturday.year, 2000);
  EXPECT_EQ(saturday.month_name, "December");
  EXPECT_EQ(saturday.week_day_name, "Saturday");
}

class StartValues : public tornel_test::InTempDir {
 protected:
  void SetUp() override {
    InTempDir::SetUp();
    RegisterSystemVariables(names_);
    AllocateValueTables(diag_, v_, names_);
  }

  Diagnostics diag_;
  VariableTable names_;
  ValueTables v_;
};

TEST_F(StartValues, SplitsTheFileNamesAndSetsTheClock) {
  LocalTime t = LocalTimeFrom(Tm(2018, 10, 4, 4, 8, 30, 15));
  SetStartValues(v_, "C:\\cam\\part.cl", "D:\\nc\\out\\part.tap", "fanuc", t);

  EXPECT_EQ(v_.strings[kSsAptFile], "C:\\cam\\part.cl");
  EXPECT_EQ(v_.strings[kSsAptDir], "C:\\cam\\");
  EXPECT_EQ(v_.strings[kSsAptName], "part");
  EXPECT_EQ(v_.strings[kSsAptExt], ".cl");
  EXPECT_EQ(v_.strings[kSsNcFile], "D:\\nc\\out\\part.tap");
  EXPECT_EQ(v_.strings[kSsNcDir], "D:\\nc\\out\\");
  EXPECT_EQ(v_.strings[kSsNcName], "part");
  EXPECT_EQ(v_.strings[kSsNcExt], ".tap");
  EXPECT_EQ(v_.strings[kSsPostName], "fanuc");
  EXPECT_EQ(v_.strings[kSsMonth], "October");
  EXPECT_EQ(v_.strings[kSsWeekDay], "Thursday");
  EXPECT_EQ(v_.ints[kSiSecond], 15);
  EXPECT_EQ(v_.ints[kSiMinute], 30);
  EXPECT_EQ(v_.ints[kSiHour], 8);
  EXPECT_EQ(v_.ints[kSiDay], 4);
  EXPECT_EQ(v_.ints[kSiMonth], 10);
  EXPECT_EQ(v_.ints[kSiYear], 2018);
  EXPECT_EQ(v_.ints[kSiWeekDay], 5);
  // Nothing spills into the neighbours.
  EXPECT_EQ(v_.strings[kSsProgName], "");
  EXPECT_EQ(v_.ints[kSiInvTimeOn], 0);
  EXPECT_EQ(v_.ints[kSiSkipOn], 0);
}

TEST_F(StartValues, MakesTheAptPathAbsoluteAndKeepsPartsOfPlainNames) {
  SetStartValues(v_, "part.cl", "prog", "mill", LocalTimeFrom(Tm(2024, 1, 7, 0)));
  std::string cwd = platform::WithTrailingSeparator(platform::CurrentDirectory());
  platform::PathParts expected = platform::SplitPath(cwd + "part.cl");
  EXPECT_TRUE(platform::IsAbsolutePath(v_.strings[kSsAptFile]));
  EXPECT_EQ(v_.strings[kSsAptFile], platform::AbsolutePath("part.cl"));
  EXPECT_EQ(v_.strings[kSsAptDir], expected.drive + expected.dir);
  EXPECT_EQ(v_.strings[kSsAptName], "part");
  EXPECT_EQ(v_.strings[kSsAptExt], ".cl");

  // A name without directory or extension.
  EXPECT_EQ(v_.strings[kSsNcDir], "");
  EXPECT_EQ(v_.strings[kSsNcName], "prog");
  EXPECT_EQ(v_.strings[kSsNcExt], "");
}

TEST_F(StartValues, TheNcFileNameIsReadBackAsThePostLeavesIt) {
  SetStartValues(v_, "/cam/part.cl", "/nc/part.nc", "mill", LocalTimeFrom(Tm(2024, 1, 7, 0)));
  NcFileName first = NcFileFromValues(v_);
  EXPECT_EQ(first.dir, "/nc/");
  EXPECT_EQ(first.name, "part");
  EXPECT_EQ(first.ext, ".nc");

  v_.strings[kSsNcName] = "O1234";
  v_.strings[kSsNcExt] = "";
  NcFileName changed = NcFileFromValues(v_);
  EXPECT_EQ(changed.dir, "/nc/");
  EXPECT_EQ(changed.name, "O1234");
  EXPECT_EQ(changed.ext, "");
}

}  // namespace
}  // namespace tornel
