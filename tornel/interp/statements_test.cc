#include "tornel/interp/statements.h"

#include <gtest/gtest.h>

#include "platform/progress.h"
#include "tests/fatal_report.h"
#include "tests/in_memory.h"
#include "tests/post_run.h"
#include "tornel/compiler/tokens.h"
#include "tornel/driver/run_host.h"
#include "tornel/interp/expression.h"

namespace tornel {
namespace {

class Statements : public tornel_test::PostRun {};

TEST_F(Statements, IncludeFileMainSectionsRunFirst) {
  // Each MAIN appends its digit: the include files' sections (in the text
  // after the post file's, the later include last) run from the last.
  AddSource("a.inc", "main\nvariable\nuiOrder\nend\nuiOrder = uiOrder * 10 + 1\nend main\n");
  AddSource("b.inc", "main\nvariable\nuiOrder\nend\nuiOrder = uiOrder * 10 + 2\nend main\n");
  Run("include: 'a.inc'\ninclude: 'b.inc'\n"
      "main\nvariable\nuiOrder\nend\nuiOrder = uiOrder * 10 + 3\nend main\n"
      "main\nuiOrder = uiOrder * 10 + 4\nend main\n");
  EXPECT_EQ(Int("uiOrder"), 2143);
  // A second run starts from what the first left.
  RunMainSections(ctx);
  EXPECT_EQ(Int("uiOrder"), 21432143);
}

TEST_F(Statements, RuntimeErrorInAnIncludeFileNamesIt) {
  AddSource("lib/calc.inc", "// helpers\nmain\nvariable\nurQ\nend\nurQ = 1 / 0\nend main\n");
  EXPECT_EQ(ReportOf("include: 'lib/calc.inc'\nmain\nend main\n"),
            "Error in include file - lib/calc.inc\n\nDivision by zero in line 6:\nurQ = 1 / 0\n");
}

TEST_F(Statements, LoopsJumpsAndReturnInMain) {
  Run("main\nvariable\nuiI\nuiSum\nuiAfter\nend\n"
      "for (uiI = 1 to 10)\n"
      "  uiSum = uiSum + uiI\n"
      "  if (uiI = 4) jump out\n"
      "end\n"
      "label out\n"
      "while (uiSum < 100)\nuiSum = uiSum * 2\nend\n"
      "return\n"
      "uiAfter = 1\n"
      "end main\n"
      "main\nuiAfter = uiAfter + 10\nend main\n");
  EXPECT_EQ(Int("uiI"), 4);  // the jump left the loop variable as it was
  EXPECT_EQ(Int("uiSum"), 160);
  EXPECT_EQ(Int("uiAfter"), 10);  // RETURN ended its own MAIN section only
}

TEST_F(Statements, ConditionalsRunOneBranch) {
  const std::string post =
      "main\nvariable\nuiA\nusR\nend\n"
      "if (uiA = 1)\nusR = 'one'\n"
      "else if (uiA = 2 or uiA = 3)\nusR = 'two or three'\n"
      "else\nusR = 'other'\nend\n"
      "case (usR)\nwhen 'one' 'other'\nuiA = uiA + 100\nend\n"
      "end main\n";
  for (int a : {1, 2, 3, 4}) {
    Compile(post);
    tornel_test::SetInt(ctx, "uia", a);
    RunMainSections(ctx);
    EXPECT_EQ(Str("usR"), a == 1 ? "one" : a == 4 ? "other" : "two or three");
    EXPECT_EQ(Int("uiA"), a == 2 || a == 3 ? a : a + 100);
  }
}

TEST_F(Statements, MainIsRequired) {
  EXPECT_EQ(ReportOf("func fvX\nend func\n"), kMsgMainNotFound);
  EXPECT_EQ(ctx.diag.last_error, "Tornel internal error. MAIN not found in InitInstance.");
}

TEST_F(Statements, WindowMessagesArePumpedEvery100000Tokens) {
  // 16 tokens a turn: 10000 turns read 160000 tokens, a pump comes after
  // 100000 of them.
  Compile("main\nvariable\nuiI\nend\nwhile (uiI < 10000)\nuiI = uiI + 1\nend\nend main\n");
  platform::ProgressOpen(ctx.diag.progress);
  platform::RequestCancel();
  EXPECT_THROW(RunMainSections(ctx), RunEnded);
  EXPECT_EQ(ctx.diag.cancelled, 1);
  EXPECT_GT(Int("uiI"), 6000);
  EXPECT_LT(Int("uiI"), 6500);
  platform::ProgressClose(ctx.diag.progress);
}

// Programs written byte by byte, for records the compiler doesn't write.
// They stand for the lines of "p.tr", which holds "line 1", "line 2" ...
class Records : public tornel_test::InMemory {
 protected:
  void SetUp() override {
    std::string lines;
    for (int i = 1; i <= 9; ++i) lines += "line " + std::to_string(i) + "\n";
    WriteFile("p.tr", lines);
    Quote(diag_);
    diag_.post_file = "p.tr";
  }
  // Runs `records` (statements without location, on lines 2, 3 ...) as one
  // MAIN section with one integer variable, index 0; label n is placed
  // before record labels_at[n].  Gives the report that ends the run.
  std::string ReportFor(const std::vector<std::string>& records, std::vector<int> labels_at = {}) {
    program_.bytes = std::string("0,1") + kTokLocation + kTokMainStart + "\n";
    std::vector<size_t> starts;
    int line = 2;
    for (const std::string& r : records) {
      starts.push_back(program_.bytes.size());
      program_.bytes += "0," + std::to_string(line++) + kTokLocation + r + "\n";
    }
    starts.push_back(program_.bytes.size());
    program_.bytes += "0," + std::to_string(line) + kTokLocation + kTokMainEnd + "\n";
    program_.labels.clear();
    for (int at : labels_at) program_.labels.push_back(static_cast<int32_t>(starts[static_cast<size_t>(at)]));
    values_.ints.assign(1, 0);
    Interp in(diag_, program_, values_, functions_, state_);
    return tornel_test::ReportOf(diag_, [&] { RunMain(in); });
  }
  static std::string At(const std::string& message, int line) {
    return "Error in postprocessor file - p.tr\n\n" + message + " line " + std::to_string(line) +
           ":\nline " + std::to_string(line) + "\n";
  }

  Diagnostics diag_;
  LoadedProgram program_;
  ValueTables values_;
  FunctionTables functions_;
  InterpState state_;
};

TEST_F(Records, JumpWhenTrue) {
  const std::string var = std::string(1, kTokIntVar) + "0";
  const std::string test = std::string(1, kTokCondition) + "(" + var + "=3)";
  // Counts up and jumps back until the value is 3, then fails on purpose.
  EXPECT_EQ(ReportFor({var + "=" + var + "+1", test + kTokJumpIfTrue + "1",
                       std::string(1, kTokJump) + "0", "1/0"},
                      {0, 3}),
            At("Division by zero in", 5));
  EXPECT_EQ(values_.ints[0], 3);
}

TEST_F(Records, MalformedRecordsAreReported) {
  const std::string var = std::string(1, kTokIntVar) + "0";
  EXPECT_EQ(ReportFor({std::string(1, kTokCondition) + "(1)" + kTokJump + "0"}, {0}),
            At("Invalid condition statement in", 2));
  EXPECT_EQ(ReportFor({std::string(1, kTokJump) + "7"}), kMsgIndexOutOfRange);
  EXPECT_EQ(ReportFor({std::string(1, kTokJumpIfFalse) + "0"}, {0}), kMsgIllegalTokenType);
  EXPECT_EQ(ReportFor({"1", var + "=1" + kTokFuncStart}),
            At("Unrecognized term \"\x8c\" in", 3));
  EXPECT_EQ(ReportFor({std::string(1, kTokNumFunc) + TokenByte(192) + "(1)"}), kMsgIllegalToken);
}

}  // namespace
}  // namespace tornel
