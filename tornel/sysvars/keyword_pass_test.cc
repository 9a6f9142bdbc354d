#include "tornel/sysvars/keyword_pass.h"
#include "tornel/sysvars/system_variable_counts.h"

#include <gtest/gtest.h>

#include "tests/fatal_report.h"
#include "tests/in_memory.h"
#include "tornel/compiler/location_prefix.h"
#include "tornel/compiler/post_functions.h"
#include "tornel/compiler/preprocessor.h"
#include "tornel/compiler/tokens.h"

namespace tornel {
namespace {

// The statement that one line of post text becomes (one output line).
std::string Pass(const std::string& statement) {
  Diagnostics diag;
  std::vector<std::string> out = KeywordPass(diag, {WithLocation({0, 1}, statement)});
  EXPECT_EQ(out.size(), 1u) << statement;
  Location loc;
  std::string_view text;
  EXPECT_TRUE(SplitLocation(out.at(0), loc, text));
  return std::string(text);
}

TEST(KeywordPass, SequenceDirectivesAreWholeWords) {
  EXPECT_EQ(Pass("seqnext?"), "siseqnext=2");
  EXPECT_EQ(Pass("seqnext!"), "siseqnext=3");
  EXPECT_EQ(Pass("seqnext"), "siseqnext=1");
  EXPECT_EQ(Pass("seqnextcancel"), "siseqnext=0");
  EXPECT_EQ(Pass("if uia=1 then seqnext?"), "if uia=1 then siseqnext=2");
  EXPECT_EQ(Pass("seqforceon"), "siseqon=3");
  EXPECT_EQ(Pass("skipnextcancel"), "siskipnext=0");
  EXPECT_EQ(Pass("uiseqon=seqon_x"), "uiseqon=seqon_x");  // parts of names stay
}

TEST(KeywordPass, DollarConstantsDoNotDisturbEachOther) {
  EXPECT_EQ(Pass("a=$xy+$x*$xyz-$y"), "a=17+14*21-15");
  EXPECT_EQ(Pass("a=b$x+$x_1+$xa"), "a=b$x+$x_1+$xa");
  EXPECT_EQ(Pass("a=$zx+$xy_zx_yz+$xy_xz_yz"), "a=18+20+20");
  EXPECT_EQ(Pass("ssfmt=$doseol"), "ssfmt=chr(13)+chr(10)");
  EXPECT_EQ(Pass("a=$1sttoolchange+$threadcycle+$thread"), "a=26+81+20");
}

TEST(KeywordPass, CoordinateDirectivesAndAliases) {
  EXPECT_EQ(Pass("lathecoordrevxz"), "matrset(srxit_in,0,-1,0,0,0,1,-1,0,0)");
  EXPECT_EQ(Pass("lathecoord"), "matrset(srxit_in,0,1,0,0,0,1,1,0,0)");
  EXPECT_EQ(Pass("lathemillcoordrevx"), "matrset(srxit_in,0,0,-1,0,1,0,1,0,0)");
  EXPECT_EQ(Pass("postunits:inch"), "simetricpost=0");
  EXPECT_EQ(Pass("func finishing"), "func afinishing");
  EXPECT_EQ(PostFunctionNumber("afinishing"), 76);
  EXPECT_EQ(Pass("address _x"), "addres _x");
  EXPECT_EQ(Pass("addres _x"), "addres _x");
  EXPECT_EQ(Pass("a=srczxplane"), "a=srcxzplane");
  EXPECT_EQ(Pass("process"), "siprocess=1");
  EXPECT_EQ(Pass("call processend"), "call processend");
}

TEST(KeywordPass, SeqIniGetsAnOutputLineInFront) {
  Diagnostics diag;
  std::string label(1, kTokLabelLine);
  label += "7";
  std::vector<std::string> out =
      KeywordPass(diag, {WithLocation({2, 9}, "seqini"), label, WithLocation({0, 3}, "eachon")});
  EXPECT_EQ(out, (std::vector<std::string>{WithLocation({2, 9}, "o:!"),
                                           WithLocation({2, 9}, "srseq=srseqini"), label,
                                           WithLocation({0, 3}, "sieachon=1")}));
}

using KeywordPassFile = tornel_test::InMemory;

TEST_F(KeywordPassFile, InitErrorsNameTheLineOfThePrefix) {
  WriteFile("p.tr", "main\n");
  WriteFile("x.inc", "a\nb\n  Init: 5 5\n");
  Diagnostics diag;
  diag.post_file = "p.tr";
  diag.include_list = "\tx.inc\n";
  Quote(diag);
  std::vector<std::string> in{WithLocation({0, 1}, "main"), WithLocation({1, 3}, "init:5 5")};
  EXPECT_EQ(tornel_test::ReportOf(diag, [&] { KeywordPass(diag, in); }),
            "Error in include file - x.inc\n\nParameter 1 must be variable in Init statement in "
            "line 3:\n  Init: 5 5\n");
}

TEST_F(KeywordPassFile, RunsOnThePreprocessedText) {
  WriteFile("p.tr", "FUNC Finishing\n  SeqNext?  ; $X = $XY\nInit: ssName 'Kept'\n");
  Diagnostics diag;
  diag.post_file = "p.tr";
  Quote(diag);
  StackStore stacks;
  std::vector<std::string> out = KeywordPass(
      diag, Preprocess(diag, sources, stacks, kFirstStringLiteral,
                       ReadSourceLines(diag, sources, "p.tr")));
  std::string ref = std::string(1, kTokStringRef) + std::to_string(kFirstStringLiteral);
  EXPECT_EQ(out, (std::vector<std::string>{
                     WithLocation({0, 1}, "func afinishing"), WithLocation({0, 2}, "siseqnext=2"),
                     WithLocation({0, 2}, "14=17"),
                     WithLocation({0, 3}, "if(strlen(ssname)=0)ssname=" + ref)}));
}

TEST(KeywordPass, InitIsRewritten) {
  EXPECT_EQ(Pass("init:srfeed 100"), "if(srfeed=0)srfeed=100");
}

}  // namespace
}  // namespace tornel
