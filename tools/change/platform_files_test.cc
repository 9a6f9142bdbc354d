// The real file system side: the new file beside the edited one, renamed
// over it, never left behind.
#include "tools/change/platform_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/disk_limit.h"
#include "platform/file_mode.h"
#include "tools/change/memory_files.h"
#include "tests/test_dir.h"

namespace change {
namespace {

namespace fs = std::filesystem;

class ChangeFiles : public tornel_test::InTempDir {
 protected:
  void TearDown() override {
    platform::ClearDiskLimits();
    InTempDir::TearDown();
  }
  Outcome Run(std::vector<std::string> args) {
    return RunChange(CommandLine{std::move(args)}, files_, boxes_, LineEnds::kAsRead);
  }
  // The names in the folder, sorted.
  static std::vector<std::string> Names(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  PlatformFileSystem files_;
  RecordedBoxes boxes_;
};

TEST_F(ChangeFiles, TheEditedFileTakesThePlaceOfTheOld) {
  WriteFile("cfg/setup.ini", "Path=C:\\OLD\r\nName=old\r\n");
  // A leftover of a stopped run is not touched, the next name is taken.
  WriteFile(BesideName("cfg/setup.ini", 1), "a leftover");
  EXPECT_EQ(Run({"cfg/setup.ini", "old", "new"}), Outcome::kReplaced);
  EXPECT_EQ(ReadFile("cfg/setup.ini"), "Path=C:\\new\r\nName=new\r\n");
  EXPECT_EQ(ReadFile(BesideName("cfg/setup.ini", 1)), "a leftover");
  EXPECT_EQ(Names("cfg"), (std::vector<std::string>{"setup.ini", "setup.ini.change-1.tmp"}));
}

TEST_F(ChangeFiles, ADirectoryOrNothingIsNotAFileToEdit) {
  fs::create_directory("folder");
  EXPECT_EQ(Run({"folder", "a", "b", "/W"}), Outcome::kNotOpened);
  EXPECT_EQ(Run({"none.txt", "a", "b"}), Outcome::kNotOpened);
  EXPECT_EQ(Names("."), std::vector<std::string>{"folder"});
}

TEST_F(ChangeFiles, AFullDiskLeavesTheFileAsItWas) {
  std::string original;
  for (int i = 0; i < 200; ++i) original += "line " + std::to_string(i) + "\n";
  WriteFile("disk/part.txt", original);
  for (auto shows : {platform::DiskFullShows::kAtWrite, platform::DiskFullShows::kAtClose}) {
    platform::LimitDisk("disk", 100, shows);
    EXPECT_EQ(Run({"disk/part.txt", "line", "row", "/W"}), Outcome::kWriteFailed);
    EXPECT_EQ(ReadFile("disk/part.txt"), original);
    EXPECT_EQ(Names("disk"), std::vector<std::string>{"part.txt"});
    platform::ClearDiskLimits();
  }
  ASSERT_EQ(boxes_.shown.size(), 2u);
  EXPECT_EQ(boxes_.shown[0].text, "disk/part.txt-tiedoston kirjoitusvirhe");
}

TEST_F(ChangeFiles, PermissionsAreKept) {
  WriteFile("script.sh", "echo old\n");
  fs::permissions("script.sh", fs::perms::owner_all | fs::perms::group_read);
  const fs::perms before = fs::status("script.sh").permissions();
  EXPECT_EQ(Run({"script.sh", "old", "new"}), Outcome::kReplaced);
  EXPECT_EQ(ReadFile("script.sh"), "echo new\n");
  EXPECT_EQ(fs::status("script.sh").permissions(), before);
}

TEST_F(ChangeFiles, AFileThatMayNotBeWrittenIsNotReplaced) {
  WriteFile("locked.txt", "old\n");
  fs::permissions("locked.txt", fs::perms::owner_read | fs::perms::group_read);
  if (platform::MayWriteFile("locked.txt")) {
    fs::permissions("locked.txt", fs::perms::owner_all);
    GTEST_SKIP() << "this user may write any file";
  }
  EXPECT_EQ(Run({"locked.txt", "old", "new", "/W"}), Outcome::kNotCreated);
  fs::permissions("locked.txt", fs::perms::owner_all);
  EXPECT_EQ(ReadFile("locked.txt"), "old\n");
  EXPECT_EQ(Names("."), std::vector<std::string>{"locked.txt"});
  ASSERT_EQ(boxes_.shown.size(), 1u);
  EXPECT_EQ(boxes_.shown[0].text, "locked.txt-tiedoston kirjoitusvirhe");
}

TEST_F(ChangeFiles, ALinkStaysALinkToTheEditedFile) {
  WriteFile("real.txt", "old\n");
  std::error_code ec;
  fs::create_symlink("real.txt", "link.txt", ec);
  if (ec) GTEST_SKIP() << "no symbolic links here";
  EXPECT_EQ(Run({"link.txt", "old", "new"}), Outcome::kReplaced);
  EXPECT_TRUE(fs::is_symlink("link.txt"));
  EXPECT_EQ(ReadFile("real.txt"), "new\n");
  EXPECT_EQ(Names("."), (std::vector<std::string>{"link.txt", "real.txt"}));
}

}  // namespace
}  // namespace change
