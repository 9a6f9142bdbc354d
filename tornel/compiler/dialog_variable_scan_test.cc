#include "tornel/compiler/dialog_variable_scan.h"

#include <gtest/gtest.h>

#include "tornel/builtins/builtin_table.h"
#include "tornel/compiler/location_prefix.h"
#include "tornel/compiler/tokens.h"

namespace tornel {
namespace {

std::string Tok(char token) { return std::string(1, token); }
std::string Dialog(int code) { return Tok(kTokDialogProc) + Tok(TokenByte(code)); }

DialogVariables Scan(const std::vector<std::string>& statements) {
  LoadedProgram p;
  int line = 1;
  for (const std::string& s : statements) p.bytes += WithLocation({0, line++}, s) + "\n";
  DialogVariables vars;
  ScanDialogVariables(p, kDialogBindingCodes, vars);
  return vars;
}

TEST(DialogVariableScan, ListsTheFirstArgumentOfBindingProcedures) {
  std::string i5 = Tok(kTokIntVar) + "5";
  std::string r9 = Tok(kTokRealVar) + "9";
  std::string s3 = Tok(kTokStringRef) + "3";
  DialogVariables v = Scan({
      Dialog(196) + "(" + i5 + "," + s3 + ")",      // InputInt: list B
      Dialog(197) + "(" + r9 + "!," + s3 + ")",     // "!": lists A and B
      Dialog(198) + "(" + s3 + "?)",                // "?": neither
      Dialog(218) + "(" + s3 + "!?)",               // "!?": list A only
      Dialog(196) + "(" + i5 + ")",                 // listed once
      Dialog(195) + "(" + Tok(kTokIntVar) + "7)",   // DialogText binds nothing
      Tok(kTokProc) + Tok(TokenByte(196)) + "(" + Tok(kTokIntVar) + "8)",  // another class
      Dialog(199) + "(12)",                         // no variable
      "x=" + Dialog(196) + "(" + Tok(kTokIntVar) + "6)",  // not at the start
  });
  EXPECT_EQ(v.list_a, (std::vector<DialogVariable>{{kTokRealVar, 9}, {kTokStringRef, 3}}));
  EXPECT_EQ(v.list_b, (std::vector<DialogVariable>{{kTokIntVar, 5}, {kTokRealVar, 9}}));
  EXPECT_EQ(v.int_count, 1);
  EXPECT_EQ(v.real_count, 1);
  EXPECT_EQ(v.string_count, 0);
  EXPECT_EQ(v.ints, std::vector<int32_t>{0});
  EXPECT_EQ(v.reals, std::vector<double>{0.0});
  EXPECT_TRUE(v.strings.empty());
}

TEST(DialogVariableScan, AnArrayListsEveryElement) {
  std::string arr = Tok(kTokStringRef) + "40|3";
  DialogVariables v = Scan({Dialog(200) + "(" + arr + "[" + Tok(kTokIntVar) + "2+(1)]!,x)",
                            Dialog(203) + "(" + arr + ")"});
  std::vector<DialogVariable> all = {
      {kTokStringRef, 40}, {kTokStringRef, 41}, {kTokStringRef, 42}};
  EXPECT_EQ(v.list_a, all);
  EXPECT_EQ(v.list_b, all);
  EXPECT_EQ(v.string_count, 3);
  EXPECT_EQ(v.strings.size(), 3u);
}

}  // namespace
}  // namespace tornel
