#include "tornel/dev/unified_diff.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tornel::dev {
namespace {

using Lines = std::vector<std::string>;

Lines Numbered(int from, int to) {
  Lines lines;
  for (int i = from; i <= to; ++i) lines.push_back("N" + std::to_string(i) + "\n");
  return lines;
}

// Applies a diff's steps to `from`; it must give `to` back.
Lines Apply(const Lines& from, const Lines& to, const std::vector<DiffStep>& steps) {
  Lines out;
  size_t next_from = 0;
  for (const DiffStep& s : steps) {
    if (s.kind == DiffStep::kAdded) {
      out.push_back(to[s.to]);
      continue;
    }
    EXPECT_EQ(s.from, next_from);
    ++next_from;
    if (s.kind == DiffStep::kSame) out.push_back(from[s.from]);
  }
  EXPECT_EQ(next_from, from.size());
  return out;
}

TEST(UnifiedDiff, SplitsLinesKeepingTheirEnds) {
  EXPECT_EQ(SplitLines(""), Lines{});
  EXPECT_EQ(SplitLines("a\nb"), (Lines{"a\n", "b"}));
  EXPECT_EQ(SplitLines("a\r\n\n"), (Lines{"a\r\n", "\n"}));
}

TEST(UnifiedDiff, EqualListsGiveNothing) {
  EXPECT_EQ(UnifiedDiff(Numbered(1, 5), Numbered(1, 5), "a", "b"), "");
  EXPECT_EQ(UnifiedDiff({}, {}, "a", "b"), "");
}

TEST(UnifiedDiff, OneChangedLineWithThreeLinesOfContext) {
  Lines to = Numbered(1, 10);
  to[4] = "X5\n";
  EXPECT_EQ(UnifiedDiff(Numbered(1, 10), to, "expected/p.nc", "p.nc"),
            "--- expected/p.nc\n+++ p.nc\n@@ -2,7 +2,7 @@\n"
            " N2\n N3\n N4\n-N5\n+X5\n N6\n N7\n N8\n");
}

TEST(UnifiedDiff, ChangesCloseTogetherShareAHunkFarApartDoNot) {
  Lines close = Numbered(1, 20);
  close[2] = "A\n";
  close[8] = "B\n";  // 5 unchanged lines between: one hunk
  std::string one = UnifiedDiff(Numbered(1, 20), close, "a", "b");
  EXPECT_NE(one.find("@@ -1,12 +1,12 @@\n"), std::string::npos) << one;
  EXPECT_EQ(one.find("@@", one.find("@@ -1,12") + 2), one.find(" @@\n") + 1);

  Lines far = Numbered(1, 20);
  far[1] = "A\n";
  far[17] = "B\n";
  std::string two = UnifiedDiff(Numbered(1, 20), far, "a", "b");
  EXPECT_NE(two.find("@@ -1,5 +1,5 @@\n"), std::string::npos) << two;
  EXPECT_NE(two.find("@@ -15,6 +15,6 @@\n"), std::string::npos) << two;
}

TEST(UnifiedDiff, InsertionsAndRemovalsAtTheEnds) {
  // Lines added at the start of a file: the range before them is empty.
  Lines to = Numbered(1, 3);
  to.insert(to.begin(), "NEW\n");
  EXPECT_EQ(UnifiedDiff(Numbered(1, 3), to, "a", "b"),
            "--- a\n+++ b\n@@ -1,3 +1,4 @@\n+NEW\n N1\n N2\n N3\n");
  // Everything removed: the new side is "0,0".
  EXPECT_EQ(UnifiedDiff(Numbered(1, 2), {}, "a", "b"), "--- a\n+++ b\n@@ -1,2 +0,0 @@\n-N1\n-N2\n");
  // Into an empty file; a single line range has no count.
  EXPECT_EQ(UnifiedDiff({}, Numbered(1, 1), "a", "b"), "--- a\n+++ b\n@@ -0,0 +1 @@\n+N1\n");
}

TEST(UnifiedDiff, MissingNewlineAtTheEndIsShown) {
  EXPECT_EQ(UnifiedDiff(SplitLines("M30\n"), SplitLines("M30"), "a", "b"),
            "--- a\n+++ b\n@@ -1 +1 @@\n-M30\n+M30\n\\ No newline at end of file\n");
}

TEST(UnifiedDiff, StepsAreFewestAndRebuildTheNewList) {
  Lines from = SplitLines("a\nb\nc\na\nb\nb\na\n");
  Lines to = SplitLines("c\nb\na\nb\na\nc\n");
  std::vector<DiffStep> steps = DiffSteps(from, to);
  EXPECT_EQ(Apply(from, to, steps), to);
  int changes = 0;
  for (const DiffStep& s : steps) changes += s.kind != DiffStep::kSame;
  EXPECT_EQ(changes, 5);  // the classic example: edit distance 5
}

TEST(UnifiedDiff, VeryManyChangesStillGiveATrueDiff) {
  Lines from, to;
  for (int i = 0; i < 3000; ++i) {
    from.push_back("a" + std::to_string(i) + "\n");
    to.push_back("b" + std::to_string(i) + "\n");
  }
  from.push_back("same\n");
  to.push_back("same\n");
  std::vector<DiffStep> steps = DiffSteps(from, to);
  EXPECT_EQ(Apply(from, to, steps), to);
  std::string diff = UnifiedDiff(from, to, "a", "b");
  EXPECT_EQ(diff.rfind("@@ -1,3001 +1,3001 @@\n", 8), std::string::npos);
  EXPECT_NE(diff.find("@@ -1,3001 +1,3001 @@\n"), std::string::npos);
}

}  // namespace
}  // namespace tornel::dev
