#include "tornel/output/companion_statements.h"

#include <gtest/gtest.h>

#include "tests/output_run.h"
#include "tornel/output/trigger_statements.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {
namespace {

const std::string kAddresses =
    "  addres\n"
    "    _g 'G' 2 nomodal\n"
    "    _x 'X' +4.3 modal\n"
    "    _y 'Y' +4.3 modal\n"
    "    _t 'T' 2 modal\n"
    "    _m 'M' 2 nomodal\n"
    "  end addres\n"
    "  modalgroup\n"
    "    mgmotion _g 0 1 2 3\n"
    "  end modalgroup\n";

class Companion : public tornel_test::OutputRun {
 protected:
  // ProgStart holds `body`; MAIN declares the addresses and runs `main`.
  std::string Lines(const std::string& body, const std::string& main = "",
                    const std::string& functions = "") {
    if (!Start(Post(kAddresses + main, "func progstart\n" + body + "end func\n" + functions)))
      return "";
    Call("ProgStart");
    return Nc();
  }

  // The report that ProgStart ends with.
  std::string Error(const std::string& body) {
    if (!Start(Post(kAddresses, "func progstart\n" + body + "end func\n"))) return "";
    return ReportOfCall("ProgStart");
  }
};

TEST_F(Companion, WithFiresOnceAndBindEveryTime) {
  EXPECT_EQ(Lines("o: with(_t) _m(6)\no: _t(1)\no: _t(2)\n"), "T01 M06\r\nT02\r\n");
  // Every word formed fires a BIND, a suppressed one too ("?" is for that).
  EXPECT_EQ(Lines("o: bind(_t) _m(6)\no: _t(1)\no: _t(2)\no: _t(2)\n"),
            "T01 M06\r\nT02 M06\r\nM06\r\n");
  // A WITH list goes as a whole once one of its addresses has fired.
  EXPECT_EQ(Lines("o: with(_t,_x) _m(6)\no: _x(1)\no: _t(1)\n"), "X+0001.000 M06\r\nT01\r\n");
  // siWithOn and siBindOn 0 keep them quiet; the WITH stays registered.
  EXPECT_EQ(Lines("o: with(_t) _m(6)\nsiwithon = 0\no: _t(1)\nsiwithon = 1\no: _t(2)\n"),
            "T01\r\nT02 M06\r\n");
}

TEST_F(Companion, TriggerStatementAfterACondition) {
  EXPECT_EQ(Lines("if (1 = 1) o: with(_t) _m(6)\no: _t(1)\n"), "T01 M06\r\n");
}

TEST_F(Companion, TriggerFlags) {
  // "?" fires only when the word is really written, "!" forces it out.
  EXPECT_EQ(Lines("o: _t(1)\no: bind(?_t) _m(6)\no: _t(1)\no: _t(2)\n"), "T01\r\nT02 M06\r\n");
  EXPECT_EQ(Lines("o: _t(1)\no: bind(!_t) _m(6)\no: _t(1)\n"), "T01\r\nT01 M06\r\n");
}

TEST_F(Companion, BindThatTriggersItselfDoesNotRecurse) {
  // The triggered X5 comes once, ahead of the X1 that triggered it.
  EXPECT_EQ(Lines("o: bind(_x) _x(!5) _m(1)\no: _x(1)\n"), "X+0005.000 X+0001.000 M01\r\n");
  // A chain of two BINDs back to the first stops there too.
  EXPECT_EQ(Lines("o: bind(_x) _y(!2)\no: bind(_y) _x(!3)\no: _x(1)\n"),
            "X+0003.000 X+0001.000 Y+0002.000\r\n");
}

TEST_F(Companion, EachJoinsEveryCompletedLine) {
  // An EACH-only line is dropped; "|" keeps EACH output out of a line.
  EXPECT_EQ(Lines("o: each 'E'\no: _t(1)\no:| _t(2)\no:\nclr: each\no: _t(3)\n"),
            "E T01\r\nT02\r\nT03\r\n");
}

TEST_F(Companion, ClrWithBindRemovesBothKinds) {
  EXPECT_EQ(Lines("o: with(_t) _m(6)\no: bind(_t) _m(7)\no: bind(_x) _m(8)\n"
                  "clr: with_bind(_t)\no: _t(1) _x(1)\n"),
            "X+0001.000 T01 M08\r\n");
  // WITH(ALL) takes every WITH, BIND stays.
  EXPECT_EQ(Lines("o: with(_t) _m(6)\no: bind(_t) _m(7)\nclr: with(all)\no: _t(1)\n"),
            "T01 M07\r\n");
}

TEST_F(Companion, ClrRemovesTheListedEntryAndMendsTheList) {
  // _t leaves the list; the list still goes as a whole when _x fires.
  ASSERT_TRUE(Start(Post(kAddresses, "func progstart\no: with(_y,_t,_x) _m(6)\nclr: with(_t)\n"
                                     "end func\n")));
  Call("ProgStart");
  const std::vector<TriggerEntry>& e = ctx.output.triggers.entries;
  ASSERT_EQ(e.size(), 3u);  // the group and two WITH entries
  EXPECT_EQ(e[2].link, TriggerNumber(1));
}

TEST_F(Companion, SetAndClr) {
  // SET gives the modal text without output; CLR forgets it.
  EXPECT_EQ(Lines("set: _x(1) mgmotion(0)\no: _x(1) _g(0)\nclr: _x mgmotion\no: _x(1) _g(0)\n"),
            "G00 X+0001.000\r\n");
  EXPECT_EQ(Lines("o: _x(2) _g(1)\nclr: all\no: _x(2) _g(1)\n"),
            "G01 X+0002.000\r\nG01 X+0002.000\r\n");
}

TEST_F(Companion, SetRunsOnAddrButNotOnAddrOut) {
  ASSERT_TRUE(Start(Post(kAddresses + "  variable\n    uia\n    uib\n  end\n",
                         "func progstart\nset: _t(3)\nend func\n"
                         "func toolchange\no: _t(4)\nend func\n"
                         "func onaddr[_t]\nuia = uia + 1\nend func\n"
                         "func onaddrout[_t]\nuib = uib + 1\nend func\n")));
  Call("ProgStart");
  EXPECT_EQ(Int("uia"), 1);
  EXPECT_EQ(Int("uib"), 0);
  Call("ToolChange");
  EXPECT_EQ(Int("uia"), 2);
  EXPECT_EQ(Int("uib"), 1);
  // siOnAddrOn 0 keeps both quiet.
  tornel_test::SetInt(ctx, "sionaddron", 0);
  Call("ProgStart");
  EXPECT_EQ(Int("uia"), 2);
}

TEST_F(Companion, DisableAllKeepsStrings) {
  EXPECT_EQ(Lines("disable: all\no: _x(1) 'TEXT' _t(2)\nenable: _t\no: _x(3) _t(4)\n"),
            "TEXT\r\nT04\r\n");
}

TEST_F(Companion, SwapThenRevertAll) {
  EXPECT_EQ(Lines("swap: _x _y\no: _x(1) _y(2)\nrevert: all\no: _x(3) _y(4)\n"),
            "X+0002.000 Y+0001.000\r\nX+0003.000 Y+0004.000\r\n");
  EXPECT_EQ(Lines("direct: _x _y\no: _x(1)\ndisable: _x\nrevert: _x\no: _x(5)\n"),
            "Y+0001.000\r\nX+0005.000\r\n");
}

TEST_F(Companion, FirstRunRegistersNothing) {
  ASSERT_TRUE(Start(Post(kAddresses, "func progstart\nswap: _x _y\nreplace: 'A' = 'B'\n"
                                     "end func\n")));
  ctx.flags.first_run = 1;
  Call("ProgStart");
  EXPECT_EQ(ctx.output.addresses.records[2].direct, 0);
  EXPECT_TRUE(ctx.output.replacements.entries.empty());
  ctx.flags.first_run = 0;
  Call("ProgStart");
  EXPECT_EQ(ctx.output.addresses.records[2].direct, 3);
  EXPECT_EQ(ctx.output.replacements.entries.size(), 1u);
}

TEST_F(Companion, ReplacementsAreRegistered) {
  ASSERT_TRUE(Start(Post(kAddresses, "func progstart\nreplace: 'G00' = 'G0'\nrepword: 'X' = 'U'\n"
                                     "repaddr: 'MAX' = 'MIN' com\nend func\n")));
  Call("ProgStart");
  const std::vector<Replacement>& r = ctx.output.replacements.entries;
  ASSERT_EQ(r.size(), 3u);
  const std::vector<std::string>& s = ctx.values.strings;
  EXPECT_EQ(s[r[0].search], "G00");
  EXPECT_EQ(s[r[0].replacement], "G0");
  EXPECT_EQ(r[0].mode, kReplaceText);
  // repword: of X is registered for the word X alone: applying it leaves
  // MAX alone (the finishing's part).
  EXPECT_EQ(s[r[1].search], "X");
  EXPECT_EQ(r[1].mode, kReplaceWord);
  EXPECT_EQ(r[2].mode, kReplaceAddrInComments);
}

TEST_F(Companion, TheSameReplacementIsRegisteredOnce) {
  // Two statements with the same texts and mode, run again and again; a
  // different mode or text is a replacement of its own.
  ASSERT_TRUE(Start(Post(kAddresses, "func progstart\nreplace: 'X' = 'XX'\nreplace: 'X' = 'XX'\n"
                                     "replace: 'X' = 'XX' com\nrepword: 'X' = 'XX'\n"
                                     "replace: 'X' = 'XY'\nend func\n")));
  for (int i = 0; i < 5; ++i) Call("ProgStart");
  EXPECT_EQ(ctx.output.replacements.entries.size(), 4u);
}

TEST_F(Companion, Messages) {
  auto has = [](const std::string& report, const std::string& message) {
    return report.find(message) != std::string::npos;
  };
  EXPECT_TRUE(has(Error("direct: _x\n"), kMsgDirectTooFew));
  EXPECT_TRUE(has(Error("swap: _x _y _t\n"), kMsgDirectTooMany));
  EXPECT_TRUE(has(Error("swap: all\n"), kMsgDirectAll));
  EXPECT_TRUE(has(Error("set: _x -1\n"), kMsgSetLeftParen));
  EXPECT_TRUE(has(Error("set: _x('a')\n"), kMsgSetString));
  EXPECT_TRUE(has(Error("set: < _x(1)\n"), kMsgSetOffset));
  EXPECT_TRUE(has(Error("clr: 5\n"), kMsgClrIllegalToken));
  EXPECT_TRUE(has(Error("disable: 'a'\n"), kMsgEnableIllegalToken));
  EXPECT_TRUE(has(Error("o: with _x(1))\n"), kMsgWithBindLeftParen));
  EXPECT_TRUE(has(Error("o: with(3) _x(1)\n"), kMsgWithBindParameterOutput));
  EXPECT_TRUE(has(Error("clr: with(!_x)\n"), kMsgWithBindParameterClr));
  EXPECT_TRUE(has(Error("replace: 'a' 'b'\n"), "Equal is missing from Replace statement from"));
  EXPECT_TRUE(has(Error("repaddr: = 'b'\n"), "Replaced string is missing from RepAddr statement from"));
  EXPECT_TRUE(has(Error("repword: 'a' = 'b' 'c'\n"), "Invalid RepWord statement in"));
}

}  // namespace
}  // namespace tornel
