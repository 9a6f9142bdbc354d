#include "tools/menugen/menu_rebuild.h"

#include <climits>
#include <string>

#include <gtest/gtest.h>

namespace menugen {
namespace {

constexpr std::string_view kLib = "C:\\Users\\Public\\SURFCAM\\SURFCAM6\\Config\\POSTLIB\\MPOST\\";

std::string Rebuild(std::string_view menu_text, std::string_view post_list_text,
                    const PostTables& posts) {
  TextSource menu(menu_text);
  TextSource post_list(post_list_text);
  TextSink out;
  RebuildMenu(menu, post_list, posts, out);
  return out.text;
}

PostTables ThreeKinds() {
  PostTables posts;
  posts.files[0] = {"Haas.m3", "Fanuc.m3"};
  posts.files[1] = {"Okuma.l2"};
  posts.files[2] = {"Agie.e2"};
  return posts;
}

constexpr std::string_view kMenu =
    "TOP\n"
    "BEGINPOST MILL \"Mill\"\n"
    "ENDPOST\n"
    "BEGINPOST LATHE \"Lathe\"\n"
    "ENDPOST\n"
    "BEGINPOST EDM \"Wire\"\n"
    "ENDPOST\n";

constexpr std::string_view kPostList =
    "BEGINPOST 2 AXIS \"2 axis\"\n"
    "MENUTITLE \"Posts\"\n"
    "POSTITEM \"Haas VF\"\n"
    "  \"MPOSTWIN\" 1\n"
    "POSTITEM \"Fanuc\"\n"
    "  \"MPOSTWIN\" 2\n"
    "  HELP \"no\"\n"
    "POSTITEM \"Nothing\"\n"
    "  \"MPOSTWIN\" 3\n"
    "ENDPOST\n"
    "BEGINPOST LATHE \"lathe\"\n"
    "POSTITEM \"Okuma\"\n"
    "  \"LPOSTWIN\" 1\n"
    "POSTITEM \"APT-CL out\"\n"
    "ENDPOST\n"
    "BEGINPOST EDM \"wire\"\n"
    "POSTITEM \"Agie\"\n"
    "  \"EPOSTWIN\" 1\n"
    "ENDPOST\n";

TEST(MenugenMenuRebuild, ItemsGoAfterEachHeaderWithTheirSplitFiles) {
  std::string want = std::string(
                         "TOP\n"
                         "BEGINPOST MILL \"Mill\"\n"
                         "MENUTITLE \"Posts\"\n"
                         "POSTITEM \"Haas VF\"\n"
                         "  \"MPOSTWIN\" \"") +
                     std::string(kLib) +
                     "Haas.m3\"\n"
                     "POSTITEM \"Fanuc\"\n"
                     "  \"MPOSTWIN\" \"" +
                     std::string(kLib) +
                     "Fanuc.m3\"\n"
                     "  HELP \"no\"\n"
                     "ENDPOST\n"
                     "BEGINPOST LATHE \"Lathe\"\n"
                     "POSTITEM \"Okuma\"\n"
                     "  \"LPOSTWIN\" \"" +
                     std::string(kLib) +
                     "Okuma.l2\"\n"
                     "ENDPOST\n"
                     "BEGINPOST EDM \"Wire\"\n"
                     "POSTITEM \"Agie\"\n"
                     "  \"EPOSTWIN\" \"" +
                     std::string(kLib) +
                     "Agie.e2\"\n"
                     "ENDPOST\n";
  EXPECT_EQ(Rebuild(kMenu, kPostList, ThreeKinds()), want);
}

TEST(MenugenMenuRebuild, UnresolvedReferencesDropTheirItems) {
  PostTables posts;
  posts.files[0] = {"A.m3", "B.m3"};
  std::string list =
      "BEGINPOST 2 AXIS\n"  // no blank after it: not the section header
      "POSTITEM \"wrong section\"\n"
      "BEGINPOST 2 AXIS x\n"
      "POSTITEM \"zero\"\n"
      "\"MPOSTWIN\" 0\n"
      "POSTITEM \"beyond\"\n"
      "\"MPOSTWIN\" 3\n"
      "POSTITEM \"negative\"\n"
      "\"MPOSTWIN\" -1\n"
      "POSTITEM \"huge\"\n"
      "\"MPOSTWIN\" 99999999999999999999999\n"
      "POSTITEM \"no number\"\n"
      "\"MPOSTWIN\" \n"
      "POSTITEM \"last wins\"\n"
      "\"MPOSTWIN\" 9\n"
      "\"mpostwin\" 2 trailing text 1\n"
      "POSTITEM \"no reference\"\n"
      "POSTITEM \"APT-CL\"\n"
      "POSTITEM \"APT-CL resolved\"\n"
      "x \"MPOSTWIN\" 1\n"
      "ENDPOST\n";
  std::string got = Rebuild("BEGINPOST MILL m\n", list, posts);
  EXPECT_EQ(got, "BEGINPOST MILL m\n"
                 "POSTITEM \"last wins\"\n"
                 "\"MPOSTWIN\" 9\n"
                 "\"mpostwin\" 2 trailing text \"" + std::string(kLib) + "A.m3\"\n"
                 "POSTITEM \"no reference\"\n"
                 "POSTITEM \"APT-CL resolved\"\n"
                 "x \"MPOSTWIN\" \"" + std::string(kLib) + "A.m3\"\n");
}

TEST(MenugenMenuRebuild, WithoutTheMillHeaderNothingIsInserted) {
  std::string menu = "BEGINPOST LATHE l\nBEGINPOST EDM e\nBEGINPOST MILL\n";
  EXPECT_EQ(Rebuild(menu, kPostList, ThreeKinds()), menu);
}

TEST(MenugenMenuRebuild, AnEmptyPostListInsertsNothing) {
  EXPECT_EQ(Rebuild(kMenu, "", ThreeKinds()), kMenu);
  EXPECT_EQ(Rebuild("", kPostList, ThreeKinds()), "");
}

TEST(MenugenMenuRebuild, HeadersAreFoundInAnyLetterCaseOnePerKindInTurn) {
  PostTables posts = ThreeKinds();
  std::string list = "beginpost 2 axis a\nPOSTITEM m\nEndPost\n"
                     "BeginPost Lathe b\nPOSTITEM l\nENDPOST\n";
  // The lathe header before the mill header is passed over; the second
  // mill header comes after the mill items were inserted.
  std::string menu = "beginpost lathe 0\nbeginpost mill 1\nbeginpost mill 2\nbeginpost lathe 3\n";
  EXPECT_EQ(Rebuild(menu, list, posts),
            "beginpost lathe 0\nbeginpost mill 1\nPOSTITEM m\nbeginpost mill 2\n"
            "beginpost lathe 3\nPOSTITEM l\n");
}

TEST(MenugenMenuRebuild, ASectionWithoutItsEndKeepsTheKindAndLosesTheOpenItem) {
  std::string list = "BEGINPOST 2 AXIS a\nfirst\nPOSTITEM open\nline\n";
  EXPECT_EQ(Rebuild("BEGINPOST MILL 1\nBEGINPOST MILL 2\nBEGINPOST LATHE 3\n", list,
                    ThreeKinds()),
            "BEGINPOST MILL 1\nfirst\nBEGINPOST MILL 2\nfirst\nBEGINPOST LATHE 3\n");
  // No section of the kind at all: nothing.
  EXPECT_EQ(Rebuild("BEGINPOST MILL 1\n", "BEGINPOST LATHE l\nPOSTITEM\nENDPOST\n",
                    ThreeKinds()),
            "BEGINPOST MILL 1\n");
}

TEST(MenugenMenuRebuild, LongItemsAreWrittenWhole) {
  std::string list = "BEGINPOST 2 AXIS a\nPOSTITEM big\n";
  std::string want = "BEGINPOST MILL m\nPOSTITEM big\n";
  for (int i = 0; i < 80; ++i) {
    std::string l = "line " + std::to_string(i) + "\n";
    list += l;
    want += l;
  }
  list += "ENDPOST\n";
  EXPECT_EQ(Rebuild("BEGINPOST MILL m\n", list, ThreeKinds()), want);
}

TEST(MenugenMenuRebuild, TheLastLineOfAReferenceGetsItsLineEnd) {
  PostTables posts;
  posts.files[0] = {"A.m3"};
  EXPECT_EQ(Rebuild("BEGINPOST MILL m", "BEGINPOST 2 AXIS a\nPOSTITEM\n\"MPOSTWIN\" 1\nENDPOST",
                    posts),
            "BEGINPOST MILL mPOSTITEM\n\"MPOSTWIN\" \"" + std::string(kLib) + "A.m3\"\n");
}

TEST(MenugenMenuRebuild, AReferenceWordWithoutItsBlankIsNoReference) {
  // The word is "MPOSTWIN" in quotes and a blank: without the blank the
  // line is an ordinary line of the item, which is written as it is.
  std::string list =
      "BEGINPOST 2 AXIS a\nPOSTITEM\n\"MPOSTWIN\"1\nPOSTITEM\n\"MPOSTWIN\"\tX\nENDPOST\n";
  EXPECT_EQ(Rebuild("BEGINPOST MILL m\n", list, ThreeKinds()),
            "BEGINPOST MILL m\nPOSTITEM\n\"MPOSTWIN\"1\nPOSTITEM\n\"MPOSTWIN\"\tX\n");
}

TEST(MenugenMenuRebuild, ReferenceNumbersAreReadAfterTheLastBlank) {
  EXPECT_EQ(ReferenceNumber("\"MPOSTWIN\" 12\n"), 12);
  EXPECT_EQ(ReferenceNumber("\"MPOSTWIN\" 12 \n"), 0);
  EXPECT_EQ(ReferenceNumber("\"MPOSTWIN\" +7x"), 7);
  EXPECT_EQ(ReferenceNumber("\"MPOSTWIN\" \t 5"), 5);
  EXPECT_EQ(ReferenceNumber("\"MPOSTWIN\" \"5\""), 0);
  EXPECT_EQ(ReferenceNumber("no-blank-42"), 0);
  EXPECT_EQ(ReferenceNumber("x 123456789012345678901234567890"), LLONG_MAX);
}

}  // namespace
}  // namespace menugen
