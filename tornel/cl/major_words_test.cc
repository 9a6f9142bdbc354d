#include "tornel/cl/major_words.h"

#include <gtest/gtest.h>

#include "tornel/cl/cl_record.h"

namespace tornel {
namespace {

TEST(MajorWords, GivenOnceWithoutRegardToCase) {
  EXPECT_EQ(ClassifyMajorWord("GOTO"), MajorWord::kGoto);
  EXPECT_EQ(ClassifyMajorWord("goto"), MajorWord::kGoto);
  EXPECT_EQ(ClassifyMajorWord("Fedrat"), MajorWord::kFeed);
  for (std::string_view w : {"NCRV", "ctrlpt", "Knot"}) EXPECT_EQ(ClassifyMajorWord(w), MajorWord::kNurbs);
  EXPECT_EQ(ClassifyMajorWord("LOADTL"), MajorWord::kLoadTool);
  EXPECT_EQ(ClassifyMajorWord("LOAD"), MajorWord::kOther);     // only the whole word
  EXPECT_EQ(ClassifyMajorWord("GOTOX"), MajorWord::kOther);
  EXPECT_EQ(ClassifyMajorWord("CIRCLES"), MajorWord::kOther);  // longer than any known word
  EXPECT_EQ(ClassifyMajorWord(""), MajorWord::kOther);
  EXPECT_EQ(ClassifyMajorWord(":G54"), MajorWord::kNcLine);
  EXPECT_EQ(ClassifyMajorWord(":"), MajorWord::kNcLine);
  EXPECT_EQ(ClassifyMajorWord("G:54"), MajorWord::kOther);
}

// The reader gives a record its major word when it splits the words, and
// an emptied slot has none.
TEST(MajorWords, SlotsCarryTheirRecordsWord) {
  RecordSlot slot;
  ASSERT_EQ(AssembleLine(slot, "spindl/3000,clw", 1), FeedResult::kRecord);
  EXPECT_EQ(slot.major, MajorWord::kSpindle);
  EmptySlot(slot);
  EXPECT_EQ(slot.major, MajorWord::kOther);
  ASSERT_EQ(AssembleLine(slot, "PPRINT CHECK CLAMPS", 2), FeedResult::kRecord);
  EXPECT_EQ(slot.major, MajorWord::kPprint);
  EmptySlot(slot);
  ASSERT_EQ(AssembleLine(slot, "cir$", 3), FeedResult::kContinued);
  ASSERT_EQ(AssembleLine(slot, "cle/0,0,0,0,0,1,5", 4), FeedResult::kRecord);
  EXPECT_EQ(slot.major, MajorWord::kCircle);
}

}  // namespace
}  // namespace tornel
