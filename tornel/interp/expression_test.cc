#include "tornel/interp/expression.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "tests/post_run.h"
#include "tornel/base/table_growth.h"
#include "tornel/compiler/loader.h"
#include "tornel/compiler/variable_declarations.h"

namespace tornel {
namespace {

// The body starts on line 11 of the post file.
constexpr int kBodyLine = 11;
std::string Main(const std::string& body) {
  return "main\nvariable\nuiA\nuiB\nurA\nurB\nusA\nusB\nuiArr[3]\nend\n" + body + "end main\n";
}

class Expressions : public tornel_test::PostRun {
 protected:
  double RealOf(const std::string& expression) {
    Run(Main("urA = " + expression + "\n"));
    return Real("urA");
  }
  int IntOf(const std::string& expression) {
    Run(Main("uiA = " + expression + "\n"));
    return Int("uiA");
  }
  std::string StrOf(const std::string& expression) {
    Run(Main("usA = " + expression + "\n"));
    return Str("usA");
  }
  // The report for a body whose line `n` (from 1) fails.
  std::string ReportAt(const std::string& body, int n, const std::string& message) {
    std::string line = body;
    for (int i = 1; i < n; ++i) line = line.substr(line.find('\n') + 1);
    line = line.substr(0, line.find('\n'));
    EXPECT_EQ(ReportOf(Main(body)), Report(message, kBodyLine + n - 1, line)) << body;
    return ctx.diag.last_error;
  }
};

TEST_F(Expressions, PrecedenceAndAssociativity) {
  EXPECT_EQ(RealOf("2+3*4"), 14);
  EXPECT_EQ(RealOf("(2+3)*4"), 20);
  EXPECT_EQ(RealOf("7-2-1"), 4);
  EXPECT_EQ(RealOf("8/2/2"), 2);
  EXPECT_EQ(RealOf("2*3-8/4"), 4);
  // Unary minus takes the primary after it: -a*b is (-a)*b.
  EXPECT_EQ(RealOf("-2*3+1"), -5);
  EXPECT_EQ(RealOf("2*-3"), -6);
  EXPECT_EQ(RealOf("--2"), 2);
  EXPECT_EQ(RealOf("+5-+2"), 3);
  EXPECT_EQ(RealOf("1.5+.25"), 1.75);
  EXPECT_EQ(RealOf("0/7"), 0);
  // and/or are one level, left to right; comparisons another.
  EXPECT_EQ(IntOf("1 or 0 and 0"), 0);
  EXPECT_EQ(IntOf("0 and 0 or 1"), 1);
  EXPECT_EQ(IntOf("1 and 2"), 1);
  EXPECT_EQ(IntOf("3 > 2 > 1"), 0);  // (3>2) is 1, and 1>1 is 0
  EXPECT_EQ(IntOf("1 < 2 and 2 <= 2"), 1);
  EXPECT_EQ(IntOf("1+1 >= 3"), 0);
  EXPECT_EQ(IntOf("2 <> 2"), 0);
}

TEST_F(Expressions, ComparisonsAreExact) {
  Run(Main("if (0.1+0.2 = 0.3)\nuiA = 1\nelse\nuiA = 2\nend\n"
           "uiB = 0.1+0.2 <> 0.3\n"
           "if (0.5)\nurA = 1\nend\n"
           "if (-0.0 or 0)\nurB = 1\nend\n"));
  EXPECT_EQ(Int("uiA"), 2);
  EXPECT_EQ(Int("uiB"), 1);
  EXPECT_EQ(Real("urA"), 0);  // a condition counts by its integer part
  EXPECT_EQ(Real("urB"), 0);  // -0 is zero
}

TEST_F(Expressions, ConditionsAndIndexesDoNotWrap) {
  // Only a store into an integer variable keeps the low 32 bits: a
  // condition counts by its whole integer part, an index is checked whole.
  // The language writes no exponents: 1e308 and 1e300 are spelt out.
  const std::string e308 = "1" + std::string(308, '0');
  const std::string e300 = "1" + std::string(300, '0');
  Run(Main("if (4294967296)\nuiA = 1\nend\n"
           "if (-4294967296.5)\nuiB = 1\nend\n"
           "repeat\nurA = urA + 1\nuntil (" + e308 + ")\n"
           "while (0.9)\nurB = 5\nend\n"));
  EXPECT_EQ(Int("uiA"), 1);
  EXPECT_EQ(Int("uiB"), 1);
  EXPECT_EQ(Real("urA"), 1);  // UNTIL ended the loop after one round
  EXPECT_EQ(Real("urB"), 0);
  const std::string range = "Invalid array variable index:\nIndex value must be from 1 to 3. ";
  ReportAt("uiA = uiArr[4294967297]\n", 1, range + "There is index value 4294967297 in");
  ReportAt("uiArr[-4294967295] = 1\n", 1, range + "There is index value -4294967295 in");
  ReportAt("uiA = uiArr[-0.5]\n", 1, range + "There is index value 0 in");
  ReportAt("uiA = uiArr[" + e300 + " * 2]\n", 1,
           range + "There is index value " + IntegerPartText(2e300) + " in");
}

TEST_F(Expressions, IntegerVariablesTruncateAndWrap) {
  EXPECT_EQ(IntOf("2.9"), 2);
  EXPECT_EQ(IntOf("-2.9"), -2);
  EXPECT_EQ(IntOf("4294967297"), 1);
  EXPECT_EQ(IntOf("2147483648"), -2147483647 - 1);
  EXPECT_EQ(TruncateToInt32(-4294967296.5), 0);
  EXPECT_EQ(TruncateToInt32(1e300), 0);
  EXPECT_EQ(TruncateToInt32(std::numeric_limits<double>::quiet_NaN()), 0);
  // The value of an assignment is the value stored.
  Run(Main("urA = uiB = 2.7\nuiA = urB = 3.5\n"));
  EXPECT_EQ(Int("uiB"), 2);
  EXPECT_EQ(Real("urA"), 2);
  EXPECT_EQ(Real("urB"), 3.5);
  EXPECT_EQ(Int("uiA"), 3);
}

TEST_F(Expressions, Strings) {
  EXPECT_EQ(StrOf("'ab' + 'cd'"), "abcd");
  EXPECT_EQ(IntOf("'b' > 'a'"), 1);
  EXPECT_EQ(IntOf("'B' < 'a'"), 1);     // byte by byte, case-sensitive
  EXPECT_EQ(IntOf("'ab' < 'abc'"), 1);
  EXPECT_EQ(IntOf("'x' + 'y' <> 'xy'"), 0);
  // Long texts and nested joins keep every operand.
  Run(Main("usB = 'a text longer than the short buffer'\n"
           "usA = usB + ' / ' + ('(' + usB + ')') + usB\n"
           "uiA = usA + '' <> usB\n"));
  const std::string b = "a text longer than the short buffer";
  EXPECT_EQ(Str("usA"), b + " / (" + b + ")" + b);
  EXPECT_EQ(Str("usB"), b);
  EXPECT_EQ(Int("uiA"), 1);
}

TEST_F(Expressions, AssignmentIsAnExpression) {
  Run(Main("uiA = uiB = 3\nusA = usB = 'q'\nurA = 1 + (urB = 2)\n"));
  EXPECT_EQ(Int("uiA"), 3);
  EXPECT_EQ(Int("uiB"), 3);
  EXPECT_EQ(Str("usA"), "q");
  EXPECT_EQ(Str("usB"), "q");
  EXPECT_EQ(Real("urA"), 3);
  EXPECT_EQ(Real("urB"), 2);
}

TEST_F(Expressions, ArraysCountFromOne) {
  Run(Main("uiArr[1] = 5\nuiArr[1+1] = uiArr[1] * 2\nuiArr[3.9] = uiArr[uiArr[1]-3] + 1\n"));
  EXPECT_EQ(Int("uiArr", 1), 5);
  EXPECT_EQ(Int("uiArr", 2), 10);
  EXPECT_EQ(Int("uiArr", 3), 11);
}

TEST_F(Expressions, ArrayIndexMessages) {
  const std::string range = "Invalid array variable index:\nIndex value must be from 1 to 3. ";
  ReportAt("uiA = uiArr[0]\n", 1, range + "There is index value 0 in");
  ReportAt("uiB = 3\nuiArr[uiB+1] = 1\n", 2, range + "There is index value 4 in");
  ReportAt("uiA = uiArr[-1.5]\n", 1, range + "There is index value -1 in");
  ReportAt("uiA = uiArr(1)\n", 1, kMsgIndexMissing);
  ReportAt("uiA = uiArr.5\n", 1, kMsgLeftBracketMissing);
  ReportAt("uiA = uiArr[1\n", 1, kMsgRightBracketMissing);
  ReportAt("uiA = uiB[1]\n", 1, "Invalid use of left bracket [ in");
}

TEST_F(Expressions, ANumberAfterANameIsRefusedWhenCompiling) {
  // Compiled, a reference is its byte and a decimal number: a number after
  // it would join that number and name another slot of the tables.
  for (const char* text :
       {"uiB 1000 = 5", "urA = usB 1000000", "urA = 'a' 5", "siRecs 100000 = 1",
        "o: usA 100000", "urA = frPerTooth 2147483647(400,0)", "uiArr 2 = 1", "uiA = uiB yes"}) {
    const std::string statement = text;
    std::string post = Main(statement + "\n") + "func frPerTooth(lrA, lrB)\nreturn 1\nend func\n";
    std::string report = ReportOf(post);
    EXPECT_EQ(report, Report(kMsgInvalidExpression, kBodyLine, statement)) << statement;
    // Refused by the compiler: no program was loaded.
    EXPECT_FALSE(ctx.program_loaded) << statement;
  }
}

TEST_F(Expressions, TokenBytesWrittenInThePostAreCheckedWhenLoading) {
  // Bytes above 127 outside string literals reach the program as they
  // stand; the loader refuses the references they make up.
  for (std::string body : {"uiA = \x82" "99999\n", "\x83" "7|100000[1] = 1\n",
                           "\x8a\xbe" "123456\n", "jump \xa7" "4000\n"}) {
    EXPECT_EQ(ReportOf(Main(body)), kMsgIllegalReference) << body;
    EXPECT_FALSE(ctx.program_loaded);
  }
}

TEST_F(Expressions, ArraysAndValueTablesHaveLimits) {
  auto body = [](const std::string& decls) {
    return "main\nvariable\n" + decls + "end\nend main\n";
  };
  // 7.8 GB if it were taken: refused before anything is allocated.
  EXPECT_EQ(ReportOf(body("urA\nurB[1000000000]\n")),
            Report(FormatMessage(kMsgArrayTooLarge, {std::to_string(kArrayLimit)}), 4,
                   "urB[1000000000]"));
  EXPECT_EQ(ReportOf("main\nend main\nfunc fvX\nend func\n"
                     "func fvY\nvariable\nliA[1000001]\nend\nend func\n"),
            Report(FormatMessage(kMsgArrayTooLarge, {std::to_string(kArrayLimit)}), 7,
                   "liA[1000001]"));
  EXPECT_EQ(ReportOf(body("urA[1000000]\nurB[1000000]\nurC[1000000]\nurD[1000000]\n")),
            Report(FormatMessage(kMsgTooManyVariables, {std::to_string(kValueTableLimit)}), 6,
                   "urD[1000000]"));
  // At the array limit a post compiles and runs.
  Run(body("usA[1000000]\n") + "main\nusA[1000000] = 'end'\nend main\n");
  EXPECT_EQ(Str("usA", kArrayLimit), "end");
}

TEST_F(Expressions, TypeAndArithmeticMessages) {
  ReportAt("usA = 'ab' + 1\n", 1, kMsgDifferentTypes);
  ReportAt("urA = 1 + 'ab'\n", 1, kMsgDifferentTypes);
  ReportAt("usA = 'ab' - 'a'\n", 1, kMsgStringNotAllowed);
  ReportAt("urA = 2 - usA\n", 1, kMsgStringNotAllowed);
  ReportAt("urA = 'a' * 2\n", 1, kMsgStringNotAllowed);
  ReportAt("urA = -usA\n", 1, kMsgStringNotAllowed);
  ReportAt("uiA = usA and 1\n", 1, kMsgStringNotAllowed);
  ReportAt("uiA = 'a' < 1\n", 1, kMsgCompareTypes);
  ReportAt("if (1 = usA)\nend\n", 1, kMsgCompareTypes);
  ReportAt("uiA = 'x'\n", 1, kMsgAssignTypes);
  ReportAt("usA = 1\n", 1, kMsgAssignTypes);
  ReportAt("urA = 1\nurA = 5 / (urA - 1)\n", 2, kMsgDivisionByZero);
  ReportAt("urA = 5 / -0\n", 1, kMsgDivisionByZero);
}

TEST_F(Expressions, SyntaxMessages) {
  ReportAt("urA = (1 + 2\n", 1, "Right parenthesis ) is missing from");
  ReportAt("urA = )\n", 1, kMsgInvalidExpression);
  ReportAt("urA = 1 (2)\n", 1, kMsgInvalidExpression);
  ReportAt("urA = 2 *\n", 1, kMsgInvalidExpression);
}

TEST_F(Expressions, UndefinedNamesAreReportedByTheirPrefix) {
  ReportAt("uiCoutn = 1\n", 1, "Undefined variable name \"uicoutn\" in");
  ReportAt("uiA = 2 * urWidht\n", 1, "Undefined variable name \"urwidht\" in");
  ReportAt("urA = #feed\n", 1, "Undefined constant name \"#feed\" in");
  ReportAt("urA = fiNothing(2)\n", 1, "Undefined function \"finothing\" in");
  ReportAt("urA = _xx\n", 1, "Undefined addres name \"_xx\" in");
  ReportAt("urA = whatever + 1\n", 1, "Unrecognized term \"whatever\" in");
  ReportAt("liLocal = 1\n", 1, "Unrecognized term \"lilocal\" in");
}

}  // namespace
}  // namespace tornel
