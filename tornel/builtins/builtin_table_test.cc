#include "tornel/builtins/builtin_table.h"

#include <map>
#include <set>

#include <gtest/gtest.h>

#include "tornel/compiler/dialog_variable_scan.h"
#include "tornel/compiler/final_pass.h"
#include "tornel/compiler/location_prefix.h"
#include "tornel/compiler/program_dump.h"

namespace tornel {
namespace {

TEST(BuiltinTable, ClassesHoldTheirRangesOfCodes) {
  struct Range {
    int count = 0;
    int first = 999;
    int last = 0;
  };
  std::map<BuiltinClass, Range> ranges;
  std::set<std::string_view> names;
  for (const BuiltinEntry& e : kBuiltins) {
    Range& r = ranges[e.cls];
    ++r.count;
    r.first = std::min(r.first, e.code);
    r.last = std::max(r.last, e.code);
    EXPECT_TRUE(names.insert(e.name).second) << e.name;
    for (char c : e.name) EXPECT_TRUE((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) << e.name;
    EXPECT_EQ(FindBuiltin(e.cls, e.code), &e);
    EXPECT_EQ(FindBuiltinByName(e.name), &e);
  }
  // Each class numbers its functions without gaps.
  auto expect = [&](BuiltinClass cls, int first, int last) {
    EXPECT_EQ(ranges[cls].first, first);
    EXPECT_EQ(ranges[cls].last, last);
    EXPECT_EQ(ranges[cls].count, last - first + 1);
  };
  expect(BuiltinClass::kNumeric, 192, 233);
  expect(BuiltinClass::kString, 191, 204);
  expect(BuiltinClass::kProcedure, 195, 231);
  expect(BuiltinClass::kDialog, 190, 218);
  EXPECT_EQ(kBuiltinCount, 122);
}

TEST(BuiltinTable, LookupByClassAndCode) {
  EXPECT_EQ(FindBuiltin(BuiltinClass::kNumeric, 207)->name, "rot360");
  EXPECT_EQ(FindBuiltin(BuiltinClass::kString, 201)->display, "CHR");
  EXPECT_EQ(FindBuiltin(BuiltinClass::kProcedure, 221)->display, "Error");
  EXPECT_EQ(FindBuiltin(BuiltinClass::kDialog, 190)->name, "dialog");
  // The codes of the post file's own functions are none of the table's.
  EXPECT_EQ(FindBuiltin(BuiltinClass::kNumeric, 190), nullptr);
  EXPECT_EQ(FindBuiltin(BuiltinClass::kNumeric, 191), nullptr);
  EXPECT_EQ(FindBuiltin(BuiltinClass::kString, 190), nullptr);
  EXPECT_EQ(FindBuiltin(BuiltinClass::kProcedure, 194), nullptr);
  EXPECT_EQ(FindBuiltin(BuiltinClass::kNumeric, -1), nullptr);
  EXPECT_EQ(FindBuiltin(BuiltinClass::kNumeric, 256), nullptr);
  EXPECT_EQ(FindBuiltin(static_cast<BuiltinClass>(140), 192), nullptr);
  EXPECT_EQ(Builtin(kFnAsin).display, "ASIN");
  EXPECT_EQ(Builtin(kFnStrRFindWord).display, "StrRFindWord");
  EXPECT_EQ(Builtin(kFnSeqSet).display, "SEQSET");
}

TEST(BuiltinTable, DialogScanBindsTheValueProcedures) {
  EXPECT_EQ(std::vector<int>(std::begin(kDialogBindingCodes), std::end(kDialogBindingCodes)),
            (std::vector<int>{196, 197, 198, 199, 200, 201, 202, 203, 218}));
}

std::string Replaced(std::string s) {
  ReplaceBuiltinNames(s);
  return ReadableTokens(s);
}

TEST(BuiltinNames, WholeWordsBecomeClassAndCode) {
  std::string sin = BuiltinToken(kFnSin);
  std::string s = "a=sin(30)+rot360(b)";
  ReplaceBuiltinNames(s);
  EXPECT_EQ(s, "a=" + sin + "(30)+" + BuiltinToken(kFnRot360) + "(b)");

  // Names that merely contain a built-in stay.
  EXPECT_EQ(Replaced("uisin=asin2+sinx+_sin+#max"), "uisin=asin2+sinx+_sin+#max");
  // A longer name is no shorter one followed by more.
  s = "x=atan2(1,0)+hypot3(1,2,3)+strfindword(a,b)";
  ReplaceBuiltinNames(s);
  EXPECT_EQ(s, "x=" + BuiltinToken(kFnAtan2) + "(1,0)+" + BuiltinToken(kFnHypot3) + "(1,2,3)+" +
                   BuiltinToken(kFnStrFindWord) + "(a,b)");
  // Next to token bytes and at both ends of the statement.
  std::string var = std::string(1, kTokRealVar) + "5";
  s = "min" + var + "max";
  ReplaceBuiltinNames(s);
  EXPECT_EQ(s, BuiltinToken(kFnMin) + var + "max");  // "5max" is one word
  s = "error(" + var + ")";
  ReplaceBuiltinNames(s);
  EXPECT_EQ(s, BuiltinToken(kFnError) + "(" + var + ")");
  s = "inputint(" + var + "!)";
  ReplaceBuiltinNames(s);
  EXPECT_EQ(s, BuiltinToken(kFnInputInt) + "(" + var + "!)");
  EXPECT_EQ(Replaced(""), "");
}

TEST(BuiltinNames, InTheFinalTextPass) {
  FinalPassHooks hooks;
  hooks.builtins = [](Diagnostics&, std::vector<std::string>& statements) {
    for (std::string& s : statements) ReplaceBuiltinNames(s);
  };
  Diagnostics diag;
  std::vector<std::string> out =
      FinalTextPass(diag, {WithLocation({0, 4}, "x = int(y) and tab (2)")}, hooks);
  EXPECT_EQ(out, std::vector<std::string>{WithLocation(
                     {0, 4}, "x=" + BuiltinToken(kFnInt) + "(y)" + std::string(1, kTokAnd) +
                                 BuiltinToken(kFnTab) + "(2)")});
}

}  // namespace
}  // namespace tornel
