#include "tools/menugen/menugen_paths.h"

#include <gtest/gtest.h>

#include "platform/paths.h"

namespace menugen {
namespace {

std::string Native(std::string path) { return platform::NativePath(path); }

TEST(MenugenPaths, FilesLieInTheBaseDirectory) {
  MenugenPaths p = PathsFromArguments({"C:\\Surf\\POSTLIB\\"});
  EXPECT_EQ(p.base, "C:\\Surf\\POSTLIB");
  std::string sep(1, platform::kNativeSeparator);
  EXPECT_EQ(p.post_list, "C:\\Surf\\POSTLIB" + sep + "Surfcam.pst");
  EXPECT_EQ(p.menu, "C:\\Surf\\POSTLIB" + sep + "PostMenu.cfg");
  EXPECT_EQ(p.split_dir, "C:\\Surf\\POSTLIB" + sep + "MPost");

  p = PathsFromArguments({"/srv/postlib//", "my.pst", "menu.cfg", "ignored"});
  EXPECT_EQ(p.base, "/srv/postlib/");  // only one separator goes
  EXPECT_EQ(Native(p.post_list), Native("/srv/postlib//my.pst"));
  EXPECT_EQ(Native(p.menu), Native("/srv/postlib//menu.cfg"));
}

TEST(MenugenPaths, WithoutABaseDirectoryPathsBeginAtTheRoot) {
  MenugenPaths p = PathsFromArguments({});
  EXPECT_EQ(p.base, "");
  EXPECT_EQ(Native(p.post_list), Native("/Surfcam.pst"));
  EXPECT_EQ(Native(p.menu), Native("/PostMenu.cfg"));
  EXPECT_EQ(PathsFromArguments({"\\"}).base, "");
}

}  // namespace
}  // namespace menugen
