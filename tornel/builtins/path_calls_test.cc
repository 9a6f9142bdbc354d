// FileExist, FileDel, FileCopy and FileMove on real files: whole
// replacement, a missing source keeping the target, the run's own files
// out of reach, nothing left beside.
#include "tornel/builtins/path_calls.h"

#include <gtest/gtest.h>

#include "platform/files.h"
#include "tests/test_dir.h"

namespace tornel {
namespace {

class PathCalls : public tornel_test::InTempDir {
 protected:
  void SetUp() override {
    InTempDir::SetUp();
    files.nc_work_path = "part.nc.tornel-1.tmp";
  }
  // No file of ours is left beside a target.
  void NothingBeside(const std::string& target) {
    EXPECT_FALSE(platform::FileExists(target + ".tornel-1.tmp"));
  }
  RunFiles files;
};

TEST_F(PathCalls, ExistAndDelete) {
  WriteFile("a.txt", "a");
  WriteFile("sub/b.txt", "b");
  EXPECT_TRUE(PathExists("a.txt"));
  EXPECT_TRUE(PathExists("sub"));  // a folder is there too
  EXPECT_FALSE(PathExists("missing.txt"));
  EXPECT_FALSE(PathExists(""));
  DeletePath(files, "a.txt");
  EXPECT_FALSE(PathExists("a.txt"));
  DeletePath(files, "missing.txt");  // nothing to report
  // The run's own files stay: its temp files and the NC file's work file.
  WriteFile("TorApt.tmp", "cl");
  WriteFile("part.nc.tornel-1.tmp", "nc");
  DeletePath(files, "TorApt.tmp");
  DeletePath(files, "./part.nc.tornel-1.tmp");
  EXPECT_EQ(ReadFile("TorApt.tmp"), "cl");
  EXPECT_EQ(ReadFile("part.nc.tornel-1.tmp"), "nc");
}

TEST_F(PathCalls, CopyReplacesTheTargetWhole) {
  WriteFile("from.txt", "new text");
  WriteFile("to.txt", "old text that is longer");
  CopyPath(files, "from.txt", "to.txt");
  EXPECT_EQ(ReadFile("to.txt"), "new text");
  EXPECT_EQ(ReadFile("from.txt"), "new text");
  NothingBeside("to.txt");
  CopyPath(files, "from.txt", "fresh.txt");
  EXPECT_EQ(ReadFile("fresh.txt"), "new text");
  // A missing or unreadable source, a folder, the file itself, a run file:
  // the target stays as it was.
  CopyPath(files, "missing.txt", "to.txt");
  WriteFile("dir/x", "");
  CopyPath(files, "dir", "to.txt");
  CopyPath(files, "to.txt", "./to.txt");
  EXPECT_EQ(ReadFile("to.txt"), "new text");
  WriteFile("TorNc.tmp", "finishing");
  CopyPath(files, "from.txt", "TorNc.tmp");
  EXPECT_EQ(ReadFile("TorNc.tmp"), "finishing");
  NothingBeside("to.txt");
}

TEST_F(PathCalls, MoveRenamesOverTheTarget) {
  WriteFile("from.txt", "moved");
  WriteFile("to.txt", "old");
  MovePath(files, "from.txt", "to.txt");
  EXPECT_EQ(ReadFile("to.txt"), "moved");
  EXPECT_FALSE(PathExists("from.txt"));
  // A missing source keeps the target (it used to be deleted first).
  MovePath(files, "from.txt", "to.txt");
  EXPECT_EQ(ReadFile("to.txt"), "moved");
  // The run's own files are neither moved nor replaced.
  WriteFile("TorApt.tmp", "cl");
  MovePath(files, "TorApt.tmp", "stolen.txt");
  MovePath(files, "to.txt", "TorApt.tmp");
  EXPECT_EQ(ReadFile("TorApt.tmp"), "cl");
  EXPECT_FALSE(PathExists("stolen.txt"));
  EXPECT_EQ(ReadFile("to.txt"), "moved");
}

}  // namespace
}  // namespace tornel
