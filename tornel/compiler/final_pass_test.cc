#include "tornel/compiler/final_pass.h"

#include <gtest/gtest.h>

#include "tornel/compiler/location_prefix.h"
#include "tornel/compiler/program_dump.h"
#include "tornel/compiler/tokens.h"

namespace tornel {
namespace {

std::string Tok(char token) { return std::string(1, token); }

// The one statement that `statement` becomes, readable.
std::string Final(const std::string& statement, const FinalPassHooks& hooks = {}) {
  Diagnostics diag;
  std::vector<std::string> out = FinalTextPass(diag, {WithLocation({0, 1}, statement)}, hooks);
  EXPECT_EQ(out.size(), 1u) << statement;
  Location loc;
  std::string_view text;
  EXPECT_TRUE(SplitLocation(out.at(0), loc, text));
  return ReadableTokens(text);
}

TEST(FinalTextPass, OperatorWordsAndComparisonsBecomeTokens) {
  EXPECT_EQ(Final("uia=1 or uib<>2 and uic>=3"), "uia=1{or}uib{<>}2{and}uic{>=}3");
  EXPECT_EQ(Final("(a<=b)or(a<b)and(a>b)"), "(a{<=}b){or}(a<b){and}(a>b)");
  // Only whole words: names that contain them stay names.
  EXPECT_EQ(Final("uiorder=uiand+band+for_x"), "uiorder=uiand+band+for_x");
  EXPECT_EQ(Final("return " + Tok(kTokIntVar) + "60+1"), "{RETURN}{int 60}+1");
  EXPECT_EQ(Final("returned=1"), "returned=1");
}

TEST(FinalTextPass, YesNoAndBlanks) {
  EXPECT_EQ(Final("siflag=yes"), "siflag=1");
  EXPECT_EQ(Final("x=no+yes_x+nox"), "x=0+yes_x+nox");
  EXPECT_EQ(Final("call fif a b"), "callfifab");
}

TEST(FinalTextPass, HooksRunInOrderAfterTheColonBlank) {
  std::string seen;
  FinalPassHooks hooks;
  hooks.builtins = [&](Diagnostics& diag, std::vector<std::string>& s) {
    seen += "b:" + s[0] + "@" + std::to_string(diag.loc.line) + ";";
    s[0] += " yes";
  };
  hooks.settings = [&](Diagnostics&, std::vector<std::string>& s) { seen += "s:" + s[0] + ";"; };
  hooks.output = [&](Diagnostics&, std::vector<std::string>& s) { seen += "o:" + s[0] + ";"; };
  Diagnostics diag;
  std::vector<std::string> out =
      FinalTextPass(diag, {WithLocation({2, 7}, "units:mm inch")}, hooks);
  EXPECT_EQ(seen, "b:units: mm inch@7;s:units: mm inch yes;o:units: mm inch yes;");
  // yes/no and blank removal come after the hooks.
  EXPECT_EQ(out, std::vector<std::string>{WithLocation({2, 7}, "units:mminch1")});
}

TEST(FinalTextPass, AHookMaySplitAStatementIntoRecordsOfOneLocation) {
  FinalPassHooks hooks;
  hooks.settings = [](Diagnostics&, std::vector<std::string>& s) {
    s = {"sia=1", "sib = no"};
  };
  Diagnostics diag;
  std::string label = Tok(kTokLabelLine) + "4";
  std::vector<std::string> out =
      FinalTextPass(diag, {label, WithLocation({1, 3}, "feed: 1 2 3"), label}, hooks);
  EXPECT_EQ(out, (std::vector<std::string>{label, WithLocation({1, 3}, "sia=1"),
                                           WithLocation({1, 3}, "sib=0"), label}));
}

}  // namespace
}  // namespace tornel
