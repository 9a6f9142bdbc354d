#include "tools/setup/version_list.h"

#include <gtest/gtest.h>

namespace setup {
namespace {

TEST(VersionList, FieldsTrimmedWithDefaultsAndSkippedLines) {
  VersionList l = ParseVersionList(
      "; Surfcam versions\r\n"
      "5\r\n"  // one character: skipped
      "\r\n"
      " 5.2 ; ; SOFTWARE\\Surfware\\Surfcam 5.2 \r\n"
      "6;Velocity;SOFTWARE\\Surfware\\Surfcam 6; Inst ; Data\r\n"
      "2022.1;;SOFTWARE\\Surfcam\\2022.1");
  ASSERT_EQ(l.entries.size(), 3u);
  // "5" is shorter than two characters, so the list's own "5.2" is first.
  EXPECT_EQ(l.entries[0].name, "5.2");
  EXPECT_EQ(l.entries[0].sub_folder, "");
  EXPECT_EQ(l.entries[0].key, "SOFTWARE\\Surfware\\Surfcam 5.2");
  EXPECT_EQ(l.entries[0].program_value, "InstallPath");
  EXPECT_EQ(l.entries[0].data_value, "DataPath");
  EXPECT_EQ(l.entries[1].sub_folder, "Velocity");
  EXPECT_EQ(l.entries[1].program_value, "Inst");
  EXPECT_EQ(l.entries[1].data_value, "Data");
  EXPECT_EQ(l.modern, 1u);
  EXPECT_EQ(l.sql, 2u);
}

TEST(VersionList, AbsentDividersLieBeyondTheEnd) {
  VersionList l = ParseVersionList("5.1;;K1\n5.2;;K2\n");
  EXPECT_EQ(l.modern, 2u);
  EXPECT_EQ(l.sql, 2u);
  // The first "6" counts; a name that only begins with 6 does not.
  l = ParseVersionList("6.1;;K\n6;;K\n6;;L\n");
  EXPECT_EQ(l.modern, 1u);
}

TEST(VersionList, OnlyTheFirst250LinesAreRead) {
  std::string text;
  for (int k = 0; k < 260; ++k) text += "v" + std::to_string(k) + ";;K\n";
  VersionList l = ParseVersionList(text);
  ASSERT_EQ(l.entries.size(), 250u);
  EXPECT_EQ(l.entries.back().name, "v249");
  // Skipped lines count among the 250.
  l = ParseVersionList(";\n;\n" + text);
  EXPECT_EQ(l.entries.size(), 248u);
}

}  // namespace
}  // namespace setup
