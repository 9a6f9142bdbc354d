#include "tools/setup/detection.h"

#include <gtest/gtest.h>

#include "tools/setup/fake_host.h"

namespace setup {
namespace {

const char kList[] =
    "5.2;;K52\n"
    "6;;K6\n"
    "7;Velocity;K7\n"
    "2022.1;Surfcam 2022.1;K2022\n";

TEST(Detection, PublicFolderFallsBackAndLosesItsBackslash) {
  FakeHost h;
  EXPECT_EQ(PublicFolder(h), "");
  h.env["AllUsersProfile"] = "C:\\ProgramData\\";
  EXPECT_EQ(PublicFolder(h), "C:\\ProgramData");
  h.env["Public"] = "C:\\Users\\Public";
  EXPECT_EQ(PublicFolder(h), "C:\\Users\\Public");
}

TEST(Detection, ModernVersionWithoutSubFolderOrDataValueGetsPublicSurfcam) {
  FakeHost h;
  h.env["Public"] = "C:\\Users\\Public\\";
  h.Value("K6", "InstallPath", "C:\\Surfcam6");
  Detection d = DetectVersions(ParseVersionList(kList), h);
  ASSERT_TRUE(d.detected);
  EXPECT_EQ(*d.detected, 1u);
  EXPECT_EQ(d.version, "6");
  EXPECT_EQ(d.program, "C:\\Surfcam6");
  EXPECT_EQ(d.data, "C:\\Users\\Public\\SURFCAM");
}

TEST(Detection, SubFolderIsAppendedToBothFolders) {
  FakeHost h;
  h.env["Public"] = "C:\\Users\\Public";
  h.Value("K7", "InstallPath", "C:\\Program Files\\Surfcam");
  h.Value("K7", "DataPath", "D:\\Data");
  h.Value("K2022", "InstallPath", "C:\\Program Files\\Hexagon");  // no data value
  Detection d = DetectVersions(ParseVersionList(kList), h);
  EXPECT_EQ(d.folders[2].program, "C:\\Program Files\\Surfcam\\Velocity");
  EXPECT_EQ(d.folders[2].data, "D:\\Data\\SURFCAM\\Velocity");
  EXPECT_EQ(d.folders[3].data, "C:\\Users\\Public\\SURFCAM\\Surfcam 2022.1");
  // The last found fills the fields; both are offered.
  EXPECT_EQ(d.version, "2022.1");
  EXPECT_EQ(d.listed, (std::vector<size_t>{2, 3}));
}

TEST(Detection, OldVersionDataFolderIsItsProgramFolder) {
  FakeHost h;
  h.Value("K52", "InstallPath", "C:\\SURFCAM");
  h.Value("K52", "DataPath", "C:\\Elsewhere");
  Detection d = DetectVersions(ParseVersionList("5.2;;K52\n6;;K6\n"), h);
  EXPECT_EQ(d.folders[0].program, "C:\\SURFCAM");
  EXPECT_EQ(d.folders[0].data, "C:\\SURFCAM");
  // Found, but not offered: the list starts at "6".
  EXPECT_TRUE(d.listed.empty());
  EXPECT_EQ(d.version, "5.2");
  // An old version with a sub-folder keeps its program folder as data folder.
  FakeHost h2;
  h2.Value("K5", "InstallPath", "C:\\SC");
  d = DetectVersions(ParseVersionList("5.0;V5;K5\n6;;K6\n"), h2);
  EXPECT_EQ(d.folders[0].program, "C:\\SC\\V5");
  EXPECT_EQ(d.folders[0].data, "C:\\SC\\V5");
}

TEST(Detection, KeyOnlyInTheOtherViewIsRead) {
  FakeHost h;
  h.Value("K6", "InstallPath", "C:\\S6", true);
  h.Value("K6", "DataPath", "C:\\D6", true);
  Detection d = DetectVersions(ParseVersionList(kList), h);
  EXPECT_EQ(d.program, "C:\\S6");
  EXPECT_EQ(d.data, "C:\\D6");
  // A key that opens in the own view is not looked for in the other one.
  FakeHost h2;
  h2.Key("K6");
  h2.Value("K6", "InstallPath", "C:\\Other", true);
  d = DetectVersions(ParseVersionList(kList), h2);
  EXPECT_FALSE(d.detected);
}

TEST(Detection, NothingFoundShowsEiLoydy) {
  FakeHost h;
  h.Key("K6");  // the key without the program value
  Detection d = DetectVersions(ParseVersionList(kList), h);
  EXPECT_FALSE(d.detected);
  EXPECT_EQ(d.version, "Ei l\xf6ydy");
  EXPECT_EQ(d.program, "");
}

TEST(Detection, CustomValueNames) {
  FakeHost h;
  h.Value("K", "Dir", "C:\\P");
  h.Value("K", "Dat", "C:\\D");
  h.Value("K", "InstallPath", "C:\\Wrong");
  Detection d = DetectVersions(ParseVersionList("6;;K;Dir;Dat\n"), h);
  EXPECT_EQ(d.program, "C:\\P");
  EXPECT_EQ(d.data, "C:\\D");
}

}  // namespace
}  // namespace setup
