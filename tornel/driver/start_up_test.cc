// The files a run is started with: what -i and -p may name.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "platform/files.h"
#include "platform/text_file.h"
#include "tests/fatal_report.h"
#include "tests/test_dir.h"
#include "tornel/driver/run.h"

namespace tornel {
namespace {

using StartUpFiles = tornel_test::InTempDir;

TEST_F(StartUpFiles, RegularFilesOnly) {
  WriteFile("part.cl", "FINI\n");
  WriteFile("cam.cl/inside.cl", "FINI\n");
  EXPECT_TRUE(platform::IsRegularFile("part.cl"));
  EXPECT_FALSE(platform::IsRegularFile("cam.cl"));
  EXPECT_FALSE(platform::IsRegularFile("gone.cl"));
  EXPECT_TRUE(platform::FileExists("cam.cl"));  // there, but no file
}

TEST_F(StartUpFiles, AnAptFileMustBeAFileThatCanBeRead) {
  WriteFile("cam.cl/inside.cl", "FINI\n");
  RunContext dir;
  EXPECT_EQ(tornel_test::ReportOf(dir.diag, [&] { ChooseFiles(dir, {"-p", "mill", "-i", "cam.cl"}); }),
            "APT-CL file - cam.cl not found.");

  WriteFile("locked.cl", "FINI\n");
  namespace fs = std::filesystem;
  fs::permissions("locked.cl", fs::perms::none);
  if (std::FILE* f = platform::OpenBinary("locked.cl", "r")) {
    std::fclose(f);
    fs::permissions("locked.cl", fs::perms::owner_all);
    GTEST_SKIP() << "this user reads files without read permission";
  }
  RunContext locked;
  std::string report = tornel_test::ReportOf(
      locked.diag, [&] { ChooseFiles(locked, {"-p", "mill", "-i", "locked.cl"}); });
  fs::permissions("locked.cl", fs::perms::owner_all);
  EXPECT_EQ(report, "Acces denied to file locked.cl.");
}

TEST_F(StartUpFiles, PostNamedWithItsEnding) {
  WriteFile("part.cl", "FINI\n");
  RunContext ctx;
  ChooseFiles(ctx, {"-p", "mill.TR", "-i", "part.cl"});
  EXPECT_EQ(ctx.files.post_name, "mill");
  EXPECT_EQ(ctx.files.post_file, "mill.TR");
  EXPECT_EQ(ctx.files.settings_file, "mill.ini");
  EXPECT_EQ(ctx.diag.post_file, "mill.TR");
  EXPECT_EQ(ctx.diag.progress.post_name, "mill");
}

}  // namespace
}  // namespace tornel
