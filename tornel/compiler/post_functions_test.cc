#include "tornel/compiler/post_functions.h"

#include <gtest/gtest.h>

namespace tornel {
namespace {

TEST(PostFunctions, NamesMatchWithoutRegardToCase) {
  EXPECT_EQ(PostFunctionNumber("move"), kPfMove);
  EXPECT_EQ(PostFunctionNumber("WIREREGCHANGE"), 91);
  EXPECT_EQ(PostFunctionNumber("1sttoolchange"), 26);
  EXPECT_EQ(PostFunctionNumber("InitSettings"), kPfInitSettings);
  EXPECT_EQ(PostFunctionNumber("Finishing"), kNotAPostFunction);  // only through its alias
  EXPECT_EQ(PostFunctionNumber("Moves"), kNotAPostFunction);
  EXPECT_EQ(PostFunctionNumber(""), kNotAPostFunction);
  int named = 0;
  for (int n = 0; n < kPostFunctionSlots; ++n) named += !PostFunctionName(n).empty();
  EXPECT_EQ(named, 83);
  for (int n : {0, 17, 23, 37}) EXPECT_TRUE(PostFunctionName(n).empty()) << n;
  EXPECT_EQ(PostFunctionName(76), "aFinishing");
}

TEST(PostFunctions, FallbacksRunInPlaceOfMissingFunctions) {
  PostFunctionTable table;
  ClearPostFunctions(table);
  // Nothing defined: the chain's last function, which the post lacks too.
  EXPECT_EQ(ResolvedPostFunction(table, kPfSubToolChange), kPfToolChange);
  EXPECT_EQ(ResolvedPostFunction(table, kPfReposRotFeed), kPfReposRot);
  EXPECT_EQ(ResolvedPostFunction(table, kPfPeckLC), kPfCycleLC);
  EXPECT_EQ(ResolvedPostFunction(table, kPfToolCancel), kPfToolCancel);
  EXPECT_EQ(ResolvedLabel(table, kPfHelicalArcMove), kNoFunction);
  table[kPfCycle] = 43;
  table[kPfToolChange] = 25;
  table[kPf1stToolChange] = 26;
  EXPECT_EQ(ResolvedPostFunction(table, kPf1stToolChange), kPf1stToolChange);
  EXPECT_EQ(ResolvedPostFunction(table, kPfSubToolChange), kPfToolChange);
  EXPECT_EQ(ResolvedLabel(table, kPfRigTap), 43);
  EXPECT_EQ(ResolvedLabel(table, kPfRigTapLC), kNoFunction);  // long cycles fall back to CycleLC only
}

TEST(PostFunctions, FirstDefinitionWins) {
  PostFunctionTable table;
  ClearPostFunctions(table);
  EXPECT_TRUE(DefinePostFunction(table, 25, 10));
  EXPECT_FALSE(DefinePostFunction(table, 25, 20));
  EXPECT_EQ(table[25], 10);
}

TEST(PostFunctions, MoveHandlersFallBackAlongTheirChains) {
  PostFunctionTable table;
  ClearPostFunctions(table);
  MoveHandlers none = ResolveMoveHandlers(table);
  EXPECT_EQ(none.rapid, kNoFunction);
  EXPECT_EQ(none.helical_arc, kNoFunction);

  table[kPfMove] = 1;  // only Move: every kind of move calls it
  MoveHandlers h = ResolveMoveHandlers(table);
  for (int label : {h.rapid, h.line, h.arc, h.radius_arc, h.center_arc, h.helical_arc})
    EXPECT_EQ(label, 1);

  table[kPfArcMove] = 4;
  table[kPfCenterArcMove] = 6;
  table[kPfLineMove] = 3;
  h = ResolveMoveHandlers(table);
  EXPECT_EQ(h.rapid, 1);
  EXPECT_EQ(h.line, 3);
  EXPECT_EQ(h.arc, 4);
  EXPECT_EQ(h.radius_arc, 4);
  EXPECT_EQ(h.center_arc, 6);
  EXPECT_EQ(h.helical_arc, 6);

  ClearPostFunctions(table);
  table[kPfHelicalArcMove] = 7;
  table[kPfRadiusArcMove] = 5;
  h = ResolveMoveHandlers(table);
  EXPECT_EQ(h.arc, kNoFunction);
  EXPECT_EQ(h.center_arc, kNoFunction);
  EXPECT_EQ(h.radius_arc, 5);
  EXPECT_EQ(h.helical_arc, 7);
}

}  // namespace
}  // namespace tornel
