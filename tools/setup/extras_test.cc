#include "tools/setup/extras.h"

#include <gtest/gtest.h>

#include "tools/setup/fake_host.h"

namespace setup {
namespace {

using platform::Icon;

const char kList[] = "5.2;;K\n6;;K\n7;;K\n2022.1;;K\n";

struct Fixture {
  FakeHost h;
  VersionList list = ParseVersionList(kList);
  ExtrasRequest r;
  Fixture() {
    r.data = "C:\\Users\\Public\\SURFCAM";
    r.package = "D:\\pkg";
    r.version = 2;
    h.folders = {"C:\\Users\\Public\\SURFCAM", "C:\\Users\\Public\\SURFCAM\\Template",
                 "C:\\Users\\Public\\SURFCAM\\Hole Processes", "C:\\Users\\Public\\SURFCAM\\Config",
                 "C:\\Users\\Public\\SURFCAM\\ToolCustm", "C:\\Users\\Public\\SURFCAM\\sdnc",
                 "C:\\Users\\Public\\ToolLibrary", "D:\\pkg"};
  }
};

TEST(Extras, PatternsIgnoreCase) {
  EXPECT_TRUE(MatchesPattern("mill.sctpl", "*.SCTPL"));
  EXPECT_TRUE(MatchesPattern("A.MDB", "*.mdb"));
  EXPECT_FALSE(MatchesPattern("mdb", "*.mdb"));
  EXPECT_FALSE(MatchesPattern("a.mdbx", "*.mdb"));
  EXPECT_EQ(ToolLibraryFolder("C:\\Users\\Public\\SURFCAM"), "C:\\Users\\Public\\ToolLibrary");
  EXPECT_EQ(ToolLibraryFolder("Data"), "C:\\Users\\Public\\Surfcam\\ToolLibrary");
}

TEST(Extras, TemplatesOverwriteButHoleProcessesAreKept) {
  Fixture f;
  f.h.File("D:\\pkg\\Template\\Mill.SCTPL", "new");
  f.h.File("D:\\pkg\\Template\\Templates.XML", "xml");
  f.h.File("D:\\pkg\\Template\\readme.txt");
  f.h.File("D:\\pkg\\Template\\Hole Processes\\Drill.SCHPT", "new");
  f.h.File("C:\\Users\\Public\\SURFCAM\\Template\\Mill.SCTPL", "old");
  f.h.File("C:\\Users\\Public\\SURFCAM\\Hole Processes\\Drill.SCHPT", "mine");
  f.r.templates = true;
  ExtrasResult res = InstallExtras(f.list, f.r, f.h);
  EXPECT_TRUE(res.templates);
  EXPECT_EQ(f.h.files["C:\\Users\\Public\\SURFCAM\\Template\\Mill.SCTPL"], "new");
  EXPECT_EQ(f.h.files["C:\\Users\\Public\\SURFCAM\\Template\\Templates.XML"], "xml");
  EXPECT_FALSE(f.h.FileExists("C:\\Users\\Public\\SURFCAM\\Template\\readme.txt"));
  EXPECT_EQ(f.h.files["C:\\Users\\Public\\SURFCAM\\Hole Processes\\Drill.SCHPT"], "mine");
  ASSERT_EQ(f.h.messages.size(), 1u);
  EXPECT_EQ(f.h.messages[0].first, "Asennus suoritettu:\n\n- Mallipohjat asennettu.\n");
  EXPECT_EQ(f.h.messages[0].second, Icon::kInformation);
}

TEST(Extras, ToolLibraryByTheVersionsPlace) {
  {  // before "6": unzip, then the .mdb files into the data folder; tool.zip goes
    Fixture f;
    f.r.version = 0;
    f.r.tools = true;
    f.h.File("D:\\pkg\\tool.zip");
    f.h.on_command = [&](const std::string&) { f.h.File("D:\\pkg\\Tool\\Tools.mdb", "db"); };
    EXPECT_TRUE(InstallExtras(f.list, f.r, f.h).tools);
    ASSERT_EQ(f.h.commands.size(), 1u);
    EXPECT_EQ(f.h.commands[0].command, "\\pkzip25 -ext -over=never tool.zip tool");
    EXPECT_EQ(f.h.commands[0].folder, "D:\\pkg");
    EXPECT_EQ(f.h.files["C:\\Users\\Public\\SURFCAM\\Tools.mdb"], "db");
    EXPECT_FALSE(f.h.FileExists("D:\\pkg\\tool.zip"));
  }
  {  // "6" up to before "2022.1": the Firebird library into Config
    Fixture f;
    f.r.tools = true;
    f.h.File("D:\\pkg\\Tool\\SurfcamLibrary.FDB", "fdb");
    f.h.File("D:\\pkg\\Tool\\ToolCustm\\Mine.SCCTL", "new");
    f.h.File("C:\\Users\\Public\\SURFCAM\\ToolCustm\\Mine.SCCTL", "kept");
    EXPECT_TRUE(InstallExtras(f.list, f.r, f.h).tools);
    EXPECT_EQ(f.h.files["C:\\Users\\Public\\SURFCAM\\Config\\SurfcamLibrary.FDB"], "fdb");
    EXPECT_EQ(f.h.files["C:\\Users\\Public\\SURFCAM\\ToolCustm\\Mine.SCCTL"], "kept");
    EXPECT_TRUE(f.h.commands.empty());
  }
  {  // from "2022.1": the SQL files into the tool library folder
    Fixture f;
    f.r.version = 3;
    f.r.tools = true;
    f.h.File("D:\\pkg\\Tool\\Lib.mdf", "m");
    f.h.File("D:\\pkg\\Tool\\Lib_log.LDF", "l");
    EXPECT_TRUE(InstallExtras(f.list, f.r, f.h).tools);
    EXPECT_EQ(f.h.files["C:\\Users\\Public\\ToolLibrary\\Lib.mdf"], "m");
    EXPECT_EQ(f.h.files["C:\\Users\\Public\\ToolLibrary\\Lib_log.LDF"], "l");
  }
}

TEST(Extras, FailedAndNothingSelectedReports) {
  Fixture f;
  f.r.tools = true;  // no library in the package
  f.r.dnc = true;
  f.h.File("D:\\pkg\\DNC\\sdnc.sdnccfg");
  f.h.File("D:\\pkg\\DNC\\EditNCx.reg");
  ExtrasResult res = InstallExtras(f.list, f.r, f.h);
  EXPECT_FALSE(res.tools);
  EXPECT_TRUE(res.dnc);
  ASSERT_EQ(f.h.messages.size(), 2u);
  EXPECT_EQ(f.h.messages[0].first, "Asennus suoritettu:\n\n- Tiedonsiirtoasetukset asennettu.\n");
  EXPECT_EQ(f.h.messages[1].first, "Ty\xf6kalukirjaston asentaminen ep\xe4onnistui!");
  EXPECT_EQ(f.h.messages[1].second, Icon::kExclamation);
  EXPECT_EQ(f.h.commands.back().command, "regedit.exe /s DNC\\EditNCx.reg");

  Fixture g;
  SaveExtras(g.list, g.r, g.h);
  ASSERT_EQ(g.h.messages.size(), 1u);
  EXPECT_EQ(g.h.messages[0].first.rfind("Mit\xe4\xe4n ei ole valittu tallennettavaksi.\n\n", 0), 0u);
}

TEST(Extras, DncSettingsToEditNcOnlyWhenItsFolderIsThere) {
  Fixture f;
  f.r.dnc = true;
  f.h.env["AppData"] = "C:\\Users\\me\\AppData\\Roaming";
  f.h.File("D:\\pkg\\DNC\\sdnc.sdnccfg", "s");
  f.h.File("D:\\pkg\\DNC\\editNCdnc.ini", "e");
  // No EditNCx.reg: regedit is not run and the extra fails.
  EXPECT_FALSE(InstallExtras(f.list, f.r, f.h).dnc);
  EXPECT_TRUE(f.h.commands.empty());
  EXPECT_FALSE(f.h.FileExists("C:\\Users\\me\\AppData\\Roaming\\editNC\\editNCdnc.ini"));
  f.h.folders.insert("C:\\Users\\me\\AppData\\Roaming\\editNC");
  f.h.File("D:\\pkg\\DNC\\EditNCx.reg");
  EXPECT_TRUE(InstallExtras(f.list, f.r, f.h).dnc);
  EXPECT_EQ(f.h.files["C:\\Users\\me\\AppData\\Roaming\\editNC\\editNCdnc.ini"], "e");
  EXPECT_EQ(f.h.files["C:\\Users\\Public\\SURFCAM\\sdnc\\sdnc.sdnccfg"], "s");
}

TEST(Extras, SaveIsTheMirrorAndRoundTrips) {
  Fixture f;
  f.r.templates = f.r.tools = f.r.dnc = true;
  f.h.File("C:\\Users\\Public\\SURFCAM\\Template\\Mill.SCTPL", "t");
  f.h.File("C:\\Users\\Public\\SURFCAM\\Hole Processes\\Drill.SCHPT", "h");
  f.h.File("C:\\Users\\Public\\SURFCAM\\Config\\SurfcamLibrary.FDB", "fdb");
  f.h.File("C:\\Users\\Public\\SURFCAM\\ToolCustm\\Mine.SCCTL", "c");
  f.h.File("C:\\Users\\Public\\SURFCAM\\sdnc\\sdnc.sdnccfg", "s");
  f.h.on_command = [&](const std::string&) { f.h.File("D:\\pkg\\DNC\\EditNCx.reg", "reg"); };
  ExtrasResult res = SaveExtras(f.list, f.r, f.h);
  EXPECT_TRUE(res.templates && res.tools && res.dnc);
  EXPECT_EQ(f.h.commands.at(0).command,
            "regedit.exe /e DNC\\EditNCx.reg HKEY_CURRENT_USER\\Software\\EditNCx");
  EXPECT_EQ(f.h.files["D:\\pkg\\Template\\Mill.SCTPL"], "t");
  EXPECT_EQ(f.h.files["D:\\pkg\\Template\\Hole Processes\\Drill.SCHPT"], "h");
  EXPECT_EQ(f.h.files["D:\\pkg\\Tool\\SurfcamLibrary.FDB"], "fdb");
  EXPECT_EQ(f.h.files["D:\\pkg\\Tool\\ToolCustm\\Mine.SCCTL"], "c");
  EXPECT_EQ(f.h.files["D:\\pkg\\DNC\\sdnc.sdnccfg"], "s");
  EXPECT_EQ(f.h.messages.at(0).first,
            "Tallennus suoritettu:\n\n- Mallipohjat tallennettu.\n- Ty\xf6kalukirjasto "
            "tallennettu.\n- Tiedonsiirtoasetukset tallennettu.\n");
  // What was saved installs again into a fresh data folder.
  f.h.files.erase("C:\\Users\\Public\\SURFCAM\\Config\\SurfcamLibrary.FDB");
  f.h.messages.clear();
  f.r.templates = f.r.dnc = false;
  EXPECT_TRUE(InstallExtras(f.list, f.r, f.h).tools);
  EXPECT_EQ(f.h.files["C:\\Users\\Public\\SURFCAM\\Config\\SurfcamLibrary.FDB"], "fdb");
}

TEST(Extras, CopyThatFailsFailsTheExtra) {
  Fixture f;
  f.r.templates = true;
  f.h.File("D:\\pkg\\Template\\Mill.SCTPL");
  f.h.File("D:\\pkg\\Template\\Lathe.SCTPL");
  f.h.failing_copies.insert("C:\\Users\\Public\\SURFCAM\\Template\\Lathe.SCTPL");
  EXPECT_FALSE(InstallExtras(f.list, f.r, f.h).templates);
  EXPECT_EQ(f.h.messages.back().first, "Mallipohjien asentaminen ep\xe4onnistui!");
}

}  // namespace
}  // namespace setup
