// Whole runs over files in a folder of their own: what reaches the disk,
// and that a failed run leaves the user's files as they were.
#include "tools/menugen/run.h"

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/disk_limit.h"
#include "platform/paths.h"
#include "platform/stop_requests.h"
#include "platform/text_file.h"
#include "tools/menugen/file_lines.h"
#include "tests/test_dir.h"

namespace menugen {
namespace {

namespace fs = std::filesystem;

constexpr const char* kLib = "C:\\Users\\Public\\SURFCAM\\SURFCAM6\\Config\\POSTLIB\\MPOST\\";
constexpr const char* kMenu = "top\nBEGINPOST MILL \"m\"\nENDPOST\n";
constexpr const char* kPostList =
    "BEGINPOST 2 AXIS a\nPOSTITEM \"A\"\n\"MPOSTWIN\" 1\nPOSTITEM \"B\"\n\"MPOSTWIN\" 2\nENDPOST\n";

class MenugenRun : public tornel_test::InTempDir {
 protected:
  void SetUp() override {
    InTempDir::SetUp();
    WriteFile("PostMenu.cfg", kMenu);
    WriteFile("Surfcam.pst", kPostList);
  }
  void TearDown() override {
    platform::ClearDiskLimits();
    for (const auto& e : fs::recursive_directory_iterator(dir_))
      fs::permissions(e.path(), fs::perms::owner_all, fs::perm_options::add);
    InTempDir::TearDown();
  }

  // Runs over the current folder; gives the exit status, and standard
  // error in `err`.
  int Run(std::string& err, std::vector<std::string> args = {"."}) {
    testing::internal::CaptureStderr();
    int status = RunMenugen(args);
    err = testing::internal::GetCapturedStderr();
    return status;
  }

  static std::string At(std::string path) { return platform::NativePath("./" + path); }

  static void MakeReadOnly(const std::string& name) {
    fs::permissions(name, fs::perms::owner_write | fs::perms::group_write |
                              fs::perms::others_write, fs::perm_options::remove);
  }

  // Every file of the tree but the inputs the test wrote.
  std::vector<std::string> WorkFilesLeft() {
    std::vector<std::string> left;
    for (const auto& e : fs::recursive_directory_iterator(dir_))
      if (e.path().string().find(".tornel-") != std::string::npos)
        left.push_back(e.path().string());
    return left;
  }
};

TEST_F(MenugenRun, SplitsTheListsAndRebuildsTheMenu) {
  WriteFile("m3", "NAME A\r\nx\r\nNAME B\ny\n");
  WriteFile("e2", "");
  std::string err;
  ASSERT_EQ(Run(err), 0) << err;
  EXPECT_EQ(err, "");
  EXPECT_EQ(ReadFile("MPost/A.m3"), "NAME A\r\nx\r\n");
  EXPECT_EQ(ReadFile("MPost/B.m3"), "NAME B\r\ny\r\n");
  EXPECT_EQ(ReadFile("PostMenu.cfg"),
            std::string("top\r\nBEGINPOST MILL \"m\"\r\nPOSTITEM \"A\"\r\n\"MPOSTWIN\" \"") + kLib +
                "A.m3\"\r\nPOSTITEM \"B\"\r\n\"MPOSTWIN\" \"" + kLib + "B.m3\"\r\nENDPOST\r\n");
  EXPECT_TRUE(WorkFilesLeft().empty());
}

TEST_F(MenugenRun, WithoutSplitFilesThereIsNoSplitFolder) {
  std::string err;
  ASSERT_EQ(Run(err), 0) << err;
  EXPECT_FALSE(Exists("MPost"));
  EXPECT_EQ(ReadFile("PostMenu.cfg"), "top\r\nBEGINPOST MILL \"m\"\r\nENDPOST\r\n");
  // A folder that holds something stays.
  WriteFile("MPost/keep.m3", "old");
  ASSERT_EQ(Run(err), 0) << err;
  EXPECT_EQ(ReadFile("MPost/keep.m3"), "old");
}

TEST_F(MenugenRun, AMissingFileEndsTheRunBeforeAnythingIsWritten) {
  WriteFile("m3", "NAME A\nx\n");
  fs::remove("Surfcam.pst");
  std::string err;
  EXPECT_EQ(Run(err), 1);
  EXPECT_EQ(err, "File " + At("Surfcam.pst") + " not found.\n");
  EXPECT_FALSE(Exists("MPost"));
  EXPECT_EQ(ReadFile("PostMenu.cfg"), kMenu);

  WriteFile("Surfcam.pst", kPostList);
  EXPECT_EQ(Run(err, {".", "Surfcam.pst", "Other.cfg"}), 1);
  EXPECT_EQ(err, "File " + At("Other.cfg") + " not found.\n");
  EXPECT_FALSE(Exists("MPost"));
  EXPECT_TRUE(WorkFilesLeft().empty());
}

TEST_F(MenugenRun, AReadOnlyMenuIsLeftAsItWas) {
  WriteFile("m3", "NAME A\nnew\n");
  WriteFile("MPost/A.m3", "old");
  MakeReadOnly("PostMenu.cfg");
  std::string err;
  EXPECT_EQ(Run(err), 1);
  EXPECT_EQ(err, "Acces denied to file " + At("PostMenu.cfg") + ".\n");
  EXPECT_EQ(ReadFile("PostMenu.cfg"), kMenu);
  EXPECT_EQ(ReadFile("MPost/A.m3"), "old");
  EXPECT_TRUE(WorkFilesLeft().empty());
}

TEST_F(MenugenRun, AReadOnlySplitFileStopsEveryRename) {
  WriteFile("m3", "NAME A\nnew\nNAME B\nnew\n");
  WriteFile("MPost/B.m3", "old B");
  MakeReadOnly("MPost/B.m3");
  std::string err;
  EXPECT_EQ(Run(err), 1);
  EXPECT_EQ(err, "Acces denied to file " + At("MPost/B.m3") + ".\n");
  EXPECT_FALSE(Exists("MPost/A.m3"));
  EXPECT_EQ(ReadFile("MPost/B.m3"), "old B");
  EXPECT_EQ(ReadFile("PostMenu.cfg"), kMenu);
  EXPECT_TRUE(WorkFilesLeft().empty());
}

TEST_F(MenugenRun, AListFileThatCannotBeReadIsReported) {
  fs::create_directory("l2");
  std::string err;
  EXPECT_EQ(Run(err), 1);
  EXPECT_EQ(err, "Error opening file " + At("l2") + ".\n");
  EXPECT_EQ(ReadFile("PostMenu.cfg"), kMenu);
  EXPECT_TRUE(WorkFilesLeft().empty());
}

TEST_F(MenugenRun, AFullDiskLeavesTheOldFiles) {
  WriteFile("m3", "NAME A\n" + std::string(100, 'x') + "\n");
  WriteFile("MPost/A.m3", "old");
  platform::LimitDisk(".", 40);
  std::string err;
  EXPECT_EQ(Run(err), 1);
  EXPECT_EQ(err, "Error writing file " + At("MPost/A.m3") + ": the disk is full.\n");
  EXPECT_EQ(ReadFile("MPost/A.m3"), "old");
  EXPECT_EQ(ReadFile("PostMenu.cfg"), kMenu);
  EXPECT_TRUE(WorkFilesLeft().empty());

  // The split files fit, the menu does not.
  platform::ClearDiskLimits();
  WriteFile("m3", "NAME A\n");
  platform::LimitDisk(".", 20, platform::DiskFullShows::kAtClose);
  EXPECT_EQ(Run(err), 1);
  EXPECT_EQ(err, "Error writing file " + At("PostMenu.cfg") + ": the disk is full.\n");
  EXPECT_EQ(ReadFile("MPost/A.m3"), "old");
  EXPECT_EQ(ReadFile("PostMenu.cfg"), kMenu);
  EXPECT_TRUE(WorkFilesLeft().empty());
}

TEST_F(MenugenRun, ALongLineIsOneLine) {
  // Past the 511 bytes a line buffer of 512 would hold, the rest of the
  // line is still the same line: it starts no post of its own.
  std::string long_line = std::string(511, 'x') + "NAME Hidden\n";
  WriteFile("m3", "NAME A\n" + long_line);
  std::string err;
  ASSERT_EQ(Run(err), 0) << err;
  EXPECT_FALSE(Exists("MPost/Hidden.m3"));
  EXPECT_EQ(ReadFile("MPost/A.m3"), "NAME A\r\n" + long_line.substr(0, 522) + "\r\n");
}

TEST_F(MenugenRun, AStopRequestEndsTheReadingBetweenLines) {
  WriteFile("m3", "NAME A\r\nx\r\n");
  tornel::Diagnostics diag;
  FilePtr file(platform::OpenBinary("m3", "r"));
  ASSERT_TRUE(file);
  FileSource source(diag, file.get(), "m3");
  std::string line;
  platform::ArmStopRequests();
  ASSERT_TRUE(source.Next(line));
  EXPECT_EQ(line, "NAME A\n");
  platform::HandleStopEvent(platform::StopEvents()[0]);
  EXPECT_THROW(source.Next(line), tornel::RunEnded);
  platform::DisarmStopRequests();
  source.Rewind();
  ASSERT_TRUE(source.Next(line));
  EXPECT_EQ(line, "NAME A\n");
}

}  // namespace
}  // namespace menugen
