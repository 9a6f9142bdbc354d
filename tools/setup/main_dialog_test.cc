#include "tools/setup/main_dialog.h"

#include <gtest/gtest.h>

#include "tools/setup/fake_host.h"

namespace setup {
namespace {

struct Dialog {
  FakeHost h;
  VersionList list = ParseVersionList("5.2;;K5\n6;;K6\n7;;K7\n2022.1;;K22\n");
  Detection d;
  platform::Form form;
  Dialog() {
    h.Value("K6", "InstallPath", "C:\\S6");
    h.Value("K7", "InstallPath", "C:\\S7");
    h.Value("K7", "DataPath", "C:\\D7");
    d = DetectVersions(list, h);
    form = MainForm(list, d, h);
  }
};

TEST(MainDialog, FieldsStartWithTheDetectedVersion) {
  Dialog g;
  const auto& c = g.form.controls;
  EXPECT_EQ(c[kProgramLabel].text, "Surfcam ohjelma-kansio:");
  EXPECT_EQ(c[kProgramEdit].text, "C:\\S7");
  EXPECT_EQ(c[kDataEdit].text, "C:\\D7");
  EXPECT_EQ(c[kVersionCombo].text, "7");
  EXPECT_EQ(c[kVersionCombo].entries, (std::vector<std::string>{"6", "7"}));
  // The extras are offered from the first version up to the detected one.
  EXPECT_EQ(c[kExtrasVersion].entries, (std::vector<std::string>{"5.2", "6", "7"}));
  EXPECT_EQ(c[kExtrasVersion].state, 2);
  EXPECT_EQ(c[kQuitButton].text, "Lopeta");
  EXPECT_TRUE(c[kQuitButton].cancel);
}

TEST(MainDialog, CommandsTakeTheFieldsAsEdited) {
  Dialog g;
  auto& c = g.form.controls;
  c[kProgramEdit].text = "C:\\Other";
  c[kDataEdit].text = "C:\\Data";
  g.h.folders = {"C:\\Other", "C:\\Data", "C:\\Data\\Config"};
  EXPECT_TRUE(RunMainCommand(kInstallPostButton, g.list, g.d, g.form, "P:\\pkg", g.h));
  ASSERT_EQ(g.h.commands.size(), 1u);
  EXPECT_EQ(g.h.commands[0].command, "install C:\\Other C:\\Data");
  EXPECT_EQ(g.h.commands[0].folder, "P:\\pkg");

  // Extras for the version chosen: "5.2" is the old tool library kind.
  c[kExtrasVersion].state = 0;
  c[kToolsCheck].state = 1;
  EXPECT_TRUE(RunMainCommand(kInstallButton, g.list, g.d, g.form, "P:\\pkg", g.h));
  EXPECT_EQ(g.h.commands.back().command, "\\pkzip25 -ext -over=never tool.zip tool");
  EXPECT_FALSE(RunMainCommand(kQuitButton, g.list, g.d, g.form, "P:\\pkg", g.h));
}

}  // namespace
}  // namespace setup
