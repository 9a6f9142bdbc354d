#include "tornel/driver/end_of_run.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "platform/paths.h"
#include "tests/test_dir.h"
#include "tornel/compiler/preprocessor.h"
#include "tornel/driver/run.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {
namespace {

class Run : public tornel_test::InTempDir {
 protected:
  void SetUp() override {
    InTempDir::SetUp();
    WriteFile("mill.tr", "main\nend main\n");
    WriteFile("part.cl", "FINI\n");
  }

  // The whole run as main does it: the stages, then the end of the run.
  int RunAll(const std::vector<std::string>& args) {
    int status = 0;
    try {
      RunTornel(ctx, args);
    } catch (const RunEnded& e) {
      status = e.status;
    }
    return EndOfRun(ctx, status);
  }

  // Runs the stages and leaves the end of the run to the test.
  void RunStages(const std::vector<std::string>& args) {
    ASSERT_NO_THROW(RunTornel(ctx, args));
  }

  static void ExpectNoTempFiles() {
    for (const char* name : kTempFiles) EXPECT_FALSE(Exists(name)) << name;
  }

  RunState ctx;
};

TEST_F(Run, CompleteRunDeliversTheNcFileAndLeavesNoTempFiles) {
  WriteFile("Tornel1.tmp", "stale");
  EXPECT_EQ(RunAll({"-p", "mill", "-i", "part.cl"}), 0);
  EXPECT_EQ(ReadFile("part.nc"), "");
  EXPECT_EQ(ctx.diag.error_flag, 0);
  ExpectNoTempFiles();
}

TEST_F(Run, RunFilesAreNamedFromTheCommandLine) {
  WriteFile("out/keep", "");
  WriteFile("partx.cl", "");  // -x: each pass opens the companion CL file
  RunStages({"-p", "mill", "-i", "part.cl", "-op", "out", "-oe", "tap", "-x", "-ed", "ed"});
  EXPECT_EQ(ctx.files.post_file, "mill.tr");
  EXPECT_EQ(ctx.files.settings_file, "mill.ini");
  EXPECT_EQ(ctx.files.values_file, "part.val");
  EXPECT_EQ(ctx.files.companion_path, "partx.cl");
  EXPECT_EQ(ctx.flags.companion_file, 1);
  EXPECT_EQ(ctx.diag.progress.file_name, "part.tap");
  EXPECT_EQ(NcFileFromValues(ctx.values).name, "part");
  EXPECT_EQ(NcFileFromValues(ctx.values).ext, ".tap");
  ctx.files.editor.clear();  // no editor to start in a test
  EndOfRun(ctx, 0);
}

TEST_F(Run, PostMayRenameTheNcFile) {
  RunStages({"-p", "mill", "-i", "part.cl"});
  ctx.values.strings[kSsNcExt] = "h";
  EXPECT_EQ(EndOfRun(ctx, 0), 0);
  EXPECT_TRUE(Exists("part.h"));
  EXPECT_FALSE(Exists("part.nc"));

  RunState again;
  ctx = std::move(again);
  WriteFile("sub/old.nc", "old");
  RunStages({"-p", "mill", "-i", "part.cl"});
  ctx.values.strings[kSsNcDir] = "sub";
  ctx.values.strings[kSsNcName] = "old";
  ctx.values.strings[kSsNcExt] = ".nc";
  EXPECT_EQ(EndOfRun(ctx, 0), 0);
  EXPECT_EQ(ReadFile("sub/old.nc"), "");  // an existing target is replaced
  EXPECT_FALSE(Exists("part.nc"));
}

TEST(EditorCommandLine, QuotesBothWords) {
  EXPECT_EQ(EditorCommandLine("C:\\Program Files\\ed.exe", "C:\\nc\\part 1.nc"),
            "\"C:\\Program Files\\ed.exe\" \"C:\\nc\\part 1.nc\"");
}

TEST_F(Run, CompiledPostGetsItsValueTablesStartValuesAndDefaults) {
  WriteFile("mill.tr",
            "main\n  variable\n    usNote\n  end\n  usNote = 'Hello'\nend main\n"
            "func Move\nend func\n");
  RunStages({"-p", "mill", "-i", "part.cl"});
  EXPECT_EQ(ctx.values.strings[kFirstStringLiteral], "Hello");
  EXPECT_EQ(ctx.values.strings.size(), static_cast<size_t>(kFirstStringLiteral + 2));
  EXPECT_EQ(ctx.values.strings[kSsPostName], "mill");
  EXPECT_EQ(ctx.values.ints[kSiEachOn], 1);
  EXPECT_EQ(ctx.post_functions[kPfMove], 0);
  EXPECT_EQ(ctx.move_handlers.rapid, 0);
  EXPECT_EQ(ctx.move_handlers.helical_arc, 0);
  EXPECT_EQ(EndOfRun(ctx, 0), 0);
  EXPECT_TRUE(Exists("part.nc"));
}

TEST_F(Run, FailedDeliveryKeepsTheNcFileAndFails) {
  RunStages({"-p", "mill", "-i", "part.cl"});
  ctx.values.strings[kSsNcDir] = "no-such-dir";
  std::string target = DeliveryTarget(NcFileFromValues(ctx.values));
  EXPECT_EQ(EndOfRun(ctx, 0), 1);
  EXPECT_EQ(ctx.diag.last_error, "Error creating file " + target + ".");
  EXPECT_TRUE(Exists("part.nc"));
  ExpectNoTempFiles();
}

TEST_F(Run, CancelDeletesTheNcFile) {
  StartUp(ctx, {"-p", "mill", "-i", "part.cl"});
  CompilePost(ctx);
  platform::RequestCancel();  // Ctrl-C while the passes run
  EXPECT_THROW(RunFirstPass(ctx), RunEnded);
  EXPECT_EQ(EndOfRun(ctx, 1), 1);
  EXPECT_FALSE(Exists("part.nc"));
  ExpectNoTempFiles();
}

TEST_F(Run, ExitWithOtherValuesStillDelivers) {
  RunStages({"-p", "mill", "-i", "part.cl"});
  ctx.diag.cancelled = 0;
  EXPECT_EQ(EndOfRun(ctx, 1), 1);
  EXPECT_TRUE(Exists("part.nc"));
}

TEST_F(Run, OnlyScratchFilesOfThisRunAreDeleted) {
  WriteFile("5.tmp", "the user's own file");
  WriteFile("0.tmp", "scratch");
  RunStages({"-p", "mill", "-i", "part.cl"});
  NoteScratchCreated(ctx.open_files, 1);  // handle 1 is "0.tmp"
  EXPECT_EQ(EndOfRun(ctx, 0), 0);
  EXPECT_FALSE(Exists("0.tmp"));
  EXPECT_EQ(ReadFile("5.tmp"), "the user's own file");
}

TEST_F(Run, CommandLineErrors) {
  EXPECT_EQ(RunAll({"-p", "mill"}), 1);
  EXPECT_EQ(ctx.diag.last_error, "APT-CL filename not given.");

  ctx = RunState{};
  EXPECT_EQ(RunAll({"-p", "mill", "-i", "gone.cl"}), 1);
  EXPECT_EQ(ctx.diag.last_error, "APT-CL file - gone.cl not found.");

  ctx = RunState{};
  EXPECT_EQ(RunAll({"-i", "part.cl", "-z", "value", "-p", "mill"}), 1);
  EXPECT_EQ(ctx.diag.last_error, "Invalid command line parameter -z.");
  EXPECT_FALSE(Exists("part.nc"));

  ctx = RunState{};
  EXPECT_EQ(RunAll({"-p", "mill", "-i", "part.cl", "-o", "no-dir/x.nc"}), 1);
  EXPECT_EQ(ctx.diag.last_error, "Error creating file no-dir/x.nc.");
}

TEST_F(Run, MissingPostLeavesTheEmptyNcFile) {
  EXPECT_EQ(RunAll({"-p", "lathe", "-i", "part.cl"}), 1);
  EXPECT_EQ(ctx.diag.last_error, "Postprocessor file - lathe.tr not found");
  EXPECT_EQ(ReadFile("part.nc"), "");
  ExpectNoTempFiles();
}

TEST_F(Run, LanguageFileReplacesMessagesAndLabels) {
  WriteFile("Tornel.lan", "16:Puuttuu: %s\n1:Postprosessori:\n5:Keskeyta\n");
  EXPECT_EQ(RunAll({"-p", "mill", "-i", "gone.cl"}), 1);
  EXPECT_EQ(ctx.diag.last_error, "Puuttuu: gone.cl");
  EXPECT_EQ(ctx.diag.progress.post_label, "Postprosessori:");
  EXPECT_EQ(ctx.diag.progress.file_label, "Filename:");
  EXPECT_EQ(ctx.diag.progress.cancel_label, "Keskeyta");
}

TEST_F(Run, WithoutPThePostIsChosenFromTheList) {
  // Without a terminal the list takes its first entry, sorted by name.
  WriteFile("Lathe.tr", "main\nend main\n");
  WriteFile("notes.txt", "");
  WriteFile("no-answer", "");
  ASSERT_NE(std::freopen("no-answer", "r", stdin), nullptr);
  EXPECT_EQ(RunAll({"-i", "part.cl"}), 0);
  EXPECT_EQ(ctx.files.post_name, "Lathe");
}

}  // namespace
}  // namespace tornel
