// The string built-ins called from a compiled post: argument kinds,
// variables changed in place, StrWri's format argument and the refusals.
#include "tornel/builtins/string_calls.h"

#include <gtest/gtest.h>

#include "tests/post_run.h"
#include "tornel/base/table_growth.h"

namespace tornel {
namespace {

// MAIN takes lines 1 to 7 before its body.
std::string Post(const std::string& body) {
  return "main\nvariable\nusA\nusB\nurA\nurB\nend\n" + body + "end main\n";
}

class StringPost : public tornel_test::PostRun {};

TEST_F(StringPost, VariablesChangeInPlace) {
  Run(Post("usA = 'ABCDEF'\n"
           "usB = strins(usA, 'xy', 3) + '/' + strrcopy(usA, 1, 2)\n"
           "urA = strrep(usA, 'x', 'zz')\n"
           "urB = strfindaddr('XY1X2', 'X') * 10 + strfindword('X1 X', 'X')\n"));
  EXPECT_EQ(Str("usA"), "ABzzyCDEF");
  EXPECT_EQ(Str("usB"), "ABxyCDEF/EF");
  EXPECT_EQ(Real("urA"), 1);
  EXPECT_EQ(Real("urB"), 44);
}

TEST_F(StringPost, ConvertAndOptionalArguments) {
  Run(Post("usA = 'ab_c'\n"
           "usB = strconv(usA, 1000) + tab(1) + chr(65)\n"
           "urA = strlen(tab(1, 2)) + strval('-1.5')\n"));
  EXPECT_EQ(Str("usA"), "ab c");
  EXPECT_EQ(Str("usB"), "ab c\tA");
  EXPECT_EQ(Real("urA"), 1.5);
  EXPECT_EQ(Int("siCommentAlphaNum"), 0);  // restored
}

TEST_F(StringPost, StrWriTakesAnAddressOrAFormatInPlace) {
  // The separator is set here: the defaults come after MAIN.
  Run(Post("ssDecSepar = '.'\naddres\n_x 'X' +4.3 'mm'\nend addres\n"
           "usA = strwri({_x}, -1.5)\n"
           "usB = strwri(>4.1<, 12.26) + '/' + strwri(3.2, -1.5)\n"));
  EXPECT_EQ(Str("usA"), "-0001.500");
  EXPECT_EQ(Str("usB"), "12.3/001.50");  // no sign symbol: no sign
}

// Addresses selected by number, as in an output statement: _Addr[n] is
// the n-th address declared.
TEST_F(StringPost, StrWriTakesAnAddressByNumber) {
  const std::string addresses =
      "ssDecSepar = '.'\naddres\n_x 'X' +4.3\n_y 'Y' 3.1\n_f 'F' >4.1<\nend addres\n"
      "urA = 2\n";
  Run(Post(addresses + "usA = strwri({_addr[1]}, 1.5) + '/' + strwri({_addr[3]}, 12.26)\n"
                       "usB = strwri({_addr[urA]}, -1.5) + '/' + strwri({_addr[urA + 1.9]}, 7)\n"));
  EXPECT_EQ(Str("usA"), "+0001.500/12.3");  // the first and the last address
  EXPECT_EQ(Str("usB"), "001.5/7.");        // an expression; cut toward zero
  for (const char* call :
       {"strwri({_addr[0]}, 1)", "strwri({_addr[4]}, 1)", "strwri({_addr['x']}, 1)"}) {
    std::string line = std::string("usA = ") + call;
    EXPECT_EQ(ReportOf(Post(addresses + line + "\n")),
              Report("Invalid addres expression in", 15, line))
        << call;
  }
  EXPECT_EQ(ReportOf(Post(addresses + "usA = strwri({_addr[1], 1)\n")),
            Report("Right brace } is missing from parameter 1 in STRWRI function in", 15,
                   "usA = strwri({_addr[1], 1)"));
}

TEST_F(StringPost, StrWriKeepsTheSignOfANegativeZero) {
  // An NC word's value writes -0.0001 as +0.000; StrWri makes no such
  // correction, and writes the metric digits even in inch mode.
  Run(Post("ssDecSepar = '.'\nsiMetric = 0\naddres\n_x 'X' +23.34\nend addres\n"
           "usA = strwri(+2.3, -0.0001)\nusB = strwri({_x}, -0.0001) + strwri(+2.3, 0.0001)\n"));
  EXPECT_EQ(Str("usA"), "-00.000");
  EXPECT_EQ(Str("usB"), "-00.000+00.000");
}

TEST_F(StringPost, Refusals) {
  EXPECT_EQ(ReportOf(Post("urA = strval(' 12')\n")),
            Report("Invalid number string in Parameter 1 in STRVAL function in", 8,
                   "urA = strval(' 12')"));
  EXPECT_EQ(ReportOf(Post("urA = ascval('A', 2)\n")),
            Report("Invalid string index in Parameter 2 in ASCVAL function in", 8,
                   "urA = ascval('A', 2)"));
  EXPECT_EQ(ReportOf(Post("usA = strrspc(usB, 5)\n")),
            Report("Invalid value in Parameter 2 in STRRSPC function in", 8,
                   "usA = strrspc(usB, 5)"));
  EXPECT_EQ(ReportOf(Post("usA = strup('ab')\n")),
            Report("Parameter 1 must be STRING variable in StrUp function in", 8,
                   "usA = strup('ab')"));
  EXPECT_EQ(ReportOf(Post("usA = strwri(+4.3, pow(10, 308) * 10)\n")),
            Report("Number out of range in Parameter 2 in STRWRI function in", 8,
                   "usA = strwri(+4.3, pow(10, 308) * 10)"));
  EXPECT_EQ(ReportOf(Post("usA = strwri({1}, 2)\n")),
            Report("Address %{address} is missing from parameter 1 in STRWRI function in", 8,
                   "usA = strwri({1}, 2)"));
}

TEST_F(StringPost, StringsStopAtTheirLimit) {
  const std::string limit =
      FormatMessage(kMsgStringTooLong, {std::to_string(kStringLimit)});
  // Doubling a text 40 times would take a terabyte: the join that passes
  // the limit is refused where it stands.
  const std::string doubling = "usA = usA + usA";
  EXPECT_EQ(ReportOf(Post("usA = 'x'\nfor (urA = 1 to 40)\n" + doubling + "\nend\n")),
            Report(limit, 10, doubling));
  EXPECT_EQ(Str("usA").size(), 524288u);  // 2^19: the last join within the limit
  // Replacing and inserting grow a variable in place: refused the same way.
  const std::string grow = "urB = strrep(usA, 'x', 'xxxxxxxxxx')";
  EXPECT_EQ(ReportOf(Post("usA = 'x'\nfor (urA = 1 to 9)\n" + grow + "\nend\n")),
            Report(limit, 10, grow));
  EXPECT_EQ(Str("usA").size(), 1000000u);  // exactly at the limit is allowed
  const std::string insert = "usB = strins(usA, usA, 2)";
  EXPECT_EQ(ReportOf(Post("usA = 'x'\nfor (urA = 1 to 40)\n" + insert + "\nend\n")),
            Report(limit, 10, insert));
}

}  // namespace
}  // namespace tornel
