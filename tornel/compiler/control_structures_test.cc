#include "tornel/compiler/control_structures.h"

#include <gtest/gtest.h>

#include "tests/fatal_report.h"
#include "tests/in_memory.h"
#include "tests/post_run.h"
#include "tornel/compiler/final_pass.h"
#include "tornel/compiler/loader.h"
#include "tornel/compiler/location_prefix.h"
#include "tornel/compiler/preprocessor.h"
#include "tornel/compiler/program_dump.h"
#include "tornel/compiler/tokens.h"
#include "tornel/driver/run_host.h"
#include "tornel/sysvars/system_variable_counts.h"

namespace tornel {
namespace {

using tornel_test::ReportOf;

std::string Tok(char token) { return std::string(1, token); }

// The output lines, one per text line: "<file>,<line>|<readable tokens>" for
// records, "{label L<n>}" for label lines.
std::string Show(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines) {
    Location loc;
    std::string_view statement;
    if (SplitLocation(line, loc, statement))
      out += std::to_string(loc.file) + "," + std::to_string(loc.line) + "|" +
             ReadableTokens(statement);
    else
      out += ReadableTokens(line);
    out += '\n';
  }
  return out;
}

class ControlStructures : public tornel_test::InMemory {
 protected:
  // The post text as the preprocessor gives it, through this pass.
  std::vector<std::string> Compile(const std::string& post) {
    WriteFile("p.tr", post);
    diag_.post_file = "p.tr";
    Quote(diag_);
    std::vector<std::string> text = Preprocess(diag_, sources, state_.stacks, kFirstStringLiteral,
                                               ReadSourceLines(diag_, sources, "p.tr"));
    return CompileControlStructures(diag_, state_, text);
  }
  std::string Shown(const std::string& post) { return Show(Compile(post)); }
  // A fatal report ends the run; the next one starts with a fresh state.
  std::string ReportFor(const std::string& post) {
    state_ = CompilerState{};
    return ReportOf(diag_, [&] { Compile(post); });
  }
  static std::string Report(const std::string& message, int line, const std::string& text) {
    return "Error in postprocessor file - p.tr\n\n" + message + " line " + std::to_string(line) +
           ":\n" + text + "\n";
  }
  // Runs `body` as a MAIN section of a post compiled the way tornel does;
  // gives the values it logged with fvLog, each followed by a blank.
  std::string Trace(const std::string& body) {
    tornel_test::CompilePostText(
        run_, run_sources_, "main\nvariable\nuiLogged\nuiLog[50]\nuiA\nuiB\nuiI\nuiJ\nend\n" + body +
                  "end main\n"
                  "func fvLog(liValue)\nuiLogged = uiLogged + 1\nuiLog[uiLogged] = liValue\n"
                  "end func\n");
    RunMainSections(run_);
    std::string trace;
    for (int i = 1; i <= tornel_test::IntValue(run_, "uilogged"); ++i)
      trace += std::to_string(tornel_test::IntValue(run_, "uilog", i)) + " ";
    last_i_ = tornel_test::IntValue(run_, "uii");
    return trace;
  }

  Diagnostics diag_;
  CompilerState state_;
  tornel::RunState run_;
  tornel::MemorySources run_sources_;
  int last_i_ = 0;
};

TEST_F(ControlStructures, WorkedExampleGivesExactlySixRecords) {
  state_.label_counter = 7;
  std::string a = Tok(kTokIntVar) + "50", b = Tok(kTokIntVar) + "51";
  std::vector<std::string> in = {
      WithLocation({0, 10}, "if(" + a + ">1)"), WithLocation({0, 11}, b + "=2"),
      WithLocation({0, 12}, "else"),            WithLocation({0, 13}, b + "=3"),
      WithLocation({0, 14}, "end")};
  std::vector<std::string> expected = {
      "0,10" + Tok(kTokLocation) + Tok(kTokCondition) + "(" + a + ">1)" + Tok(kTokJumpIfFalse) + "7",
      "0,11" + Tok(kTokLocation) + b + "=2",
      "0,12" + Tok(kTokLocation) + Tok(kTokJump) + "8",
      Tok(kTokLabelLine) + "7",
      "0,13" + Tok(kTokLocation) + b + "=3",
      Tok(kTokLabelLine) + "8"};
  EXPECT_EQ(CompileControlStructures(diag_, state_, in), expected);
  EXPECT_EQ(state_.label_counter, 9);
  // The open-structure rows are given back.
  for (int row : {1, 2, 3, 4, 5}) EXPECT_TRUE(state_.stacks.ints[row].slots.empty());
  EXPECT_TRUE(state_.stacks.texts[1].slots.empty());
}

TEST_F(ControlStructures, ForWritesTheTestAndIncrementRecords) {
  EXPECT_EQ(Shown("FOR (uiI = 1 TO uiN + 1 STEP -2)\n"
                  "  x = uiI\n"
                  "END\n"),
            "0,1|uii=1\n"
            "0,1|{test}((uii*sign(-2))<=((uin+1)*sign(-2))){jump-if-false L0}\n"
            "{label L1}\n"
            "0,2|x=uii\n"
            "{label L2}\n"
            "0,1|{test}((((uii)+(-2))*sign(-2))<=((uin+1)*sign(-2))){jump-if-false L0}\n"
            "0,1|uii=(uii)+(-2)\n"
            "0,3|{jump L1}\n"
            "{label L0}\n");
  // Without STEP the step is 1; a renamed variable is accepted too.
  std::string v = Tok(kTokRealVar) + "3";
  std::vector<std::string> out = CompileControlStructures(
      diag_, state_, {WithLocation({0, 1}, "for(" + v + "=0 to 9)"), WithLocation({0, 2}, "end")});
  EXPECT_EQ(Show(out),
            "0,1|{real 3}=0\n"
            "0,1|{test}(({real 3}*sign(1))<=((9)*sign(1))){jump-if-false L3}\n"
            "{label L4}\n"
            "{label L5}\n"
            "0,1|{test}(((({real 3})+(1))*sign(1))<=((9)*sign(1))){jump-if-false L3}\n"
            "0,1|{real 3}=({real 3})+(1)\n"
            "0,2|{jump L4}\n"
            "{label L3}\n");
}

TEST_F(ControlStructures, ForLoopsCountAsDocumented) {
  EXPECT_EQ(Trace("for (uiI = 1 to 3)\nfvLog(uiI)\nend\n"), "1 2 3 ");
  EXPECT_EQ(last_i_, 3);  // the last value that passed the test
  EXPECT_EQ(Trace("for (uiI = 3 to 1 step -1)\nfvLog(uiI)\nend\n"), "3 2 1 ");
  EXPECT_EQ(Trace("for (uiI = 5 to 1)\nfvLog(uiI)\nend\n"), "");
  EXPECT_EQ(last_i_, 5);
  EXPECT_EQ(Trace("for (uiI = 0 to 10 step 4)\nfvLog(uiI)\nend\n"), "0 4 8 ");
}

TEST_F(ControlStructures, IfChainRunsExactlyOneBranch) {
  std::string post =
      "if (uiA = 1)\nfvLog(10)\n"
      "else if (uiA = 2)\nfvLog(20)\n"
      "ELSE  IF (uiA = 3)\nfvLog(30)\n"
      "else\nfvLog(40)\n"
      "end\nfvLog(99)\n";
  for (int a = 1; a <= 4; ++a)
    EXPECT_EQ(Trace("uia=" + std::to_string(a) + "\n" + post), std::to_string(a * 10) + " 99 ")
        << a;
  // Without ELSE no branch may run.
  EXPECT_EQ(Trace("uia=5\nif(uia=1)\nfvLog(1)\nelse if(uia=2)\nfvLog(2)\nend\nfvLog(9)\n"), "9 ");
}

TEST_F(ControlStructures, ElseIfIsTwoWordsElseifIsAName) {
  EXPECT_EQ(Shown("if(a)\nelse if(b)\nend\n"),
            "0,1|{test}(a){jump-if-false L0}\n"
            "0,2|{jump L1}\n"
            "{label L0}\n"
            "0,2|{test}(b){jump-if-false L2}\n"
            "{label L2}\n"
            "{label L1}\n");
  // elseif is no keyword: the line is copied and the IF stays open.
  EXPECT_EQ(ReportFor("if(a)\nelseif(b)\n"),
            Report("Condition statement without END in", 1, "if(a)"));
}

TEST_F(ControlStructures, OneLineFormsCloseTheChain) {
  EXPECT_EQ(Shown("if (a) x = 1\n"),
            "0,1|{test}(a){jump-if-false L0}\n"
            "0,1|x=1\n"
            "{label L0}\n");
  EXPECT_EQ(Trace("uia=2\nif(uia=1)\nfvLog(1)\nelse if(uia=2) fvLog(2)\nfvLog(3)\n"), "2 3 ");
  // The implicit END closed the chain: an ELSE after it has no IF.
  EXPECT_EQ(ReportFor("if(a)\nelse if(b) x=1\nelse\nend\n"),
            Report("ELSE statement without preceding IF statement in", 3, "else"));
}

TEST_F(ControlStructures, BreakAndContinueTargetEachLoopKind) {
  // WHILE: CONTINUE goes back to the test, BREAK past the END.
  EXPECT_EQ(Trace("uii=0\nwhile(uii<10)\nuii=uii+1\nif(uii=2) continue\n"
                  "if(uii=5)\nbreak\nend\nfvLog(uii)\nend\nfvLog(99)\n"),
            "1 3 4 99 ");
  // REPEAT: CONTINUE goes to the UNTIL test.
  EXPECT_EQ(Trace("uii=0\nrepeat\nuii=uii+1\nif(uii=2) continue\nif(uii=4) break\n"
                  "fvLog(uii)\nuntil(uii>=6)\nfvLog(99)\n"),
            "1 3 99 ");
  EXPECT_EQ(Trace("uii=0\nrepeat\nuii=uii+1\nif(uii=3) continue\nfvLog(uii)\nuntil(uii>=3)\n"),
            "1 2 ");
  // FOR: CONTINUE goes to the loop-back test and increment.
  EXPECT_EQ(Trace("for(uii=1 to 6)\nif(uii=2) continue\nif(uii=5) break\nfvLog(uii)\nend\n"
                  "fvLog(99)\n"),
            "1 3 4 99 ");
  EXPECT_EQ(last_i_, 5);
  // The innermost loop counts.
  EXPECT_EQ(Trace("for(uij=1 to 2)\nuii=0\nwhile(1)\nuii=uii+1\nif(uii>2) break\nend\n"
                  "fvLog(uij*10+uii)\nend\n"),
            "13 23 ");
}

TEST_F(ControlStructures, CaseComparesWithItsOwnSelector) {
  // A CASE inside a WHEN branch: the outer later WHENs still see the outer
  // selector; a FOR inside a WHEN doesn't disturb it either.
  std::string post =
      "case (uia)\n"
      "when 1\n"
      "  case (uib)\n"
      "  when 1 2\n fvLog(11)\n"
      "  when other\n fvLog(19)\n"
      "  end\n"
      "when 2\n"
      "  for (uii = 1 to 2)\n fvLog(20+uii)\n end\n"
      "when 3 -3\n fvLog(3)\n"  // "3-3": a sign joins its neighbour
      "when other\n fvLog(9)\n"
      "end\nfvLog(0)\n";
  EXPECT_EQ(Trace("uia=1\nuib=2\n" + post), "11 0 ");
  EXPECT_EQ(Trace("uia=1\nuib=3\n" + post), "19 0 ");
  EXPECT_EQ(Trace("uia=2\nuib=1\n" + post), "21 22 0 ");
  EXPECT_EQ(Trace("uia=0\nuib=1\n" + post), "3 0 ");
  EXPECT_EQ(Trace("uia=3\nuib=1\n" + post), "9 0 ");
  EXPECT_EQ(Trace("uia=7\nuib=1\n" + post), "9 0 ");
}

TEST_F(ControlStructures, WhenConditionNamesEveryValue) {
  std::vector<std::string> out = Compile("case (ssA)\nwhen 'x' 'y'\nwhen 7\nend\n");
  EXPECT_EQ(ReadableTokens(out[0].substr(4)),
            "{test}((ssa)=({str " + std::to_string(kFirstStringLiteral) + "})or(ssa)=({str " +
                std::to_string(kFirstStringLiteral + 1) + "})){jump-if-false L0}");
  EXPECT_EQ(ReadableTokens(out[3].substr(4)), "{test}((ssa)=(7)){jump-if-false L2}");
}

TEST_F(ControlStructures, TwoLabelLinesInARowShareAPosition) {
  std::vector<std::string> text = Compile("if(a)\nif(b)\nx=1\nend\nend\ny=2\n");
  EXPECT_EQ(Show(text),
            "0,1|{test}(a){jump-if-false L0}\n"
            "0,2|{test}(b){jump-if-false L1}\n"
            "0,3|x=1\n"
            "{label L1}\n"
            "{label L0}\n"
            "0,6|y=2\n");
  LoadedProgram p;
  LoadProgram(diag_, text, state_.label_counter, {}, p);
  EXPECT_EQ(p.labels[0], p.labels[1]);
  EXPECT_EQ(p.bytes.substr(static_cast<size_t>(p.labels[0])), "0,6" + Tok(kTokLocation) + "y=2\n");
}

TEST_F(ControlStructures, LabelsContinueTheSharedCounter) {
  state_.label_counter = 40;  // function and LABEL labels came first
  std::vector<std::string> in = {WithLocation({0, 1}, Tok(kTokMainStart)),
                                 Tok(kTokLabelLine) + "39", WithLocation({0, 2}, "while(a)"),
                                 WithLocation({0, 3}, "end"), WithLocation({0, 4}, Tok(kTokMainEnd))};
  EXPECT_EQ(Show(CompileControlStructures(diag_, state_, in)),
            "0,1|{MAIN}\n"
            "{label L39}\n"
            "{label L40}\n"
            "0,2|{test}(a){jump-if-false L41}\n"
            "0,3|{jump L40}\n"
            "{label L41}\n"
            "0,4|{END MAIN}\n");
  EXPECT_EQ(state_.label_counter, 42);
}

TEST_F(ControlStructures, StatementsWithoutTheirOpeningAreReported) {
  EXPECT_EQ(ReportFor("x=1\nend\n"), Report("END without use in", 2, "end"));
  EXPECT_EQ(ReportFor("repeat\nend\n"), Report("END without use in", 2, "end"));
  EXPECT_EQ(ReportFor("else\n"), Report("ELSE statement without preceding IF statement in", 1, "else"));
  EXPECT_EQ(ReportFor("while(a)\nelse\nend\n"),
            Report("ELSE statement without preceding IF statement in", 2, "else"));
  EXPECT_EQ(ReportFor("if(a)\nelse\nelse if(b)\n"),
            Report("ELSE IF statement without preceding IF statement in", 3, "else if(b)"));
  EXPECT_EQ(ReportFor("when 1\n"),
            Report("WHEN statement without preceding CASE statement in", 1, "when 1"));
  EXPECT_EQ(ReportFor("case(a)\nwhen other\n"),
            Report("WHEN OTHER statement without preceding WHEN statement in", 2, "when other"));
  EXPECT_EQ(ReportFor("case(a)\nwhen 1\nwhen other\nwhen 2\n"),
            Report("WHEN statement without preceding CASE statement in", 4, "when 2"));
  EXPECT_EQ(ReportFor("case(a)\nend\n"), Report("CASE statement without WHEN in", 2, "end"));
  EXPECT_EQ(ReportFor("until(a)\n"),
            Report("UNTIL statement without preceding REPEAT statement in", 1, "until(a)"));
  EXPECT_EQ(ReportFor("repeat\nwhile(a)\nuntil(b)\n"),
            Report("UNTIL statement without preceding REPEAT statement in", 3, "until(b)"));
  EXPECT_EQ(ReportFor("break\n"), Report("BREAK statement outside of loop in", 1, "break"));
  EXPECT_EQ(ReportFor("if(a) continue\n"),
            Report("CONTINUE statement outside of loop in", 1, "if(a) continue"));
}

TEST_F(ControlStructures, UnclosedStructuresAreReportedAtTheirOpeningLine) {
  EXPECT_EQ(ReportFor("if(a)\nx=1\n"), Report("Condition statement without END in", 1, "if(a)"));
  EXPECT_EQ(ReportFor("if(a)\nelse\nx=1\n"), Report("Condition statement without END in", 2, "else"));
  EXPECT_EQ(ReportFor("while(a)\nif(b)\nend\n"), Report("WHILE statement without END in", 1, "while(a)"));
  EXPECT_EQ(ReportFor("repeat\nx=1\n"), Report("REPEAT statement without UNTIL in", 1, "repeat"));
  EXPECT_EQ(ReportFor("for(uii=1 to 2)\n"),
            Report("FOR statement without END in", 1, "for(uii=1 to 2)"));
  EXPECT_EQ(ReportFor("case(a)\n"), Report("CASE statement without WHEN in", 1, "case(a)"));
  EXPECT_EQ(ReportFor("case(a)\nwhen 1\nx=2\n"), Report("CASE statement without END in", 2, "when 1"));
  EXPECT_EQ(ReportFor("case(a)\nwhen 1\nwhen other\n"),
            Report("CASE statement without END in", 3, "when other"));
  // The innermost open one is named, even when it lies in an earlier part
  // of the text than the last line read.
  EXPECT_EQ(ReportFor("while(a)\nfor(uii=1 to 2)\nx=1\n\n\ny=2\n"),
            Report("FOR statement without END in", 2, "for(uii=1 to 2)"));
}

TEST_F(ControlStructures, UnclosedStructureInAnIncludeFileNamesThatFile) {
  WriteFile("lib/a.inc", "x=1\n\nif (b)\n");
  std::string report = ReportFor("include: 'lib/a.inc'\ny=1\n");
  EXPECT_EQ(report,
            "Error in include file - lib/a.inc\n\nCondition statement without END in line 3:\nif (b)\n");
}

TEST_F(ControlStructures, MalformedStatementsAreReported) {
  EXPECT_EQ(ReportFor("end x\n"), Report("Invalid END statement in", 1, "end x"));
  EXPECT_EQ(ReportFor("x=end\n"), Report("Invalid END statement in", 1, "x=end"));
  EXPECT_EQ(ReportFor("if(a)\nelse x\n"), Report("Invalid ELSE statement in", 2, "else x"));
  EXPECT_EQ(ReportFor("repeat 2\n"), Report("Invalid REPEAT statement in", 1, "repeat 2"));
  EXPECT_EQ(ReportFor("case(a)\nwhen 1\nwhen other 2\n"),
            Report("Invalid WHEN OTHER statement in", 3, "when other 2"));
  EXPECT_EQ(ReportFor("case(a)\nwhen\n"), Report("Invalid WHEN statement in", 2, "when"));
  EXPECT_EQ(ReportFor("while(a)\nbreak 2\n"), Report("Invalid BREAK statement in", 2, "break 2"));
  EXPECT_EQ(ReportFor("while(a)\nif(b) x=1 continue\n"),
            Report("Invalid CONTINUE statement in", 2, "if(b) x=1 continue"));
  EXPECT_EQ(ReportFor("x=1 if(a)\n"), Report("Invalid condition statement in", 1, "x=1 if(a)"));
  EXPECT_EQ(ReportFor("while(a) x=1\n"), Report("Invalid condition statement in", 1, "while(a) x=1"));
  EXPECT_EQ(ReportFor("if(a) end\n"), Report("Invalid condition statement in", 1, "if(a) end"));
  EXPECT_EQ(ReportFor("if(a=end)\n"), Report("Invalid condition statement in", 1, "if(a=end)"));
  EXPECT_EQ(ReportFor("while(a)break\n"), Report("Invalid condition statement in", 1, "while(a)break"));
  EXPECT_EQ(ReportFor("if a\n"), Report("Left parenthesis ( is missing from", 1, "if a"));
  EXPECT_EQ(ReportFor("while((a)\n"), Report("Right parenthesis ) is missing from", 1, "while((a)"));
}

TEST_F(ControlStructures, ForStatementChecks) {
  EXPECT_EQ(ReportFor("for(uii to 3)\n"),
            Report("Missing = parameter in FOR statement in", 1, "for(uii to 3)"));
  EXPECT_EQ(ReportFor("for(uii=1 to uia>=3)\n"),
            Report("More than one = parameters in FOR statement in", 1, "for(uii=1 to uia>=3)"));
  EXPECT_EQ(ReportFor("for(uii=1 tox)\n"),
            Report("Missing TO parameter in FOR statement in", 1, "for(uii=1 tox)"));
  EXPECT_EQ(ReportFor("for(uii=1 to 2 to 3)\n"),
            Report("More than one TO parameters in FOR statement in", 1, "for(uii=1 to 2 to 3)"));
  EXPECT_EQ(ReportFor("for(uii=1 to 9 step 2 step 3)\n"),
            Report("More than one STEP parameters in FOR statement in", 1,
                   "for(uii=1 to 9 step 2 step 3)"));
  EXPECT_EQ(ReportFor("for(usi=1 to 3)\n"),
            Report("First parameter of FOR statement not numeric variable", 1, "for(usi=1 to 3)"));
  EXPECT_EQ(ReportFor("for(uii=1 to 3)x=1\n"),
            Report("Invalid condition statement in", 1, "for(uii=1 to 3)x=1"));
  // System variables and real loop variables are numeric.
  EXPECT_NO_THROW(Compile("for(srx=1 to 3)\nend\nfor(sii=1 to 3)\nend\nfor(urx=0 to 1 step .5)\nend\n"));
}

}  // namespace
}  // namespace tornel
