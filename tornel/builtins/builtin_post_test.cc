// Built-in functions and settings statements in compiled posts: the name
// pass, the settings pass, the interpreter's argument fetching and the
// dispatchers working together.
#include <gtest/gtest.h>

#include "tests/post_run.h"

namespace tornel {
namespace {

// MAIN takes lines 1 to 8 before its body.
std::string Post(const std::string& body) {
  return "main\nvariable\nurA\nurB\nurC\nurD\nuiA\nend\n" + body + "end main\n";
}

class BuiltinPost : public tornel_test::PostRun {};

TEST_F(BuiltinPost, ArithmeticInExpressions) {
  Run(Post("urA = sign(0) + 10 * sign(-0.0001)\n"
           "urB = round(2.5, 1) * 10 + round(-2.5, 1)\n"
           "urC = trunc(-7.9, 1)\n"
           "urD = atan2(1, 0) + atan2(0, -1) / 1000\n"
           "uiA = int(-3.7) * 10 + hypot3(1, 2, 2)\n"));
  EXPECT_EQ(Real("urA"), -9);
  EXPECT_EQ(Real("urB"), 28);
  EXPECT_EQ(Real("urC"), -7);
  EXPECT_EQ(Real("urD"), 90.18);
  EXPECT_EQ(Int("uiA"), -27);
}

TEST_F(BuiltinPost, AccuracyComesFromTheRotarySetting) {
  Run(Post("rotary: table z 1 0 -360 360 0.5 0 0 0\n"
           "urA = rot360(-9.8)\n"
           "urB = rot360(-9.8, 0)\n"
           "urC = ang360(-90.2, 0)\n"
           "urD = rot180(max(180, min(-180, 5)))\n"));
  EXPECT_EQ(Real("srRotAccuracy"), 0.5);
  EXPECT_EQ(Int("siRotType"), 12);
  EXPECT_EQ(Real("urA"), 350);
  EXPECT_NEAR(Real("urB"), 350.2, 1e-9);
  EXPECT_EQ(Real("urC"), -270);
  EXPECT_EQ(Real("urD"), 180);
}

TEST_F(BuiltinPost, SettingsStatementsAssignWhenTheyRun) {
  Run(Post("srcArcCw = 7\nsrcHelicCw = 8\n"
           "interp: 0 1\n"
           "spindle: 5 3-4\n"
           "comment: '(' ')' noseq noupper\n"
           "coolant: 9 8 7; units: yes no\n"));
  EXPECT_EQ(Real("srcRapid"), 0);
  EXPECT_EQ(Real("srcLine"), 1);
  EXPECT_EQ(Real("srcArcCw"), 7);  // interp: 0 1 leaves the arc codes alone
  EXPECT_EQ(Real("srcHelicCw"), 8);
  EXPECT_EQ(Real("srcSpStop"), 5);
  EXPECT_EQ(Real("srcSpCw"), 3);
  EXPECT_EQ(Real("srcSpCcw"), -4);
  EXPECT_EQ(Str("ssComStart"), "(");
  EXPECT_EQ(Str("ssComEnd"), ")");
  EXPECT_EQ(Int("siCommentOn"), 1);
  EXPECT_EQ(Int("siCommentNoSeq"), 1);
  EXPECT_EQ(Real("srcCoolMist"), 7);
  EXPECT_EQ(Real("srcMetric"), 1);
  EXPECT_EQ(Real("srcInch"), 0);
}

TEST_F(BuiltinPost, SeqNumsTakesTheAddressNumber) {
  Run(Post("addres\n_x 'X' +4.3\n_n 'N' >4\nend addres\n"
           "srSeq = 500\n"
           "seqnums: yes _n 10 5 9999\n"));
  EXPECT_EQ(Int("siSeqOn"), 1);
  EXPECT_EQ(Int("siSeqAddr"), 2);
  EXPECT_EQ(Real("srSeqIni"), 10);
  EXPECT_EQ(Real("srSeqInc"), 5);
  EXPECT_EQ(Real("srSeqMax"), 9999);
  EXPECT_EQ(Real("srSeq"), 10);  // restarts from the new initial value
}

TEST_F(BuiltinPost, RunTimeRefusalsNameTheFunctionAndTheLine) {
  EXPECT_EQ(ReportOf(Post("urA = 1\nurB = asin(urA + 0.0000001)\n")),
            Report("Parameter is greater than 1 in ASIN function in", 10,
                   "urB = asin(urA + 0.0000001)"));
  EXPECT_EQ(ReportOf(Post("urA = rot360(1, 2, 3)\n")),
            Report("There can't be more than 2 parameters in ROT360 function in", 9,
                   "urA = rot360(1, 2, 3)"));
  EXPECT_EQ(ReportOf(Post("urA = rot180(1 urB)\n")),
            Report("Right parenthesis ) is missing from ROT180 function in", 9,
                   "urA = rot180(1 urB)"));
  EXPECT_EQ(ReportOf(Post("urA = min(1)\n")),
            Report("Parameter 2 is missing from MIN function in", 9, "urA = min(1)"));
  EXPECT_EQ(ReportOf(Post("urA = sqrt('4')\n")),
            Report("Wrong data type in parameter 1 in SQRT function in", 9, "urA = sqrt('4')"));
  EXPECT_EQ(ReportOf(Post("urA = 1 + matrreset(urB)\n")),
            Report("Void type funtion can't be in expression in", 9,
                   "urA = 1 + matrreset(urB)"));
}

TEST_F(BuiltinPost, SettingsRefusalsStopTheCompile) {
  EXPECT_EQ(ReportOf(Post("urA = 1\nfeed: 1 2\n")),
            Report("Parameter 3 (Inv Time) missing from Feed statement in", 10, "feed: 1 2"));
  EXPECT_EQ(ReportOf(Post("seqnums: yes 10 10 10 9999\n")),
            Report("Invalid parameter 2 (must be Address) in SeqNums statement in", 9,
                   "seqnums: yes 10 10 10 9999"));
}

}  // namespace
}  // namespace tornel
