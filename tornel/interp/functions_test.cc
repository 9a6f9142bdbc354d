#include "tornel/interp/functions.h"

#include <gtest/gtest.h>

#include "tests/post_run.h"
#include "tornel/compiler/post_functions.h"
#include "tornel/driver/run_host.h"
#include "tornel/interp/arguments.h"
#include "tornel/interp/expression.h"

namespace tornel {
namespace {

// MAIN takes lines 1 to 10 before its body; functions follow it.
std::string Post(const std::string& body, const std::string& functions) {
  return "main\nvariable\nuiA\nuiB\nurA\nurB\nusA\nusB\nuiArr[3]\nend\n" + body + "end main\n" +
         functions;
}

const std::string kAdd = "func fiAdd(liA, liB)\nreturn liA + liB\nend func\n";

class Functions : public tornel_test::PostRun {};

TEST_F(Functions, ArgumentsAreEvaluatedBeforeTheLocalsAreCleared) {
  Run(Post("uiA = fiAdd(1, fiAdd(2, 3))\nuiB = fiAdd(fiAdd(1, 2), fiAdd(10, 20))\n", kAdd));
  EXPECT_EQ(Int("uiA"), 6);
  EXPECT_EQ(Int("uiB"), 33);
}

TEST_F(Functions, RecursionSharesOneSetOfLocals) {
  // Counting down works; but after the inner call liN holds the innermost
  // activation's value, so reading it afterwards sees 1.
  Run(Post("uiA = fiDown(5)\nuiB = fiAfter(5)\n",
           "func fiDown(liN)\nif (liN <= 1)\nreturn 1\nend\nreturn liN * fiDown(liN - 1)\nend func\n"
           "func fiAfter(liN)\nif (liN <= 1)\nreturn 1\nend\n"
           "return fiAfter(liN - 1) * liN\nend func\n"));
  EXPECT_EQ(Int("uiA"), 120);
  EXPECT_EQ(Int("uiB"), 1);
}

TEST_F(Functions, RecursionWithoutEndStopsAtTheNestingLimit) {
  const std::string limit =
      "Function calls and expressions nested more than " + std::to_string(kMaxNesting) +
      " levels deep in";
  auto message = [&](const std::string& post) {
    std::string report = ReportOf(post);
    size_t at = report.find("\n\n") + 2;
    return report.substr(at, report.find(" line ") - at);
  };
  // A procedure, a value function through its RETURN, a post function.
  EXPECT_EQ(message(Post("fvLoop\n", "func fvLoop\nuiA = uiA + 1\nfvLoop\nend func\n")), limit);
  // Each call is one level; its statement's operands take the last ones.
  EXPECT_GE(Int("uiA"), kMaxNesting - 2);
  EXPECT_LE(Int("uiA"), kMaxNesting);
  EXPECT_EQ(message(Post("uiA = fiLoop(1)\n",
                         "func fiLoop(liN)\nreturn fiLoop(liN + 1)\nend func\n")),
            limit);
  EXPECT_EQ(message(Post("ToolChange\n", "func ToolChange\nToolChange\nend func\n")), limit);
  // Deep expressions count alike: parentheses, signs and built-in calls.
  const std::string deep =
      std::string(kMaxNesting + 1, '(') + "1" + std::string(kMaxNesting + 1, ')');
  EXPECT_EQ(message(Post("urA = " + deep + "\n", "")), limit);
  std::string calls;
  for (int i = 0; i <= kMaxNesting; ++i) calls += "strcopy(";
  calls += "'ab'";
  for (int i = 0; i <= kMaxNesting; ++i) calls += ",1,2)";
  EXPECT_EQ(message(Post("usA = " + calls + "\n", "")), limit);
  // Within the limit nothing is refused, and the count starts afresh.
  const std::string ok =
      std::string(kMaxNesting - 5, '(') + "2" + std::string(kMaxNesting - 5, ')');
  Run(Post("urA = " + ok + "\nurB = " + ok + "\n", ""));
  EXPECT_EQ(Real("urB"), 2);
  EXPECT_EQ(ctx.interp.nesting, 0);
}

TEST_F(Functions, ParametersByValue) {
  Run(Post("uiA = fiWhole(2.9)\nurA = frHalf(3)\nusA = fsJoin('ab', usB + 'c')\n"
           "urB = fiHalf(3)\nfvSet(7)\n",
           "func fiWhole(liX)\nreturn liX\nend func\n"
           "func frHalf(lrX)\nreturn lrX / 2\nend func\n"
           "func fsJoin(lsA, lsB)\nreturn lsA + '-' + lsB\nend func\n"
           "func fiHalf(liX)\nreturn liX / 2\nend func\n"
           "func fvSet(liV)\nuiB = liV\nend func\n"));
  EXPECT_EQ(Int("uiA"), 2);
  EXPECT_EQ(Real("urA"), 1.5);
  EXPECT_EQ(Str("usA"), "ab-c");
  EXPECT_EQ(Real("urB"), 1.5);  // a USER INT result is not truncated
  EXPECT_EQ(Int("uiB"), 7);
}

TEST_F(Functions, InOutParametersAreCopiedBack) {
  const std::string functions =
      "func fvInc(!liV)\nliV = liV + 1\nend func\n"
      "func fvScale(!lrV)\nlrV = lrV * 2.5\nend func\n"
      "func fvAppend(!lsS)\nlsS = lsS + 'x'\nend func\n";
  Run(Post("uiA = 4\nfvInc(uiA)\n"
           "urA = 2.5\nfvInc(urA)\n"  // a real into an integer parameter: truncated
           "uiArr[2] = 9\nfvInc(uiArr[2])\n"
           "uiB = 3\nfvScale(uiB)\n"  // 7.5 back into an integer: truncated
           "usA = 'a'\nfvAppend(usA)\nfvAppend(ssNcExt)\n",
           functions));
  EXPECT_EQ(Int("uiA"), 5);
  EXPECT_EQ(Real("urA"), 3);
  EXPECT_EQ(Int("uiArr", 2), 10);
  EXPECT_EQ(Int("uiB"), 7);
  EXPECT_EQ(Str("usA"), "ax");
  EXPECT_EQ(Str("ssNcExt"), "x");

  EXPECT_EQ(ReportOf(Post("fvInc(2 * uiA)\n", functions)),
            Report("Parameter 1 must be INTEGER or REAL variable in USER VOID function in", 11,
                   "fvInc(2 * uiA)"));
  EXPECT_EQ(ReportOf(Post("fvInc(usA)\n", functions)),
            Report("Parameter 1 must be INTEGER or REAL variable in USER VOID function in", 11,
                   "fvInc(usA)"));
  EXPECT_EQ(ReportOf(Post("fvAppend('lit')\n", functions)),
            Report("Parameter 1 must be STRING variable in USER VOID function in", 11,
                   "fvAppend('lit')"));
}

TEST_F(Functions, ArgumentMessagesNameTheFunction) {
  auto report = [&](const std::string& line, const std::string& message) {
    EXPECT_EQ(ReportOf(Post(line + "\n", kAdd)), Report(message, 11, line)) << line;
  };
  report("uiA = fiAdd(1, 2, 3)", "There can't be more than 2 parameters in USER INT function in");
  report("uiA = fiAdd(1)", "Parameter 2 is missing from USER INT function in");
  report("uiA = fiAdd + 1", "Left parenthesis ( is missing from USER INT function in");
  report("uiA = fiAdd(1, 2", "Right parenthesis ) is missing from USER INT function in");
  report("uiA = fiAdd('a', 1)", "Wrong data type in parameter 1 in USER INT function in");
  report("uiA = fiAdd(1, 'b')", "Wrong data type in parameter 2 in USER INT function in");
  // The outer call's name again after an inner call.
  report("uiA = fiAdd(fiAdd(1, 2), 'b')", "Wrong data type in parameter 2 in USER INT function in");
  report("uiA = fiAdd(1, 2) = 3", "Invalid assignation in");
  // Errors after a call are reported at the caller's line.
  report("uiA = fiAdd(1, 2) + 'x'", "Expression with different data types in");
}

TEST_F(Functions, ParameterlessFunctionsTakeNoParentheses) {
  const std::string functions = "func fiSeven\nreturn 7\nend func\nfunc fvNone()\nuiB = 1\nend func\n";
  Run(Post("uiA = fiSeven + 1\nfvNone\nif (fiSeven = 7)\nurA = 1\nend\n", functions));
  EXPECT_EQ(Int("uiA"), 8);
  EXPECT_EQ(Int("uiB"), 1);
  EXPECT_EQ(Real("urA"), 1);  // '=' after a call in a condition is the comparison
  EXPECT_EQ(ReportOf(Post("uiA = fiSeven(1)\n", functions)),
            Report(kMsgInvalidExpression, 11, "uiA = fiSeven(1)"));
  EXPECT_EQ(ReportOf(Post("fvNone()\n", functions)),
            Report(kMsgInvalidExpression, 11, "fvNone()"));
}

TEST_F(Functions, ReturnRules) {
  // Lines: MAIN ends on 12; the function starts on 13.
  EXPECT_EQ(ReportOf(Post("fvV\n", "func fvV\nreturn 1\nend func\n")),
            Report(kMsgReturnFromVoid, 14, "return 1"));
  EXPECT_EQ(ReportOf(Post("ToolChange\n", "func ToolChange\nreturn 2\nend func\n")),
            Report(kMsgReturnFromPost, 14, "return 2"));
  EXPECT_EQ(ReportOf(Post("uiA = fiNone(1)\n", "func fiNone(liA)\nliA = 2\nend func\n")),
            Report("No value returned from USER INT function in", 15, "end func"));
  EXPECT_EQ(ReportOf(Post("usA = fsNone\n", "func fsNone\nend func\n")),
            Report("No value returned from USER STR function in", 14, "end func"));
  EXPECT_EQ(ReportOf(Post("uiA = fiBare\n", "func fiBare\nreturn\nend func\n")),
            Report(kMsgInvalidExpression, 14, "return"));
  EXPECT_EQ(ReportOf(Post("usA = fsNum\n", "func fsNum\nreturn 1\nend func\n")),
            Report(kMsgReturnedWrongType, 14, "return 1"));
  EXPECT_EQ(ReportOf(Post("uiA = frStr\n", "func frStr\nreturn 'a'\nend func\n")),
            Report(kMsgReturnedWrongType, 14, "return 'a'"));
  EXPECT_EQ(ReportOf(Post("uiA = fvV\n", "func fvV\nend func\n")),
            Report("Void type funtion can't be in expression in", 11, "uiA = fvV"));
  EXPECT_EQ(ReportOf(Post("fvV = 1\n", "func fvV\nend func\n")),
            Report(kMsgInvalidAssignation, 11, "fvV = 1"));
  // RETURN alone ends a function without result early.
  Run(Post("fvEarly\n", "func fvEarly\nuiA = 1\nreturn\nuiA = 2\nend func\n"));
  EXPECT_EQ(Int("uiA"), 1);
}

TEST_F(Functions, RunAtLabelKeepsLocalsWhileACallClearsThem) {
  Run(Post("if (uiB = 1)\nToolChange\nend\n",
           "func ToolChange\nvariable\nliCount\nend\nliCount = liCount + 1\nuiA = liCount\n"
           "end func\n"
           "func ProgStart\nuiB = 5\nreturn 1 / 0\nend func\n"));
  EXPECT_EQ(Int("uiA"), 0);
  int tool_change = PostFunctionNumber("ToolChange");
  RunPostFunction(ctx, tool_change);
  RunPostFunction(ctx, tool_change);
  EXPECT_EQ(Int("uiA"), 2);
  RunPostFunction(ctx, PostFunctionNumber("ProgStart"));  // what follows RETURN is not evaluated
  EXPECT_EQ(Int("uiB"), 5);
  tornel_test::SetInt(ctx, "uib", 1);
  RunMainSections(ctx);  // calls ToolChange from the post: cleared locals
  EXPECT_EQ(Int("uiA"), 1);
  RunPostFunction(ctx, tool_change);
  EXPECT_EQ(Int("uiA"), 2);
  RunPostFunction(ctx, PostFunctionNumber("ProcessEnd"));  // not defined: skipped
}

TEST_F(Functions, BuiltinsTakeTheirArgumentsFromTheProgram) {
  Run(Post("urA = sign(0) + abs(-2) * max(1, 3)\nurB = rot360(-30)\nuiA = fiAdd(int(2.7), 1)\n",
           kAdd));
  EXPECT_EQ(Real("urA"), 7);
  EXPECT_EQ(Real("urB"), 330);
  EXPECT_EQ(Int("uiA"), 3);
  EXPECT_EQ(ReportOf(Post("urA = max(1, 2, 3)\n", kAdd)),
            Report("There can't be more than 2 parameters in MAX function in", 11,
                   "urA = max(1, 2, 3)"));
  EXPECT_EQ(ReportOf(Post("urA = rot360(1 'a')\n", kAdd)),
            Report("Right parenthesis ) is missing from ROT360 function in", 11,
                   "urA = rot360(1 'a')"));
}

}  // namespace
}  // namespace tornel
