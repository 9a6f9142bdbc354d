#include "tornel/output/output_pass.h"

#include <gtest/gtest.h>

#include "tests/fatal_report.h"
#include "tests/records.h"
#include "tornel/compiler/tokens.h"

namespace tornel {
namespace {

using tornel_test::ReportOf;
using tornel_test::ShowBytes;

class OutputPass : public tornel_test::PassTest {
 protected:
  // The statement as the final text pass hands it over ("{154}" stands for
  // the byte), rewritten and shown with its bytes in braces.
  std::string Rewrite(std::string s) {
    s = Bytes(s);
    RewriteOutputStatement(diag, s);
    return ShowBytes(s);
  }
  std::string ErrorOf(const std::string& s) {
    std::string text = Bytes(s);
    std::string report = ReportOf(diag, [&] { RewriteOutputStatement(diag, text); });
    return report.substr(report.find("\n\n") + 2, report.rfind(" unknown line") - report.find("\n\n") - 2);
  }
  static std::string Bytes(std::string s) {
    for (size_t p = s.find('{'); p != std::string::npos; p = s.find('{', p + 1)) {
      size_t end = s.find('}', p);
      std::string number = s.substr(p + 1, end - p - 1);
      if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos) continue;
      s.replace(p, end - p + 1, 1, TokenByte(std::stoi(number)));
    }
    return s;
  }
};

TEST_F(OutputPass, StatementTokensPrefixesAndFlags) {
  EXPECT_EQ(Rewrite("o: {154}1(1){154}2(2)"), "{145}{154}1(1){154}2(2)");
  EXPECT_EQ(Rewrite("no: {154}1(1)"), "{145}{161}{154}1(1)");
  EXPECT_EQ(Rewrite("-o: {154}1(1)"), "{145}{162}{154}1(1)");
  EXPECT_EQ(Rewrite("/o: {154}1(1)"), "{145}{163}{154}1(1)");
  EXPECT_EQ(Rewrite("o: : |!? [-1]{154}1(1)"), "{145}:|!?[-1]{154}1(1)");
  EXPECT_EQ(Rewrite("o: {132}900 com {154}1(1): 2"), "{145}{132}900 {165} {154}1(1): 2");
  EXPECT_EQ(Rewrite("o: "), "{145}");
  EXPECT_EQ(Rewrite("uia=1"), "uia=1");
}

TEST_F(OutputPass, ArrowsBecomeOffsets) {
  EXPECT_EQ(Rewrite("o: <{154}1(1)"), "{145}[-1]{154}1(1)");
  EXPECT_EQ(Rewrite("o: <<<<{154}1(1)"), "{145}[-4]{154}1(1)");
  EXPECT_EQ(Rewrite("o: {154}1(1)>"), "{145}[1]{154}1(1)");
  EXPECT_EQ(Rewrite("o: {154}1(1)>>>"), "{145}[3]{154}1(1)");
  EXPECT_EQ(Rewrite("o: <[2]{154}1(1)"), "{145}[-2]{154}1(1)");
  EXPECT_EQ(Rewrite("o: <[-uia]{154}1(1)"), "{145}[uia]{154}1(1)");
  EXPECT_EQ(Rewrite("o: <-[2]{154}1(1)"), "{145}[-2]-{154}1(1)");
  EXPECT_EQ(Rewrite("o: [uia[2]]-{154}1(1)"), "{145}[uia[2]]-{154}1(1)");
  EXPECT_EQ(Rewrite("o: {154}1(1)>-"), "{145}[1]-{154}1(1)");
  EXPECT_EQ(Rewrite("o: {154}1(1)>[4]"), "{145}[4]{154}1(1)");
  // A comparison inside a word stays.
  EXPECT_EQ(Rewrite("o: {154}1((a)<b)"), "{145}{154}1((a)<b)");
  // Misplaced arrows are left for the run to refuse.
  EXPECT_EQ(Rewrite("o: {154}1(1)<{154}2(2)"), "{145}{154}1(1)<{154}2(2)");
  EXPECT_EQ(ErrorOf("o: <<<<<{154}1(1)"), kMsgTooManyArrows);
  EXPECT_EQ(ErrorOf("o: {154}1(1)>>>>>"), kMsgTooManyArrows);
  EXPECT_EQ(ErrorOf("o: <[2]<{154}1(1)"), kMsgTooManyArrows);
  EXPECT_EQ(ErrorOf("o: [2{154}1(1)"), kMsgShiftBracket);
  EXPECT_EQ(ErrorOf("o: <[2{154}1(1)"), kMsgShiftBracket);
}

TEST_F(OutputPass, TriggerForms) {
  EXPECT_EQ(Rewrite("o: with({154}1,!{154}2){154}3(1)"), "{145}{156}({154}1,!{154}2){154}3(1)");
  EXPECT_EQ(Rewrite("o: !bind({154}1)<{154}3(1)"), "{145}![-1]{157}({154}1){154}3(1)");
  EXPECT_EQ(Rewrite("o: each {154}3(1)"), "{145}{158}(){154}3(1)");
  EXPECT_EQ(Rewrite("clr: with_bind({154}1)each all"), "{147}{160}({154}1){158}() {159}");
  EXPECT_EQ(Rewrite("set: [1]{154}1(2)"), "{146}[1]{154}1(2)");
  EXPECT_EQ(Rewrite("enable: all"), "{148}{159}");
  EXPECT_EQ(Rewrite("revert: {154}1"), "{152}{154}1");
  EXPECT_EQ(Rewrite("repword: {132}900={132}901 com"), "{153}{172}{132}900={132}901 {165}");
  EXPECT_EQ(ErrorOf("o: {154}3(1)with({154}1)"), kMsgInvalidWithBind);
  EXPECT_EQ(ErrorOf("o: with {154}3"), kMsgInvalidWithBind);
  EXPECT_EQ(ErrorOf("o: {154}3(1)each"), kMsgInvalidEach);
}

TEST_F(OutputPass, OneStatementALine) {
  EXPECT_EQ(ErrorOf("o: {154}1(1)-o: {154}1(1)"), kMsgInvalidOStatement);
  EXPECT_EQ(ErrorOf("uia=1 o: {154}1(1)"), kMsgInvalidOStatement);
  EXPECT_EQ(ErrorOf("set: {154}1(1)set: {154}2(1)"), kMsgInvalidSetStatement);
  EXPECT_EQ(ErrorOf("o: clr: all"), kMsgInvalidClrStatement);
}

TEST_F(OutputPass, ReferenceForms) {
  EXPECT_EQ(Rewrite("uia=addr({154}12).order+modgrp({155}3).val"), "uia={154}12.order+{155}3.val");
  EXPECT_EQ(Rewrite("o: _addr[uia](1)"), "{145}{154}[uia](1)");
  EXPECT_EQ(Rewrite("uia=mgmodgrp[2].val"), "uia={155}[2].val");
  EXPECT_EQ(ErrorOf("uia=addr {154}1"), kMsgRefLeftParen);
  EXPECT_EQ(ErrorOf("uia=addr(uib)"), kMsgRefInvalidAddress);
  EXPECT_EQ(ErrorOf("uia=modgrp({154}1)"), kMsgRefInvalidGroup);
  EXPECT_EQ(ErrorOf("uia=addr({154}1.val"), kMsgRefRightParen);
  EXPECT_EQ(ErrorOf("uia=_addr.val"), kMsgRefLeftBracket);
}

}  // namespace
}  // namespace tornel
