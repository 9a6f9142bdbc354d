#include "tornel/driver/end_of_run.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "platform/disk_limit.h"
#include "platform/paths.h"
#include "tests/test_dir.h"
#include "tornel/base/file_open.h"
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

  void TearDown() override {
    platform::ClearDiskLimits();
    InTempDir::TearDown();
  }

  // No temp file, and no NC work file in any folder.
  void ExpectNoTempFiles() {
    for (const char* name : kTempFiles) EXPECT_FALSE(Exists(name)) << name;
    for (const auto& e : std::filesystem::recursive_directory_iterator(dir_))
      EXPECT_EQ(e.path().filename().string().find(kBesideInfix), std::string::npos) << e.path();
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

TEST_F(Run, MissingPostLeavesNoNcFile) {
  EXPECT_EQ(RunAll({"-p", "lathe", "-i", "part.cl"}), 1);
  EXPECT_EQ(ctx.diag.last_error, "Postprocessor file - lathe.tr not found");
  // Nothing ran, so there is no NC file to deliver (there was none before).
  EXPECT_FALSE(Exists("part.nc"));
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

// --- the previous NC file and full disks --------------------------------

constexpr const char* kOld = "the previous program\r\n";
constexpr const char* kLine = "LINE-1234567890";  // 17 bytes with its CR LF

// A post that writes `lines` NC lines of kLine.
std::string LinesPost(int lines) {
  return "main\nend main\nfunc Settings\n  variable\n    liI\n  end\n  for (liI = 1 to " +
         std::to_string(lines) + ")\n    o: '" + kLine + "'\n  end\nend func\n";
}

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

std::string Frame(const std::string& text) {
  std::string dashes(50, '-');
  return dashes + "\r\n" + text + "\r\n" + dashes + "\r\n";
}

TEST_F(Run, PreviousNcFileSurvivesEveryRunThatDeliversNothing) {
  WriteFile("part.nc", kOld);
  EXPECT_EQ(RunAll({"-p", "lathe", "-i", "part.cl"}), 1);  // no post
  EXPECT_EQ(ReadFile("part.nc"), kOld);
  ExpectNoTempFiles();

  ctx = RunState{};
  WriteFile("bad.tr", "main\n  variable\n    uiA\n    uiA\n  end\nend main\n");
  EXPECT_EQ(RunAll({"-p", "bad", "-i", "part.cl"}), 1);  // compile error
  EXPECT_EQ(ReadFile("part.nc"), kOld);
  ExpectNoTempFiles();

  ctx = RunState{};
  WriteFile("mill.tr", LinesPost(100));
  StartUp(ctx, {"-p", "mill", "-i", "part.cl"});
  CompilePost(ctx);
  RunFirstPass(ctx);
  platform::RequestCancel();  // Ctrl-C, SIGTERM or SIGHUP in the second pass
  EXPECT_THROW(RunSecondPass(ctx), RunEnded);
  EXPECT_EQ(ctx.diag.cancelled, 1);
  EXPECT_EQ(EndOfRun(ctx, 1), 1);
  EXPECT_EQ(ReadFile("part.nc"), kOld);
  ExpectNoTempFiles();
}

TEST_F(Run, NcFileIsReplacedOnlyAtDelivery) {
  WriteFile("part.nc", kOld);
  WriteFile("part.nc.tmp", "a file of the user's");
  WriteFile("part.nc.tornel-1.tmp", "another one");
  WriteFile("mill.tr", LinesPost(30));
  RunStages({"-p", "mill", "-i", "part.cl"});
  EXPECT_EQ(ReadFile("part.nc"), kOld);  // lines written so far went beside it
  EXPECT_EQ(EndOfRun(ctx, 0), 0);
  EXPECT_EQ(ReadFile("part.nc"), Repeat(std::string(kLine) + "\r\n", 30));
  EXPECT_EQ(ReadFile("part.nc.tmp"), "a file of the user's");
  EXPECT_EQ(ReadFile("part.nc.tornel-1.tmp"), "another one");
}

TEST_F(Run, FullCurrentDirectoryWhileFinishingIsAnError) {
  WriteFile("out/part.nc", kOld);
  WriteFile("mill.tr", LinesPost(100));
  RunStages({"-p", "mill", "-i", "part.cl", "-o", "out/part.nc"});
  platform::LimitDisk(".", 500);  // TorNc.tmp has no room
  EXPECT_EQ(EndOfRun(ctx, 0), 1);
  EXPECT_EQ(ctx.diag.last_error, "Error writing file TorNc.tmp: the disk is full.");
  EXPECT_EQ(ReadFile("out/part.nc"), kOld);
  ExpectNoTempFiles();
}

TEST_F(Run, FullCurrentDirectoryForTheTempCopies) {
  platform::LimitDisk(".", 0);
  EXPECT_EQ(RunAll({"-p", "mill", "-i", "part.cl"}), 1);
  // Not a missing post: the copy of it had no room.
  EXPECT_EQ(ctx.diag.last_error, "Error writing file Tornel1.tmp: the disk is full.");
  ExpectNoTempFiles();

  ctx = RunState{};
  platform::ClearDiskLimits();
  WriteFile("part.cl", Repeat("GOTO/1,2,3\n", 200) + "FINI\n");
  platform::LimitDisk(".", static_cast<long long>(ReadFile("mill.tr").size()) + 100);
  EXPECT_THROW(RunTornel(ctx, {"-p", "mill", "-i", "part.cl"}), RunEnded);
  EXPECT_EQ(ctx.diag.last_error, "Error writing file TorApt.tmp: the disk is full.");
  platform::ClearDiskLimits();  // room again for the NC file and its frame
  EXPECT_EQ(EndOfRun(ctx, 1), 1);
  EXPECT_EQ(ReadFile("part.nc"), Frame(ctx.diag.last_error) + Frame(ctx.diag.last_error));
  ExpectNoTempFiles();
}

TEST_F(Run, FullNcDiskDuringTheRunDeliversNoCutFile) {
  WriteFile("ncdisk/part.nc", kOld);
  WriteFile("mill.tr", LinesPost(200));
  platform::LimitDisk("ncdisk", 1000);
  EXPECT_EQ(RunAll({"-p", "mill", "-i", "part.cl", "-o", "ncdisk/part.nc"}), 1);
  EXPECT_EQ(ctx.diag.last_error, "Error writing file ncdisk/part.nc: the disk is full.");
  // No room for the framed file either: the previous one stays.
  EXPECT_EQ(ReadFile("ncdisk/part.nc"), kOld);
  ExpectNoTempFiles();
}

TEST_F(Run, FullNcDiskThenRoomAgainDeliversTheFramedWholeLines) {
  WriteFile("mill.tr", LinesPost(200));
  platform::LimitDisk("ncdisk", 1000);
  WriteFile("ncdisk/keep", "");
  EXPECT_THROW(RunTornel(ctx, {"-p", "mill", "-i", "part.cl", "-o", "ncdisk/part.nc"}),
               RunEnded);
  const std::string report = "Error writing file ncdisk/part.nc: the disk is full.";
  EXPECT_EQ(ctx.diag.last_error, report);
  platform::ClearDiskLimits();
  EXPECT_EQ(EndOfRun(ctx, 1), 1);
  // 1000 bytes hold 58 whole lines; the cut 59th is not part of the file.
  EXPECT_EQ(ReadFile("ncdisk/part.nc"),
            Frame(report) + Repeat(std::string(kLine) + "\r\n", 58) + Frame(report));
  ExpectNoTempFiles();
}

TEST_F(Run, FailedCloseOfTheNcFileIsAnError) {
  WriteFile("ncdisk/part.nc", kOld);
  WriteFile("mill.tr", LinesPost(200));
  // The writes seem to succeed; only the close tells the bytes were lost.
  platform::LimitDisk("ncdisk", 1000, platform::DiskFullShows::kAtClose);
  EXPECT_EQ(RunAll({"-p", "mill", "-i", "part.cl", "-o", "ncdisk/part.nc"}), 1);
  EXPECT_EQ(ctx.diag.last_error, "Error writing file ncdisk/part.nc: the disk is full.");
  EXPECT_EQ(ReadFile("ncdisk/part.nc"), kOld);
  ExpectNoTempFiles();
}

TEST_F(Run, PlaceFileByCopyReplacesTheTargetWholeOrNotAtAll) {
  WriteFile("work", "the new program");
  WriteFile("far/part.nc", kOld);
  platform::LimitDisk("far", 5);
  EXPECT_FALSE(PlaceFile("work", "far/part.nc", true));
  EXPECT_EQ(ReadFile("far/part.nc"), kOld);
  EXPECT_EQ(ReadFile("work"), "the new program");
  platform::ClearDiskLimits();
  EXPECT_TRUE(PlaceFile("work", "far/part.nc", true));
  EXPECT_EQ(ReadFile("far/part.nc"), "the new program");
  EXPECT_FALSE(Exists("work"));
  ExpectNoTempFiles();
}

}  // namespace
}  // namespace tornel
