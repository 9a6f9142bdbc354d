#include "tornel/output/output_statement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "tests/output_run.h"
#include "tornel/output/address_word.h"
#include "tornel/output/line_ring.h"
#include "tornel/output/output_references.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {
namespace {

// G with two modal groups, modal X and Y, then non-modal words.
const std::string kAddresses =
    "  addres\n"
    "    _n 'N' >4\n"
    "    _g 'G' 2 nomodal\n"
    "    _x 'X' +4.3 modal\n"
    "    _y 'Y' +4.3 modal\n"
    "    _i 'I' >4 nomodal\n"
    "    _m 'M' 2 nomodal\n"
    "    _f 'F' >4.1<\n"
    "    _cool 'M' select strings='9''8''7'\n"
    "  end addres\n"
    "  modalgroup\n"
    "    mgmotion _g 0 1 2 3\n"
    "    mgplane _g 17 18 19\n"
    "  end modalgroup\n";

class Output : public tornel_test::OutputRun {
 protected:
  // ProgStart holds `body`; MAIN declares the addresses and runs `main`.
  std::string Lines(const std::string& body, const std::string& main = "") {
    if (!Start(Post(kAddresses + main, "func progstart\n" + body + "end func\n"))) return "";
    Call("ProgStart");
    return Nc();
  }
};

TEST_F(Output, StringFunctionResultsAreWords) {
  ASSERT_TRUE(Start(Post(kAddresses, "func progstart\no: _m(1) fscode:1 _'x'\nend func\n"
                                      "func fscode\nreturn 'T' + 'C'\nend func\n")));
  Call("ProgStart");
  // ":1" puts the text first; the word after it follows it.
  EXPECT_EQ(Nc(), "TC x M01\r\n");
}

TEST_F(Output, NumberFormatsOfTheExamples) {
  EXPECT_EQ(Lines("o: %+4.3(12.5)\n"
                  "o: %->4.3<(12.5) _%->4.3<(-0.5) _%->4.3<(0)\n"
                  "o: %4?3<(12)\n"
                  "o: %-_4.3(-12.5) %-_4.3(12.5)\n"
                  "o: _x(12.5) %{_x}(2.5) 'abc' _'def'\n"
                  "o: %+2.3(-0.0001) _%{_x}(-0.0004)\n",
                  "  sizerobefsepar = 0\n"),
            "+0012.500\r\n"
            "12.5 -.5 0\r\n"
            "0012\r\n"
            "  -12.500   12.500\r\n"
            "X+0012.500+0002.500abc def\r\n"
            "+00.000 +0000.000\r\n");  // a negative zero is written positive
}

TEST_F(Output, SelectAddressesPickTheirStrings) {
  EXPECT_EQ(Lines("o: _cool(3)\no: _cool(4)\no: _cool(100)\no: _cool(1)\no: _cool(0)\n"
                  "o: _cool(-5)\no: _cool(2.7)\no: _cool(2.7)\n"),
            "M7\r\nM7\r\nM7\r\nM9\r\nM9\r\nM9\r\nM8\r\n");
}

TEST_F(Output, ModalGroupsOfOneAddress) {
  // 1, 17, 1, 18, 1 over the two groups writes 1, 17 and 18.
  EXPECT_EQ(Lines("o: _g(1)\no: _g(17)\no: _g(1)\no: _g(18)\no: _g(1)\n"
                  // No group holds 5: the address's own (non-)modality rules.
                  "o: _g(5)\no: _g(5)\n"
                  // Forced through the group, then forgotten by it.
                  "o: _g(!1)\no: _g(1!)\no: _g(1)\n"),
            "G01\r\nG17\r\nG18\r\nG05\r\nG05\r\nG01\r\nG01\r\n");
}

TEST_F(Output, ModalAddressWritesARepeatedValueOnce) {
  // The second statement's line stays empty and is not written.
  EXPECT_EQ(Lines("o: _x(1)\no: _x(1)\no: _x(1.0001)\no: _x(2)\n"), "X+0001.000\r\nX+0002.000\r\n");
}

TEST_F(Output, WordModifiers) {
  EXPECT_EQ(Lines("o: _x(5)\no: _x(!5)\no: _x(/5)\no: _x(\\5)\n"  // written anyway
                  "o: _i(?7)\no: _i(?7)\n"                           // modal for once
                  "o: _x(6!)\no: _x(6)\n"),                          // forgets its text
            "X+0005.000\r\nX+0005.000\r\nX+0005.000\r\nX+0005.000\r\nI7\r\nX+0006.000\r\n"
            "X+0006.000\r\n");
}

TEST_F(Output, DeclarationOrderOrWrittenOrder) {
  // A string has no blank before it unless "_" asks for one.
  EXPECT_EQ(Lines("o: _m(3) _i(2) _'T1'\no:: _m(3) _i(2) 'T1'\no: _m(3):1 _i(2):+2\n"),
            "I2 T1 M03\r\nM03 I2T1\r\nM03 I2\r\n");
}

TEST_F(Output, OffsetsReachThePreviousAndTheNextLines) {
  // Into the previous line, sorted among its words.
  EXPECT_EQ(Lines("o: _g(0) _y(2)\no:[-1] _x(1)\no: _i(9)\n"), "G00 X+0001.000 Y+0002.000\r\nI9\r\n");
  // O:[1] writes into the line being collected, which the next statement
  // completes; '>' is the same.
  EXPECT_EQ(Lines("o:[1] _m(8)\no: _i(1)\no: _i(2) >\no: _i(3)\n"), "I1 M08\r\nI2 I3\r\n");
  // "<" and "<<".
  EXPECT_EQ(Lines("o: _i(1)\no: _i(2)\no: << _m(1)\no: < _m(2)\n"), "I1 M01\r\nI2 M02\r\n");
}

TEST_F(Output, InsertedLines) {
  // Two lines inserted after the next one keep their order.
  EXPECT_EQ(Lines("o:[1]- _m(1)\no:[1]- _m(2)\no: _i(1)\no: _i(2)\n"), "I1\r\nM01\r\nM02\r\nI2\r\n");
  // A line inserted before the previous one.
  EXPECT_EQ(Lines("o: _i(1)\no: _i(2)\no: <-[1] _m(5)\no: _i(3)\n"),
            "I1\r\nM05\r\nI2\r\nI3\r\n");
}

TEST_F(Output, ConditionalWordsAndLines) {
  // A line of nothing but "?" words is not written.
  EXPECT_EQ(Lines("o: _x(5)? _y(5)?\no: _i(1) _x(6)?\n"), "X+0006.000 I1\r\n");
  // Back to the last line with words.
  EXPECT_EQ(Lines("o: _i(1)\no:\no:\no:?[-1] _m(3)\n"), "I1 M03\r\n");
  // A conditional line ahead joins the next line that is written.
  EXPECT_EQ(Lines("o:?[1] _m(8)\no:\no: _i(1)\n"), "I1 M08\r\n");
}

TEST_F(Output, LinesWaitTenLinesInTheRing) {
  std::string body;
  for (int i = 1; i <= 11; ++i) body += "o: _i(" + std::to_string(i) + ")\n";
  ASSERT_TRUE(Start(Post(kAddresses, "func progstart\n" + body + "end func\n")));
  Call("ProgStart");
  EXPECT_EQ(Written(), "I1\r\n");
  EXPECT_EQ(ctx.output.ring.written, 1);
  // "!" writes everything out first.
  EXPECT_EQ(Nc(), "I1\r\nI2\r\nI3\r\nI4\r\nI5\r\nI6\r\nI7\r\nI8\r\nI9\r\nI10\r\nI11\r\n");
}

TEST_F(Output, FlushFlagWritesPendingLines) {
  ASSERT_TRUE(Start(Post(kAddresses, "func progstart\no: _i(1)\no: _i(2)\no:! _i(3)\nend func\n")));
  Call("ProgStart");
  EXPECT_EQ(Written(), "I1\r\nI2\r\n");
}

TEST_F(Output, FlushAllLinesForgetsSequenceRequests) {
  // A request left by an empty line would number the next line written.
  ASSERT_TRUE(Start(Post(kAddresses + "  seqnums: no _n 10 10 0\n",
                         "func progstart\no: _i(1)\nseqnext\no:\nend func\n"
                         "func progend\no: _i(2)\nend func\n")));
  Call("ProgStart");
  FlushAllLines(OutputRun::Output());
  EXPECT_EQ(Written(), "I1\r\n");
  Call("ProgEnd");
  EXPECT_EQ(Nc(), "I1\r\nI2\r\n");
}

TEST_F(Output, SequenceNumbersStopAfterTheMaximum) {
  EXPECT_EQ(Lines("o: _i(1)\no: _i(2)\no: _i(3)\no: _i(4)\no: _i(5)\n",
                  "  seqnums: yes _n 10 10 30\n"),
            "N10 I1\r\nN20 I2\r\nN30 I3\r\nI4\r\nI5\r\n");
  EXPECT_EQ(Int("siSeqOn"), 2);
}

TEST_F(Output, SequenceNumbersOnRequest) {
  EXPECT_EQ(Lines("no: _i(1)\no: _i(2)\n"
                  "siseqnext = 2\n-o: _i(3)\no: _i(4)\n"   // passed on to the next line
                  "siseqnext = 1\n-o: _i(5)\no: _i(6)\n"   // dropped
                  "siseqnext = 3\n-o: _i(7)\n"              // numbered all the same
                  "seqnext\no:\no: _i(8)\n",                // an empty line passes it on
                  "  seqnums: no _n 10 5 0\n"),
            "N10 I1\r\nI2\r\nI3\r\nN15 I4\r\nI5\r\nI6\r\nN20 I7\r\nN25 I8\r\n");
  // A number set for a line takes the place of the running one.
  ASSERT_TRUE(Start(Post(kAddresses + "  seqnums: yes _n 10 10 0\n",
                         "func progstart\no: _i(1)\nend func\n")));
  Call("ProgStart");
  SlotAt(ctx.output.ring, -1).seq_value = 500;
  EXPECT_EQ(Nc(), "N500 I1\r\n");
  EXPECT_EQ(Real("srSeq"), 510);
}

TEST_F(Output, SkipTextAndLineEnd) {
  // ssEol as it is when the line is written out.
  EXPECT_EQ(Lines("/o: _i(1)\nsiskipnext = 1\no: _i(2)\no: _i(3)\nsseol = ';'\n"),
            "/I1;\r\n/I2;\r\nI3;\r\n");
}

TEST_F(Output, IncrementalRelativeAndScaledAddresses) {
  const std::string more =
      "  addres\n"
      "    _u 'U' +4.3 inc\n"
      "    _k 'K' +4.3 from=_x nomodal\n"
      "    _r 'R' 3.1 scale=2 trans=1\n"
      "  end addres\n";
  EXPECT_EQ(Lines("o: _u(1)\no: _u(3)\no: _u(3)\n"           // the zero increment is dropped
                  "o: _x(10) _k(12)\no: _k(10)\no: _r(3)\n",  // siZeroFrom 1 writes K0
                  more),
            "U+0001.000\r\nU+0002.000\r\nX+0010.000 K+0002.000\r\nK+0000.000\r\nR007.0\r\n");
}

TEST_F(Output, DisabledAndForcedAddresses) {
  EXPECT_EQ(Lines("_i.enable = 0\no: _i(1) _m(1)\n_i.enable = 1\n"
                  "o: _f(100)\no: _f(100)\n",
                  "  addres\n    _h 'H' 2 force\n  end addres\n"),
            "M01\r\nF100.\r\n");
  EXPECT_EQ(Lines("o: _h(1)\no: _h(1)\n", "  addres\n    _h 'H' 2 force\n  end addres\n"),
            "H01\r\nH\r\n");
}

TEST_F(Output, LongTextsAreWrittenWholeAndCompared) {
  // A value of 300 digits is written whole and remembered whole: the
  // repeat is suppressed.  A .valstr text over 128 characters is ignored,
  // an empty one makes the next word be written.  2^996 is built by exact
  // doublings, so every target holds the very same number.
  const std::string make_big =
      "  variable\n    urbig\n    uii\n  end\n"
      "  urbig = 1\n  for (uii = 1 to 996)\n    urbig = urbig * 2\n  end\n";
  std::string nc = Lines("o: _x(urbig)\no: _x(urbig)\n"
                         "_x.valstr = '" + std::string(129, '1') + "'\no: _x(urbig)\n"
                         "_x.valstr = ''\no: _x(urbig)\n",
                         make_big);
  char digits[400];
  std::snprintf(digits, sizeof digits, "X%+.3f\r\n", std::ldexp(1.0, 996));
  ASSERT_EQ(std::string(digits).size(), 2 + 300 + 4 + 2u);
  EXPECT_EQ(nc, std::string(digits) + digits);
}

// The example of the language reference.
TEST_F(Output, AThreeAxisMillPost) {
  const std::string post =
      "MAIN\n  ADDRESS\n    _N 'N' >4\n    _G 'G' 2 nomodal\n    _X 'X' -4.3 modal\n"
      "    _Y 'Y' -4.3 modal\n    _Z 'Z' -4.3 modal\n    _F 'F' >5.1< modal\n"
      "    _S 'S' >5 modal\n    _T 'T' 2 nomodal\n    _M 'M' 2 nomodal\n  END ADDRESS\n"
      "  MODALGROUP\n    mgMotion _G 0 1 2 3\n    mgSpindle _M 3 4 5\n  END MODALGROUP\n"
      "  seqnums: yes _N 10 10 0\nEND MAIN\n\n"
      "FUNC ProgStart\n  -O: '%'\n  O: _G(90) _G(17) _G(21)\nEND FUNC\n\n"
      "FUNC RapidMove\n  O: _G(0) _X(srX) _Y(srY) _Z(srZ)\nEND FUNC\n\n"
      "FUNC LineMove\n  O: _G(1) _X(srX) _Y(srY) _Z(srZ) _F(srFeed)\nEND FUNC\n";
  ASSERT_TRUE(Start(post));
  std::vector<double>& r = ctx.values.reals;
  Call("ProgStart");
  r[kSrX] = 12.5, r[kSrY] = -3, r[kSrZ] = 50;
  Call("RapidMove");
  r[kSrZ] = -1, r[kSrFeed] = 250;
  Call("LineMove");
  r[kSrX] = 20;
  Call("LineMove");
  EXPECT_EQ(Nc(),
            "%\r\nN10 G90 G17 G21\r\nN20 G00 X0012.500 Y-0003.000 Z0050.000\r\n"
            "N30 G01 Z-0001.000 F250.\r\nN40 X0020.000\r\n");
}

TEST_F(Output, ReportsOfMalformedWords) {
  auto report = [&](const std::string& statement) {
    EXPECT_TRUE(Start(Post(kAddresses, "func progstart\n" + statement + "\nend func\n")));
    std::string text = ReportOfCall("ProgStart");
    return text.substr(text.find("\n\n") + 2, text.rfind(" line ") - text.find("\n\n") - 2);
  };
  EXPECT_EQ(report("o: _x('a')"), kMsgAddressString);
  EXPECT_EQ(report("o: %4.3('a')"), kMsgNumberString);
  EXPECT_EQ(report("o: %4.3 1"), kMsgNumberLeftParen);
  EXPECT_EQ(report("o: %{1}(1)"), "Address %{address} is missing from format of number output in");
  // No NC word shows an infinity or a value that is not a number.
  EXPECT_EQ(report("o: _x(pow(10, 308) * 10)"), kMsgAddressOutOfRange);
  EXPECT_EQ(report("o: _x(pow(10, 308) * 10 - pow(10, 308) * 10)"), kMsgAddressOutOfRange);
  EXPECT_EQ(report("o: %4.3(-pow(10, 308) * 10)"), kMsgNumberOutOfRange);
  // Number output takes a named address only.
  EXPECT_EQ(report("o: %{_addr[1]}(1)"),
            "Address %{address} is missing from format of number output in");
  EXPECT_EQ(report("o: _x(1) < _y(1)"), kMsgPreviousLineFlag);
  EXPECT_EQ(report("o: _x(1) > _y(1)"), kMsgNextLineFlag);
  EXPECT_EQ(report("o: _* _x(1)"), "Illegal use of _ separator space without following string or % number output in");
  EXPECT_EQ(report("o:[11] _x(1)"), "Output line offset O:[offset=11] not in limits -10 to +10 in");
  // Offsets are checked whole: 4294967297 is not the offset 1.
  EXPECT_EQ(report("o:[4294967297] _x(1)"),
            "Output line offset O:[offset=4294967297] not in limits -10 to +10 in");
  EXPECT_EQ(report("o: _x(_addr[4294967297].numsaft)"), kMsgInvalidAddressExpression);
  EXPECT_EQ(report("o:['a'] _x(1)"), kMsgOffsetSetting);
  EXPECT_EQ(report("o:? _x(1)"), kMsgConditionalWithoutOffset);
  EXPECT_EQ(report("o: _x(1):'a'"), kMsgOrderSetting);
  EXPECT_EQ(report("o: 5"), kMsgIllegalTokenOutput);
  EXPECT_EQ(report("seqnext\no: _i(1)\no:!"), kMsgNoSeqAddress);
}

TEST_F(Output, ALineStopsGrowingAtItsLimit) {
  // Words added to the line before, over and over, never complete it.
  const std::string grow = "o:[-1] usA";
  EXPECT_TRUE(Start(Post(kAddresses + "  variable\n    usA\n    uiI\n  end\n",
                         "func progstart\nusA = 'x'\nfor (uiI = 1 to 19)\nusA = usA + usA\nend\n"
                         "o: _x(1)\nfor (uiI = 1 to 10)\n" + grow + "\nend\nend func\n")));
  std::string text = ReportOfCall("ProgStart");
  EXPECT_NE(text.find(FormatMessage(kMsgNcLineTooLong, {std::to_string(kNcLineLimit)}) +
                      " line "),
            std::string::npos)
      << text.substr(0, 200);
  EXPECT_NE(text.find(grow), std::string::npos);
  EXPECT_EQ(Int("uiI"), 4);  // three words of 2^19 fit, the fourth is refused
}

TEST_F(Output, AddressAttributes) {
  const std::string main =
      "  variable\n    uia[8]\n    ura[4]\n    usa[4]\n  end\n";
  EXPECT_EQ(Lines("uia[1] = _x.numsbef\n_x.numsbef = 99\nuia[2] = _x.numsbef\n"
                  "_i.order = 3\nuia[3] = _i.order\no: _i(1) _x(1.5)\n"
                  "ura[1] = _x.val\nusa[1] = _x.valstr\nura[2] = _x.scale\n"
                  "uia[4] = _cool.selnum\nusa[2] = _cool.selstr[2]\nusa[3] = _x.prefix\n"
                  "_x.valstr = '+1.500'\no: _x(1.5)\n"   // the remembered number text
                  "_x.prefix = 'XX'\no: _x(2)\n"
                  "uia[5] = mgmotion.modnum\nura[3] = mgmotion.val\nmgmotion.modval[2] = 5\n"
                  "ura[4] = mgmotion.modval[2]\nuia[6] = _addr[3].numsaft + mgmodgrp[2].modnum\n",
                  main),
            "I1 X+00000000000000000000000000000000000000000000000001.500\r\n"
            "XX+00000000000000000000000000000000000000000000000002.000\r\n");
  EXPECT_EQ(Int("uia", 1), 4);
  EXPECT_EQ(Int("uia", 2), 50);
  EXPECT_EQ(Int("uia", 3), 3);
  EXPECT_EQ(ctx.output.addresses.records[5].order, 300);
  EXPECT_EQ(Real("ura", 1), 1.5);
  EXPECT_EQ(Str("usa", 1), "+00000000000000000000000000000000000000000000000001.500");
  EXPECT_EQ(Real("ura", 2), 1.0);
  EXPECT_EQ(Int("uia", 4), 3);
  EXPECT_EQ(Str("usa", 2), "8");
  EXPECT_EQ(Str("usa", 3), "X");
  EXPECT_EQ(Int("uia", 5), 4);
  EXPECT_EQ(Real("ura", 3), 0);  // undefined reads as 0
  EXPECT_EQ(Real("ura", 4), 5);
  EXPECT_EQ(Int("uia", 6), 3 + 3);
}

TEST_F(Output, AttributeReports) {
  auto report = [&](const std::string& statement) {
    EXPECT_TRUE(Start(Post(kAddresses + "  variable\n    uix\n    usx\n  end\n",
                           "func progstart\n" + statement + "\nend func\n")));
    std::string text = ReportOfCall("ProgStart");
    return text.substr(text.find("\n\n") + 2, text.rfind(" line ") - text.find("\n\n") - 2);
  };
  EXPECT_EQ(report("_x.from = 99"), "Invalid Addres from value in");
  EXPECT_EQ(report("_x.direct = -1"), "Invalid Addres direct value in");
  EXPECT_EQ(report("_cool.selnum = 2"), "Can't assign a value to number of Addres select strings in");
  EXPECT_EQ(report("usx = _x.selstr[1]"), "Invalid acces of Addres select string in");
  EXPECT_EQ(report("_x.suffix = 'mm'"), "Tried to assign suffix member of addres which has no suffix defined in");
  EXPECT_EQ(report("_x.scale = 'a'"), "Assign of different data types in");
  EXPECT_EQ(report("uix = _x + 1"), "Invalid addres expression in");
  EXPECT_EQ(report("mgmotion.modnum = 2"), "Can't assign a value to number of values in modal group in");
  EXPECT_EQ(report("uix = mgmodgrp[9].val"), "Invalid mgModGrp index in");
  EXPECT_EQ(report("uix = mgmotion"), "Invalid modal group expression in");
  EXPECT_EQ(report("uix = mgmotion.scale"), "Invalid modal group member in");
}

}  // namespace
}  // namespace tornel
