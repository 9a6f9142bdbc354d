#include "tornel/compiler/program_dump.h"

#include <gtest/gtest.h>

#include "tornel/compiler/location_prefix.h"
#include "tornel/compiler/tokens.h"

namespace tornel {
namespace {

std::string Tok(int value) { return std::string(1, TokenByte(value)); }

TEST(ProgramDump, TokensByName) {
  EXPECT_EQ(ReadableTokens(Tok(130) + "57=" + Tok(136) + Tok(190) + "0(1," + Tok(131) + "2|3)"),
            "{int 57}={int-func 0}(1,{real 2|3})");
  EXPECT_EQ(ReadableTokens(Tok(138) + Tok(194) + "12"), "{post-func 12}");
  EXPECT_EQ(ReadableTokens(Tok(136) + Tok(205) + "(x)"), "{num-builtin 205}(x)");
  EXPECT_EQ(ReadableTokens(Tok(154) + "3." + Tok(184) + "=" + Tok(155) + "1." + Tok(190)),
            "{addr 3}{.modal}={group 1}{.val}");
  EXPECT_EQ(ReadableTokens(Tok(145) + Tok(161) + Tok(164) + Tok(132) + "800"),
            "{O:}{NO:}{_}{str 800}");
  EXPECT_EQ(ReadableTokens(Tok(153) + Tok(172) + "a"), "{repword:}a");
  EXPECT_EQ(ReadableTokens(Tok(166) + "(a" + Tok(189) + "b)" + Tok(169) + "4"),
            "{test}(a{<=}b){jump-if-true L4}");
  EXPECT_EQ(ReadableTokens(Tok(142) + Tok(200) + Tok(2)), "{RETURN}{byte 200}{byte 2}");
}

TEST(ProgramDump, RecordsLocationsAndLabels) {
  Diagnostics diag;
  diag.post_file = "mill.tr";
  diag.include_list = "\tlib/a.inc\n";  // no name for file 2
  LoadedProgram p;
  p.bytes = WithLocation({0, 4}, Tok(143)) + "\n" + WithLocation({1, 12}, Tok(167) + "1") + "\n" +
            WithLocation({2, 3}, "x=1") + "\n";
  p.labels = {6, 6, kLabelNotPlaced, static_cast<int32_t>(p.bytes.size())};
  EXPECT_EQ(DumpProgram(diag, p),
            "program: 22 bytes, 4 labels\n"
            "   0  mill.tr:4  {MAIN}\n"
            "L0:\n"
            "L1:\n"
            "   6  lib/a.inc:12  {jump L1}\n"
            "  14  file 2:3  x=1\n"
            "L3:\n"
            "L2: not placed\n");
}

}  // namespace
}  // namespace tornel
