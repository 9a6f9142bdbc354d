#include "tools/menugen/list_split.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace menugen {
namespace {

struct Split {
  std::vector<std::string> files;
  SplitTexts texts;
};

Split SplitText(std::string_view text, std::string_view list = "m3") {
  Split s;
  TextSource source(text);
  SplitList(source, list, s.files, s.texts);
  return s;
}

TEST(MenugenListSplit, EachPostGoesIntoAFileNamedAfterIt) {
  Split s = SplitText("NAME A\nx\nNAME B/C.\ny\n");
  EXPECT_EQ(s.files, (std::vector<std::string>{"A.m3", "B-C.m3"}));
  ASSERT_EQ(s.texts.files.size(), 2u);
  EXPECT_EQ(s.texts.files[0].name, "A.m3");
  EXPECT_EQ(s.texts.files[0].text, "NAME A\nx\n");
  EXPECT_EQ(s.texts.files[1].name, "B-C.m3");
  EXPECT_EQ(s.texts.files[1].text, "NAME B/C.\ny\n");
  EXPECT_TRUE(s.texts.files[0].complete);
  EXPECT_TRUE(s.texts.files[1].complete);
}

TEST(MenugenListSplit, LinesBeforeTheFirstPostBelongToNone) {
  Split s = SplitText("header\nNAMEX\nNAME\n NAME A\nNAME Lathe 1\nbody\nlast without end",
                      "l2");
  EXPECT_EQ(s.files, (std::vector<std::string>{"Lathe 1.l2"}));
  ASSERT_EQ(s.texts.files.size(), 1u);
  EXPECT_EQ(s.texts.files[0].text, "NAME Lathe 1\nbody\nlast without end");
}

TEST(MenugenListSplit, ANameOfDotsAndBlanksStartsNoPost) {
  Split s = SplitText("NAME A\nx\nNAME . . .. \ny\nname b\nz\n");
  EXPECT_EQ(s.files, (std::vector<std::string>{"A.m3", "b.m3"}));
  ASSERT_EQ(s.texts.files.size(), 2u);
  EXPECT_EQ(s.texts.files[0].text, "NAME A\nx\nNAME . . .. \ny\n");
  EXPECT_EQ(s.texts.files[1].text, "name b\nz\n");
  // Nothing usable at all: no file.
  EXPECT_TRUE(SplitText("NAME ...\nx\n").texts.files.empty());
  EXPECT_TRUE(SplitText("").files.empty());
}

TEST(MenugenListSplit, NamesAreMadeFitForFileNames) {
  EXPECT_EQ(PostNameOf("NAME a\\b/c:d*e?f\"g<h>i|j\n"), "a-b-c-d-e-f-g-h-i-j");
  EXPECT_EQ(PostNameOf("NAME   Mill 3X  \n"), "Mill 3X");
  EXPECT_EQ(PostNameOf("NAME Haas. . .\r\n"), "Haas");
  EXPECT_EQ(PostNameOf("NAME v1.2\n"), "v1.2");
  EXPECT_EQ(PostNameOf("NAME \tTab\tinside\t\n"), "Tab-inside");
  EXPECT_EQ(PostNameOf("NAME "), "");
  EXPECT_EQ(PostNameOf("NAME con\n"), "con-");
  EXPECT_EQ(PostNameOf("NAME Lpt1 .x\n"), "Lpt1- .x");
  EXPECT_EQ(PostNameOf("NAME COM10\n"), "COM10");
  EXPECT_EQ(PostNameOf("NAME CONSOLE.NUL\n"), "CONSOLE.NUL");
  EXPECT_TRUE(IsNameLine("nAmE x"));
  EXPECT_FALSE(IsNameLine("NAME"));
  EXPECT_FALSE(IsNameLine("NAME\tx"));
}

TEST(MenugenListSplit, PostsOfOneNameAreAllKept) {
  Split s = SplitText("NAME A\n1\nNAME a\n2\nNAME A.\n3\nNAME A (2)\n4\n");
  EXPECT_EQ(s.files,
            (std::vector<std::string>{"A.m3", "a (2).m3", "A (3).m3", "A (2) (2).m3"}));
  ASSERT_EQ(s.texts.files.size(), 4u);
  EXPECT_EQ(s.texts.files[0].text, "NAME A\n1\n");
  EXPECT_EQ(s.texts.files[1].text, "NAME a\n2\n");
  EXPECT_EQ(s.texts.files[2].text, "NAME A.\n3\n");
  EXPECT_EQ(s.texts.files[3].text, "NAME A (2)\n4\n");
}

TEST(MenugenListSplit, ManyPostsAndLongLinesAreKeptWhole) {
  std::string text;
  for (int i = 1; i <= 300; ++i) text += "NAME P" + std::to_string(i) + "\nbody\n";
  std::string long_line = std::string(600, 'x') + "NAME hidden\n";
  text += long_line;
  Split s = SplitText(text, "e2");
  ASSERT_EQ(s.files.size(), 300u);
  EXPECT_EQ(s.files[255], "P256.e2");
  EXPECT_EQ(s.files[299], "P300.e2");
  EXPECT_EQ(s.texts.files[255].text, "NAME P256\nbody\n");
  EXPECT_EQ(s.texts.files[299].text, "NAME P300\nbody\n" + long_line);
}

}  // namespace
}  // namespace menugen
