#include "platform/paths.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <unistd.h>

#include <cstdlib>
#endif

#include "platform/files.h"

namespace platform {
namespace {

TEST(SplitPath, SplitsLikeTheWindowsLibrary) {
  PathParts p = SplitPath("C:\\cam\\part.cl");
  EXPECT_EQ(p.drive, "C:");
  EXPECT_EQ(p.dir, "\\cam\\");
  EXPECT_EQ(p.name, "part");
  EXPECT_EQ(p.ext, ".cl");

  p = SplitPath("jobs/sub.dir/part.v2.cl");  // the last dot of the file name counts
  EXPECT_EQ(p.drive, "");
  EXPECT_EQ(p.dir, "jobs/sub.dir/");
  EXPECT_EQ(p.name, "part.v2");
  EXPECT_EQ(p.ext, ".cl");

  p = SplitPath("D:\\out\\");
  EXPECT_EQ(p.drive, "D:");
  EXPECT_EQ(p.dir, "\\out\\");
  EXPECT_EQ(p.name, "");
  EXPECT_EQ(p.ext, "");

  p = SplitPath("job");
  EXPECT_EQ(p.name, "job");
  EXPECT_EQ(p.ext, "");
}

TEST(PathText, DotPartsResolved) {
  EXPECT_EQ(ResolvedPathText("/work/./a/../b//c"), "/work/b/c");
  EXPECT_EQ(ResolvedPathText("C:\\cam\\..\\nc\\.\\p.nc"), "C:/nc/p.nc");
  EXPECT_EQ(ResolvedPathText("\\\\server\\share\\x"), "//server/share/x");
  EXPECT_EQ(ResolvedPathText("../up"), "../up");  // nothing before it to take away
}

TEST(PathText, AbsoluteAndComparison) {
  EXPECT_TRUE(IsAbsolutePath("\\nc"));
  EXPECT_TRUE(IsAbsolutePath("/nc"));
  EXPECT_TRUE(IsAbsolutePath("C:nc"));
  EXPECT_FALSE(IsAbsolutePath("nc\\sub"));
  EXPECT_FALSE(IsAbsolutePath(""));

  EXPECT_TRUE(SamePathText("C:\\NC\\Part.NC", "c:/nc/part.nc"));
  EXPECT_FALSE(SamePathText("C:\\nc\\part.nc", "C:\\nc\\part.h"));

  EXPECT_EQ(WithTrailingSeparator(""), "");
  EXPECT_EQ(WithTrailingSeparator("a/"), "a/");
  EXPECT_EQ(WithTrailingSeparator("a"), std::string("a") + kNativeSeparator);
}

#ifndef _WIN32
// A current directory that another process deleted: the answer comes at
// once (it used to ask again for ever with ever larger buffers).
TEST(CurrentDirectory, DeletedUnderUs) {
  std::string before = CurrentDirectory();
  char dir[] = "/tmp/tornel-cwd-XXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  ASSERT_EQ(chdir(dir), 0);
  ASSERT_EQ(rmdir(dir), 0);
  EXPECT_EQ(CurrentDirectory(), ".");
  ASSERT_EQ(chdir(before.c_str()), 0);
  EXPECT_EQ(CurrentDirectory(), before);
}
#endif

}  // namespace
}  // namespace platform
