// The system's shell-link object (Windows, or Wine) against the shortcut
// file format code: each reads what the other wrote.
#include "tools/lnkedit/shell_link_host.h"

#include <gtest/gtest.h>

#include "tests/test_dir.h"
#include "tools/lnkedit/disk_host.h"
#include "tools/lnkedit/lnk_format.h"

namespace lnkedit {
namespace {

class LnkeditShellLinkHost : public tornel_test::InTempDir {
 protected:
  void SetUp() override {
    if (!platform::ShellLinkObject::Available()) GTEST_SKIP() << "no shell-link object here";
    // Read before the move to the test's folder: under Wine a path from
    // the root names a folder of the current drive.
    const std::string linux_made =
        ReadFile(TORNEL_SOURCE_DIR "/tests/tools/lnkedit/data/linux_notepad.lnk");
    InTempDir::SetUp();
    in_dir_ = true;
    WriteFile("linux_notepad.lnk", linux_made);
  }
  void TearDown() override {
    if (in_dir_) InTempDir::TearDown();
  }

 private:
  bool in_dir_ = false;
};

std::string FullPath(LinkHost& host, const std::string& path) {
  std::string full;
  long error = 0;
  EXPECT_TRUE(host.FullPath(path, &full, &error)) << error;
  return full;
}

TEST_F(LnkeditShellLinkHost, ReadsFilesTheFormatCodeWrote) {
  ShellLinkHost host;
  Message failed;
  ASSERT_TRUE(host.Start(&failed).ok());
  LinkRecord r;
  ASSERT_TRUE(host.Load(FullPath(host, "linux_notepad.lnk"), &r).ok());
  EXPECT_EQ(r.target, "C:\\windows\\notepad.exe");
  EXPECT_EQ(r.arguments, "/p readme.txt");
  EXPECT_EQ(r.description, "Edit the read-me");
  EXPECT_EQ(r.working_dir, "C:\\windows\\temp");
  EXPECT_EQ(r.hotkey, 0x654);
  EXPECT_EQ(r.icon_file, "C:\\windows\\system32\\shell32.dll");
  EXPECT_EQ(r.icon_index, 3);
  // The show command is not compared: Wine's object gives 1 for every
  // shortcut it loads, also for its own.
}

TEST_F(LnkeditShellLinkHost, WritesFilesTheFormatCodeReads) {
  LinkRecord r;
  r.target = "C:\\windows\\notepad.exe";
  r.arguments = "-x \"quoted\"";
  r.description = "Written by the shell";
  r.working_dir = "C:\\windows";
  r.hotkey = 0x341;
  r.icon_file = "C:\\windows\\notepad.exe";
  r.icon_index = 1;
  r.show_command = kShowMaximized;
  {
    ShellLinkHost host;
    Message failed;
    ASSERT_TRUE(host.Start(&failed).ok());
    ASSERT_TRUE(host.Save(FullPath(host, "shell.lnk"), r).ok());
  }
  LnkFile file;
  ASSERT_TRUE(ReadLnkFile("shell.lnk", &file).ok());
  EXPECT_EQ(file.record.target, r.target);
  EXPECT_EQ(file.record.arguments, r.arguments);
  EXPECT_EQ(file.record.description, r.description);
  EXPECT_EQ(file.record.working_dir, r.working_dir);
  EXPECT_EQ(file.record.hotkey, r.hotkey);
  EXPECT_EQ(file.record.icon_file, r.icon_file);
  EXPECT_EQ(file.record.icon_index, r.icon_index);
  EXPECT_EQ(file.record.show_command, r.show_command);
}

}  // namespace
}  // namespace lnkedit
