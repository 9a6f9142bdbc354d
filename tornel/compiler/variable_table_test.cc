#include "tornel/compiler/variable_table.h"

#include <string>

#include <gtest/gtest.h>

#include "tornel/base/table_growth.h"

namespace tornel {
namespace {

TEST(ParseVariableDefinition, AcceptsNamesAndArrays) {
  auto plain = ParseVariableDefinition("uiCount");
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->name, "uiCount");
  EXPECT_EQ(plain->elements, 1);
  EXPECT_FALSE(plain->is_array);

  auto array = ParseVariableDefinition("ur$Tab#_2[200]");
  ASSERT_TRUE(array);
  EXPECT_EQ(array->name, "ur$Tab#_2");
  EXPECT_EQ(array->elements, 200);
  EXPECT_TRUE(array->is_array);

  // An array of one element is still an array.
  EXPECT_TRUE(ParseVariableDefinition("uiA[1]")->is_array);
}

TEST(ParseVariableDefinition, RefusesBadNamesAndCounts) {
  for (const char* text : {"", "[3]", "ui-A", "ui A", "uiA[", "uiA[]", "uiA[0]", "uiA[3",
                           "uiA[3x]", "uiA[-3]", "uiA[+3]", "uiA[3]x", "uiA[3]]", "uiA[2147483648]",
                           "uiA[99999999999999999999]", "ui\xe4"})
    EXPECT_FALSE(ParseVariableDefinition(text)) << text;
  EXPECT_EQ(ParseVariableDefinition("uiA[2147483647]")->elements, 2147483647);
}

TEST(TypeFromName, FollowsTheSecondLetter) {
  EXPECT_EQ(TypeFromName("siEachOn"), VarType::kInteger);
  EXPECT_EQ(TypeFromName("srcRapid"), VarType::kReal);
  EXPECT_EQ(TypeFromName("SSNCDIR"), VarType::kString);
  EXPECT_EQ(TypeFromName("sxFoo"), std::nullopt);
  EXPECT_EQ(TypeFromName("s"), std::nullopt);
}

TEST(VariableTable, NumbersSlotsPerTableAndFindsNamesInAnyCase) {
  VariableTable t;
  EXPECT_EQ(DefineVariable(t, VarType::kInteger, "uiA", 0).status, DefineStatus::kDefined);
  EXPECT_EQ(DefineVariable(t, VarType::kReal, "urList[10]", 0).status, DefineStatus::kDefined);
  EXPECT_EQ(DefineVariable(t, VarType::kInteger, "UIB[3]", 1).status, DefineStatus::kDefined);
  EXPECT_EQ(DefineVariable(t, VarType::kReal, "urC", 1).status, DefineStatus::kDefined);

  const VariableEntry* b = FindVariable(t, "uib");
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->name, "uib");
  EXPECT_EQ(b->slot, 1);
  EXPECT_EQ(b->elements, 3);
  EXPECT_EQ(b->file, 1);
  EXPECT_EQ(FindVariable(t, "URC")->slot, 10);
  EXPECT_EQ(SlotsUsed(t, VarType::kInteger), 4);
  EXPECT_EQ(SlotsUsed(t, VarType::kReal), 11);
  EXPECT_EQ(FindVariable(t, "urD"), nullptr);

  // Declaration order is kept.
  ASSERT_EQ(t.entries.size(), 4u);
  EXPECT_EQ(t.entries[1].name, "urlist");
  EXPECT_EQ(t.entries[2].name, "uib");
}

TEST(VariableTable, ASecondDefinitionSharesTheFirst) {
  VariableTable t;
  DefineVariable(t, VarType::kInteger, "uiCount[5]", 0);
  DefineResult again = DefineVariable(t, VarType::kInteger, "UICOUNT[9]", 1);
  EXPECT_EQ(again.status, DefineStatus::kShared);
  EXPECT_EQ(t.entries[again.entry].elements, 5);
  EXPECT_EQ(t.entries[again.entry].file, 0);
  EXPECT_EQ(SlotsUsed(t, VarType::kInteger), 5);
  EXPECT_EQ(DefineVariable(t, VarType::kInteger, "uiBad[0]", 0).status, DefineStatus::kInvalid);
  EXPECT_EQ(t.entries.size(), 1u);
}

TEST(VariableTable, RefusesToOutgrowTheSlotNumbers) {
  // A value table holds at most kValueTableLimit slots.
  VariableTable t;
  const int most = kValueTableLimit - 1000;
  EXPECT_EQ(DefineVariable(t, VarType::kString, "usA[" + std::to_string(most) + "]", 0).status,
            DefineStatus::kDefined);
  EXPECT_EQ(DefineVariable(t, VarType::kString, "usB[1001]", 0).status, DefineStatus::kTooLarge);
  EXPECT_EQ(FindVariable(t, "usB"), nullptr);
  EXPECT_EQ(AllocateSlots(t, VarType::kString, 1001), -1);
  EXPECT_EQ(AllocateSlots(t, VarType::kString, 1000), most);
  EXPECT_EQ(SlotsUsed(t, VarType::kString), kValueTableLimit);
  EXPECT_EQ(AllocateSlots(t, VarType::kString, 1), -1);
  EXPECT_EQ(AllocateSlots(t, VarType::kInteger, 1), 0);  // each table counts its own
}

}  // namespace
}  // namespace tornel
