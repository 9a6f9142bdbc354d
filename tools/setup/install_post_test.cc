#include "tools/setup/install_post.h"

#include <gtest/gtest.h>

#include "tools/setup/fake_host.h"

namespace setup {
namespace {

using platform::Icon;

struct Fixture {
  FakeHost h;
  VersionList list = ParseVersionList("6;;K6\n");
  Detection d;
  InstallRequest r{"C:\\Program Files\\Surfcam\\", "C:\\Data", "6", false, "D:\\pkg"};
  const std::string menu = "C:\\Data\\Config\\PostMenu.cfg";
  const std::string renamed = menu + "_renamed";

  Fixture() {
    h.Value("K6", "InstallPath", "C:\\Program Files\\Surfcam");
    h.Value("K6", "DataPath", "C:\\Data");
    d = DetectVersions(list, h);
    h.folders = {"C:\\Program Files\\Surfcam", "C:\\Data", "C:\\Data\\Config"};
    h.File(menu, "old menu");
  }
  InstallOutcome Run() { return InstallPostprocessor(list, d, r, h); }
};

TEST(InstallPost, QuotingOfFolders) {
  EXPECT_EQ(QuotedFolder("C:\\Surfcam"), "C:\\Surfcam");
  EXPECT_EQ(QuotedFolder("C:\\Program Files\\Surfcam"), "\"C:\\Program Files\\Surfcam\"");
  EXPECT_EQ(QuotedFolder("\"C:\\Program Files\\Surfcam\""), "\"C:\\Program Files\\Surfcam\"");
  EXPECT_EQ(InstallCommand("C:\\A B", "C:\\D", true), "install \"C:\\A B\" C:\\D nt35");
}

TEST(InstallPost, SuccessRunsInstallInThePackageAndKeepsTheCopy) {
  Fixture f;
  f.h.on_command = [&](const std::string&) {
    // The batch file sees no menu file, but the copy is there.
    EXPECT_FALSE(f.h.FileExists(f.menu));
    EXPECT_EQ(f.h.files[f.renamed], "old menu");
    f.h.File(f.menu, "new menu");
  };
  EXPECT_EQ(f.Run(), InstallOutcome::kInstalled);
  ASSERT_EQ(f.h.commands.size(), 1u);
  EXPECT_EQ(f.h.commands[0].command, "install \"C:\\Program Files\\Surfcam\" C:\\Data");
  EXPECT_EQ(f.h.commands[0].folder, "D:\\pkg");
  EXPECT_EQ(f.h.files[f.menu], "new menu");
  ASSERT_EQ(f.h.messages.size(), 1u);
  EXPECT_EQ(f.h.messages[0].first, "Surfcam 6 postprosessori asennettu");
  EXPECT_EQ(f.h.messages[0].second, Icon::kInformation);
  EXPECT_TRUE(f.h.questions.empty());
}

TEST(InstallPost, InstallWithoutMenuFileRestoresTheOldOne) {
  Fixture f;
  EXPECT_EQ(f.Run(), InstallOutcome::kFailed);
  EXPECT_EQ(f.h.files[f.menu], "old menu");
  EXPECT_FALSE(f.h.FileExists(f.renamed));
  ASSERT_EQ(f.h.messages.size(), 1u);
  EXPECT_EQ(f.h.messages[0].first.rfind("Asennus ep\xe4onnistui!\nMahdollisia syit\xe4 siihen ovat:\n\n", 0), 0u);
}

TEST(InstallPost, InterpreterThatCannotStartRestoresTheMenuFile) {
  Fixture f;
  f.h.commands_start = false;
  EXPECT_EQ(f.Run(), InstallOutcome::kFailed);
  EXPECT_EQ(f.h.files[f.menu], "old menu");
  EXPECT_EQ(f.h.messages.back().second, Icon::kExclamation);
}

TEST(InstallPost, MenuFileThatCannotBeCopiedIsNeverDeleted) {
  Fixture f;
  f.h.failing_copies.insert(f.renamed);
  EXPECT_EQ(f.Run(), InstallOutcome::kRefused);
  EXPECT_EQ(f.h.files[f.menu], "old menu");
  EXPECT_TRUE(f.h.commands.empty());
}

TEST(InstallPost, CopyLeftByAnInterruptedRunIsKeptAndRestored) {
  Fixture f;
  f.h.files.erase(f.menu);
  f.h.File(f.renamed, "saved menu");
  EXPECT_EQ(f.Run(), InstallOutcome::kFailed);
  EXPECT_EQ(f.h.files[f.menu], "saved menu");
}

TEST(InstallPost, UndetectedVersionAsksFirst) {
  Fixture f;
  f.r.version = "2023";
  f.h.answer_yes = false;
  EXPECT_EQ(f.Run(), InstallOutcome::kCancelled);
  ASSERT_EQ(f.h.questions.size(), 1u);
  EXPECT_EQ(f.h.questions[0],
            "Surfcam versiota 2023 ei l\xf6ydy t\xe4lt\xe4 tietokoneelta\nJatketaanko kuitenkin asennusta?");
  EXPECT_EQ(f.h.files[f.menu], "old menu");
  EXPECT_TRUE(f.h.commands.empty());
}

TEST(InstallPost, MissingFoldersStopBeforeAnythingIsTouched) {
  Fixture f;
  f.h.folders.erase("C:\\Data\\Config");
  EXPECT_EQ(f.Run(), InstallOutcome::kRefused);
  EXPECT_EQ(f.h.messages.back().first, "Asennus ep\xe4onnistui! Virheellinen Surfcam data-kansio\nC:\\Data");
  f.h.folders.erase("C:\\Data");
  f.Run();
  EXPECT_EQ(f.h.messages.back().first, "Asennus ep\xe4onnistui! Surfcam data-kansiota\nC:\\Data ei l\xf6ydy.");
  f.h.folders.clear();
  f.Run();
  EXPECT_EQ(f.h.messages.back().first,
            "Asennus ep\xe4onnistui! Surfcam ohjelma-kansiota\nC:\\Program Files\\Surfcam ei l\xf6ydy.");
  EXPECT_TRUE(f.h.commands.empty());
  EXPECT_FALSE(f.h.FileExists(f.renamed));
}

TEST(InstallPost, PredatorEditorAddsNt35OnlyWhenFound) {
  Fixture f;
  f.r.predator = true;
  f.h.on_command = [&](const std::string&) { f.h.File(f.menu); };
  f.Run();
  EXPECT_EQ(f.h.messages[0].first,
            "Predator CNC Editoria ei k\xe4ytet\xe4, koska sit\xe4 ei l\xf6ydy\nkansiosta "
            "C:\\Program Files\\Surfcam\\Predator Software\\Editor 6.0");
  EXPECT_EQ(f.h.commands.back().command, "install \"C:\\Program Files\\Surfcam\" C:\\Data");
  f.h.File("C:\\Program Files\\Surfcam\\Predator Software\\Editor 6.0\\Peditor.exe");
  f.Run();
  EXPECT_EQ(f.h.commands.back().command, "install \"C:\\Program Files\\Surfcam\" C:\\Data nt35");
}

TEST(InstallPost, OldLayoutUsesSurfcamPst) {
  Fixture f;
  f.list = ParseVersionList("5.2;;K6\n");
  f.r.version = "5.2";
  f.d = DetectVersions(f.list, f.h);
  f.h.File("C:\\Data\\SURFCAM.PST", "pst");
  f.Run();
  EXPECT_EQ(f.h.files["C:\\Data\\SURFCAM.PST"], "pst");  // restored after the failed run
  EXPECT_EQ(f.h.files["C:\\Data\\Config\\PostMenu.cfg"], "old menu");  // not touched
  EXPECT_TRUE(f.h.questions.empty());
}

TEST(InstallPost, OverlongPathIsRefused) {
  Fixture f;
  f.r.data = "C:\\" + std::string(260, 'd');
  EXPECT_EQ(f.Run(), InstallOutcome::kRefused);
  ASSERT_EQ(f.h.messages.size(), 1u);
  EXPECT_EQ(f.h.messages[0].first.rfind("Polku on liian pitk\xe4", 0), 0u);
  EXPECT_TRUE(f.h.commands.empty());
  EXPECT_EQ(f.h.files[f.menu], "old menu");
}

}  // namespace
}  // namespace setup
