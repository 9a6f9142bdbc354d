#include "tornel/sysvars/registry.h"

#include <gtest/gtest.h>

#include <set>

#include "tornel/sysvars/value_tables.h"

namespace tornel {
namespace {

// Slots counted by hand from the registration list: the first variable, the
// last, and the variables behind each run of arrays.  A row that moves,
// disappears or changes its size shifts some of them.
TEST(SystemVariableSlots, ArePinned) {
  EXPECT_EQ(kSiEachOn, 0);
  EXPECT_EQ(kSiSecond, 62);
  EXPECT_EQ(kSiWeekDay, 68);
  EXPECT_EQ(kSiToolsLim, 93);
  EXPECT_EQ(kSiEdmFileX, 167);
  EXPECT_EQ(kSiStockType, 179);
  EXPECT_EQ(kSiWordType, 180);
  EXPECT_EQ(kSiWordType_Prev, 280);
  EXPECT_EQ(kSiWordType_Next, 380);
  EXPECT_EQ(kSiTurretList, 480);
  EXPECT_EQ(kSiViewList, 2080);

  EXPECT_EQ(kSrSeq, 0);
  EXPECT_EQ(kSrX, 4);
  EXPECT_EQ(kSrK_CL, 21);
  EXPECT_EQ(kSrXI, 135);
  EXPECT_EQ(kSrXIT, 165);
  EXPECT_EQ(kSrXIT_In, 201);
  EXPECT_EQ(kSrXIT_Out, 213);
  EXPECT_EQ(kSrcRapid, 337);
  EXPECT_EQ(kSrcCoolOn, 376);
  EXPECT_EQ(kSrcWire, 421);
  EXPECT_EQ(kSrStockLen, 542);
  EXPECT_EQ(kSrWordVal, 543);
  EXPECT_EQ(kSrWordVal_Prev, 643);
  EXPECT_EQ(kSrToolList, 843);
  EXPECT_EQ(kSrMoveTimeList, 4843);

  EXPECT_EQ(kSsAptFile, 0);
  EXPECT_EQ(kSsNcDir, 5);
  EXPECT_EQ(kSsNcExt, 7);
  EXPECT_EQ(kSsGetComment, 21);
  EXPECT_EQ(kSsWordStr, 22);
  EXPECT_EQ(kSsWordStr_Prev, 122);
  EXPECT_EQ(kSsComment, 322);
  EXPECT_EQ(kSsToolDescList, 422);
  EXPECT_EQ(kSsViewDescList, 622);

  EXPECT_EQ(kRecordWordSlots, 100);
  EXPECT_EQ(kListSlots, 200);
}

// "kSrX_In" for "srX_In[...]": the constant's name is the variable's.
std::string ConstantNameFor(std::string_view text) {
  std::string name(text.substr(0, text.find('[')));
  name[0] = static_cast<char>(name[0] - 'a' + 'A');
  return "k" + name;
}

TEST(SystemVariableSlots, EachConstantCarriesItsVariablesName) {
  const char* ids[] = {
#define TORNEL_SI(id, text, ...) #id,
#define TORNEL_SR(id, text, ...) #id,
#define TORNEL_SS(id, text, ...) #id,
#include "tornel/sysvars/system_variables.def"
  };
  ASSERT_EQ(std::size(ids), std::size(kSystemVariableRows));
  for (size_t i = 0; i < std::size(ids); ++i)
    EXPECT_EQ(ids[i], ConstantNameFor(kSystemVariableRows[i].text));
}

TEST(Registry, EntersEveryVariableInOrderWithTheConstantsSlots) {
  VariableTable names;
  DefineVariable(names, VarType::kInteger, "uiLeftOver", 0);  // a fresh table is built
  RegisterSystemVariables(names);

  ASSERT_EQ(names.entries.size(), size_t{kSystemVariableCount});
  std::set<std::string> seen;
  int per_type[kVarTypes] = {};
  for (int i = 0; i < kSystemVariableCount; ++i) {
    const VariableEntry& e = names.entries[i];
    EXPECT_TRUE(seen.insert(e.name).second) << "twice: " << e.name;
    EXPECT_EQ(e.name, LowerName(ParseVariableDefinition(kSystemVariableRows[i].text)->name));
    EXPECT_EQ(e.type, kSystemVariableRows[i].type);
    EXPECT_EQ(e.slot, kSystemVariableSlots[i]) << e.name;
    EXPECT_EQ(e.file, kNoFile);
    ++per_type[static_cast<int>(e.type)];
  }
  EXPECT_EQ(per_type[0], 192);
  EXPECT_EQ(per_type[1], 567);
  EXPECT_EQ(per_type[2], 28);
  EXPECT_EQ(SlotsUsed(names, VarType::kInteger), 2280);
  EXPECT_EQ(SlotsUsed(names, VarType::kReal), 5043);
  EXPECT_EQ(SlotsUsed(names, VarType::kString), 822);
  EXPECT_EQ(names.system_string_slots, 822);
  EXPECT_EQ(FindVariable(names, "uiLeftOver"), nullptr);
}

TEST(Registry, NamesMatchWithoutRegardToCase) {
  VariableTable names;
  RegisterSystemVariables(names);
  for (const char* spelling : {"srX", "srx", "SRX"}) {
    const VariableEntry* e = FindVariable(names, spelling);
    ASSERT_NE(e, nullptr) << spelling;
    EXPECT_EQ(e->type, VarType::kReal);
    EXPECT_EQ(e->slot, 4);
  }
  EXPECT_EQ(FindVariable(names, "srcRapid")->type, VarType::kReal);
  EXPECT_EQ(FindVariable(names, "srcRapid")->slot, kSrcRapid);

  const VariableEntry* list = FindVariable(names, "SRTOOLLIST");
  ASSERT_NE(list, nullptr);
  EXPECT_TRUE(list->is_array);
  EXPECT_EQ(list->elements, 200);
  EXPECT_EQ(FindVariable(names, "srToolList[200]"), nullptr);  // the count is no part of the name
}

TEST(Registry, PostVariablesFollowTheSystemSlots) {
  VariableTable names;
  RegisterSystemVariables(names);
  int literal = AllocateSlots(names, VarType::kString, 2);  // string literals come first
  DefineVariable(names, VarType::kString, "usName[3]", 0);
  DefineVariable(names, VarType::kInteger, "uiA", 0);
  DefineVariable(names, VarType::kReal, "urB", 0);
  EXPECT_EQ(literal, 822);
  EXPECT_EQ(FindVariable(names, "usName")->slot, 824);
  EXPECT_EQ(FindVariable(names, "uiA")->slot, 2280);
  EXPECT_EQ(FindVariable(names, "urB")->slot, 5043);
  EXPECT_EQ(names.system_string_slots, 822);
  // A post variable can't take over a system variable's name.
  EXPECT_EQ(DefineVariable(names, VarType::kReal, "SRX[5]", 0).status, DefineStatus::kShared);

  Diagnostics diag;
  ValueTables values;
  values.ints.assign(5, 7);  // whatever an earlier allocation left
  AllocateValueTables(diag, values, names);
  EXPECT_EQ(values.ints.size(), 2281u);
  EXPECT_EQ(values.reals.size(), 5044u);
  EXPECT_EQ(values.strings.size(), 827u);
  EXPECT_EQ(values.ints[0], 0);
  EXPECT_EQ(values.reals[5043], 0.0);
  EXPECT_EQ(values.strings[826], "");
}

}  // namespace
}  // namespace tornel
