#include "tools/kysy/text_commands.h"

#include <gtest/gtest.h>

#include "tools/kysy/text_lines.h"
#include "tools/kysy/wildcard.h"

namespace kysy {
namespace {

void ExpectPieces(const char* path, const char* drive, const char* dir, const char* name,
                  const char* ext, const char* whole) {
  PathPieces p = SplitPathPieces(path);
  EXPECT_EQ(p.drive, drive) << path;
  EXPECT_EQ(p.dir, dir) << path;
  EXPECT_EQ(p.name, name) << path;
  EXPECT_EQ(p.ext, ext) << path;
  EXPECT_EQ(p.whole, whole) << path;
}

TEST(KysyParts, SplitsDriveDirectoryNameAndExtension) {
  ExpectPieces("C:\\dir\\sub\\name.ext", "C", "\\dir\\sub", "name", "ext", "C:\\dir\\sub\\name.ext");
  // The name ends at its first dot.
  ExpectPieces("C:\\a\\b\\c.tar.gz", "C", "\\a\\b", "c", "tar.gz", "C:\\a\\b\\c.tar.gz");
  ExpectPieces("file.txt", "", "", "file", "txt", "file.txt");
  ExpectPieces("\\dir\\sub\\name.ext", "", "\\dir\\sub", "name", "ext", "\\dir\\sub\\name.ext");
  ExpectPieces("D:name", "D", "", "name", "", "D:name");
}

TEST(KysyParts, DirectoryNeedsTwoSeparatorsAndTrailingOnesGo) {
  ExpectPieces("C:\\x\\", "C", "\\x", "", "", "C:\\x");
  ExpectPieces("C:\\x\\\\\\", "C", "\\x\\\\", "", "", "C:\\x");
  // One separator only: no directory.
  ExpectPieces("C:\\name.ext", "C", "", "name", "ext", "C:\\name.ext");
  ExpectPieces("sub\\name", "", "", "name", "", "sub\\name");
  // Both separators count.
  ExpectPieces("C:/a/b/c.txt", "C", "/a/b", "c", "txt", "C:/a/b/c.txt");
  ExpectPieces("", "", "", "", "", "");
  ExpectPieces("\\\\", "", "\\", "", "", "");
}

TEST(KysyChange, ReplacesEveryOccurrenceIgnoringCase) {
  EXPECT_EQ(ChangeText("xABCyabc", "abc", "X", {}), "xXyX");
  ChangeOptions exact;
  exact.case_sensitive = true;
  EXPECT_EQ(ChangeText("xABCyabc", "abc", "X", exact), "xABCyX");
  // The inserted text is never searched again.
  EXPECT_EQ(ChangeText("aa", "a", "aa", {}), "aaaa");
  // The rest keeps its case, the replacement too.
  EXPECT_EQ(ChangeText("Path=C:\\Old\\Bin", "old", "New", {}), "Path=C:\\New\\Bin");
  EXPECT_EQ(ChangeText("abc", "", "x", {}), "abc");
  EXPECT_EQ(ChangeText("", "a", "b", {}), "");
}

TEST(KysyChange, OptionsQuotesAndWholeValue) {
  ChangeOptions o = ReadChangeOptions({"/u"});
  EXPECT_TRUE(o.upper);
  EXPECT_EQ(ChangeText("say hi", "hi", "there", o), "say THERE");
  // /L comes after /U and wins.
  o = ReadChangeOptions({"/U", "/L"});
  EXPECT_EQ(ChangeText("say hi", "hi", "ThErE", o), "say there");
  // After /C options are no longer upper-cased: "/u" is not /U.
  o = ReadChangeOptions({"/c", "/u"});
  EXPECT_TRUE(o.case_sensitive);
  EXPECT_FALSE(o.upper);
  o = ReadChangeOptions({"/X", "U", "", "/"});
  EXPECT_FALSE(o.upper || o.lower || o.case_sensitive);
  // "`" stands for a double quote in both texts.
  EXPECT_EQ(ChangeText("a \"b\" c", "`b`", "`d`", {}), "a \"d\" c");
  // Both texts empty: the whole value converted.
  EXPECT_EQ(ChangeText("MiXed", "", "", ReadChangeOptions({"/U"})), "MIXED");
  EXPECT_EQ(ChangeText("MiXed", "", "", ReadChangeOptions({"/L"})), "mixed");
  EXPECT_EQ(ChangeText("MiXed", "", "", {}), "MiXed");
}

TEST(KysyTexts, MessageMarksAndCase) {
  EXPECT_EQ(MessageText("One~Two `quoted`"), "One\nTwo \"quoted\"");
  EXPECT_EQ(Upper("abc\xe4z"), "ABC\xe4Z");  // ASCII letters only
  EXPECT_TRUE(LineHasText("A Line", "line", false));
  EXPECT_FALSE(LineHasText("A Line", "line", true));
}

TEST(KysyWildcard, MatchesAsWindowsDoes) {
  EXPECT_TRUE(MatchesPattern("README", "*.*"));
  EXPECT_TRUE(MatchesPattern("a.b.c", "*.*"));
  EXPECT_TRUE(MatchesPattern("Part.TR", "*.tr"));
  EXPECT_FALSE(MatchesPattern("part.trx", "*.tr"));
  EXPECT_TRUE(MatchesPattern("abc", "abc.*"));
  EXPECT_TRUE(MatchesPattern("a1.txt", "a?.txt"));
  EXPECT_FALSE(MatchesPattern("a12.txt", "a?.txt"));
  EXPECT_TRUE(MatchesPattern("x", "*"));
  EXPECT_FALSE(MatchesPattern("", "?"));
  EXPECT_FALSE(MatchesPattern(std::string(5000, 'a'), "*a*a*a*a*a*b*.*"));
  EXPECT_TRUE(MatchesPattern(std::string(5000, 'a') + "b", "*a*a*a*a*a*b*.*"));
}

TEST(KysyListFile, OneItemPerLineCutAtTheLimit) {
  EXPECT_EQ(ListItems("one\r\ntwo\n\nfour"), (std::vector<std::string>{"one", "two", "", "four"}));
  EXPECT_TRUE(ListItems("").empty());
  std::string longer(300, 'x');
  std::vector<std::string> items = ListItems(longer + "\nnext\n" + std::string(255, 'y') + "\n");
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[0], std::string(255, 'x'));
  EXPECT_EQ(items[1], "next");
  EXPECT_EQ(items[2], std::string(255, 'y'));
  // A long last line without a line feed.
  items = ListItems(std::string(1000, 'z'));
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].size(), 255u);
  // A CR that is not before a LF stays.
  EXPECT_EQ(ListItems("a\rb\n"), (std::vector<std::string>{"a\rb"}));
}

}  // namespace
}  // namespace kysy
