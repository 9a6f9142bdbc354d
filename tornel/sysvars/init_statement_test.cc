#include "tornel/sysvars/init_statement.h"

#include <gtest/gtest.h>

#include "tests/fatal_report.h"
#include "tests/in_memory.h"
#include "tornel/compiler/tokens.h"

namespace tornel {
namespace {

// A string reference as the preprocessor writes it.
std::string Str(int number) { return std::string(1, kTokStringRef) + std::to_string(number); }

TEST(InitStatement, BecomesAConditionalAssignment) {
  Diagnostics diag;
  EXPECT_EQ(RewriteInitStatement(diag, "init:srfeed 100"), "if(srfeed=0)srfeed=100");
  EXPECT_EQ(RewriteInitStatement(diag, "init:uicount uimax*2"), "if(uicount=0)uicount=uimax*2");
  EXPECT_EQ(RewriteInitStatement(diag, "init:ssname" + Str(822)),
            "if(strlen(ssname)=0)ssname=" + Str(822));
  EXPECT_EQ(RewriteInitStatement(diag, "init:usname " + Str(900)),
            "if(strlen(usname)=0)usname=" + Str(900));
  EXPECT_EQ(RewriteInitStatement(diag, "init:uiarr(2) 5"), "if(uiarr(2)=0)uiarr(2)=5");
  // Normalising joins "srfeed -1"; the sign then ends the variable.
  EXPECT_EQ(RewriteInitStatement(diag, "init:srfeed-1"), "if(srfeed=0)srfeed=-1");
  EXPECT_EQ(RewriteInitStatement(diag, "init:uiarr(i-1)+2"), "if(uiarr(i-1)=0)uiarr(i-1)=+2");
  // Statements without the keyword, and names that merely contain it.
  EXPECT_EQ(RewriteInitStatement(diag, "uinit:=1"), "uinit:=1");
  EXPECT_EQ(RewriteInitStatement(diag, "a=b"), "a=b");
  EXPECT_EQ(diag.error_flag, 0);
}

class InitErrors : public tornel_test::InMemory {
 protected:
  // The report for `statement` written on line 1 of the post file.
  std::string ReportFor(const std::string& statement) {
    WriteFile("p.tr", statement + "\n");
    Diagnostics diag;
    diag.post_file = "p.tr";
    Quote(diag);
    diag.loc = {0, 1};
    return tornel_test::ReportOf(diag, [&] { RewriteInitStatement(diag, statement); });
  }
  static std::string Expected(const std::string& message, const std::string& statement) {
    return "Error in postprocessor file - p.tr\n\n" + message + " line 1:\n" + statement + "\n";
  }
};

TEST_F(InitErrors, EachMessage) {
  EXPECT_EQ(ReportFor("a=1 init:srx 1"), Expected("Invalid Init statement in", "a=1 init:srx 1"));
  EXPECT_EQ(ReportFor("init:"), Expected("Parameters missing in Init statement in", "init:"));
  EXPECT_EQ(ReportFor("init:srfeed"),
            Expected("Parameter 2 missing in Init statement in", "init:srfeed"));
  const std::string too_many =
      "Too many parameters (must be only two: variable and value) in Init statement in";
  EXPECT_EQ(ReportFor("init:srfeed 1 2"), Expected(too_many, "init:srfeed 1 2"));
  std::string two_strings = "init:ssa" + Str(822) + "+" + Str(823);
  EXPECT_EQ(ReportFor(two_strings), Expected(too_many, two_strings));
  const std::string not_variable = "Parameter 1 must be variable in Init statement in";
  EXPECT_EQ(ReportFor("init:lifoo 1"), Expected(not_variable, "init:lifoo 1"));
  EXPECT_EQ(ReportFor("init:sxfoo 1"), Expected(not_variable, "init:sxfoo 1"));
  EXPECT_EQ(ReportFor("init:5 5"), Expected(not_variable, "init:5 5"));
}

}  // namespace
}  // namespace tornel
