#include "platform/disk_limit.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "platform/files.h"
#include "platform/text_file.h"
#include "tests/test_dir.h"

namespace platform {
namespace {

class SmallDisk : public tornel_test::InTempDir {
 protected:
  void SetUp() override {
    InTempDir::SetUp();
    WriteFile("d/keep", "");
  }
  void TearDown() override {
    ClearDiskLimits();
    InTempDir::TearDown();
  }
};

TEST_F(SmallDisk, WritePastTheBudgetWritesWhatFitsThenFails) {
  LimitDisk("d", 10);
  std::FILE* a = OpenBinary("d/a", "w");
  ASSERT_NE(a, nullptr);
  EXPECT_TRUE(WriteBytes(a, "12345678"));
  errno = 0;
  EXPECT_FALSE(WriteText(a, "ab\ncd"));  // "ab" and the CR fit; the LF does not
  EXPECT_EQ(errno, ENOSPC);
  EXPECT_TRUE(CloseFile(a));
  EXPECT_EQ(ReadFile("d/a"), "12345678ab");

  // The budget is the folder's, shared by every file written in it.
  std::FILE* b = CreateNewFile("d/b");
  ASSERT_NE(b, nullptr);
  EXPECT_FALSE(WriteBytes(b, "x"));
  CloseFile(b);
  // Elsewhere nothing is limited.
  std::FILE* c = OpenBinary("c", "w");
  EXPECT_TRUE(WriteBytes(c, "plenty of room"));
  EXPECT_TRUE(CloseFile(c));
}

TEST_F(SmallDisk, AtCloseTheWritesSeemFineAndTheCloseFails) {
  LimitDisk("d", 3, DiskFullShows::kAtClose);
  std::FILE* f = OpenBinary("d/a", "w");
  EXPECT_TRUE(WriteText(f, "abcdef\n"));
  errno = 0;
  EXPECT_FALSE(CloseFile(f));
  EXPECT_EQ(errno, ENOSPC);
  EXPECT_EQ(ReadFile("d/a"), "abc");
}

TEST_F(SmallDisk, CopyTellsWhichEndFailed) {
  WriteFile("src", "0123456789");
  LimitDisk("d", 4);
  CopyFailure failed = CopyFailure::kNone;
  EXPECT_FALSE(CopyFileTo("src", "d/copy", &failed));
  EXPECT_EQ(failed, CopyFailure::kTarget);
  EXPECT_EQ(ClassifyFileError(errno), FileFailure::kDiskFull);
  EXPECT_FALSE(CopyFileTo("missing", "copy", &failed));
  EXPECT_EQ(failed, CopyFailure::kSource);
  EXPECT_TRUE(CopyFileTo("src", "copy", &failed));
  EXPECT_EQ(failed, CopyFailure::kNone);
  EXPECT_EQ(ReadFile("copy"), "0123456789");
}

TEST_F(SmallDisk, NewFileIsNeverOneThatIsThere) {
  WriteFile("mine", "the user's");
  errno = 0;
  EXPECT_EQ(CreateNewFile("mine"), nullptr);
  EXPECT_EQ(errno, EEXIST);
  EXPECT_EQ(ReadFile("mine"), "the user's");
  std::FILE* f = CreateNewFile("ours");
  ASSERT_NE(f, nullptr);
  EXPECT_TRUE(WriteBytes(f, "x"));
  EXPECT_TRUE(CloseFile(f));
  EXPECT_EQ(ReadFile("ours"), "x");
}

}  // namespace
}  // namespace platform
