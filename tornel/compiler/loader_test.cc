#include "tornel/compiler/loader.h"

#include <gtest/gtest.h>

#include "tests/fatal_report.h"
#include "tests/test_dir.h"
#include "tornel/compiler/control_structures.h"
#include "tornel/compiler/final_pass.h"
#include "tornel/compiler/location_prefix.h"
#include "tornel/compiler/preprocessor.h"
#include "tornel/compiler/program_dump.h"
#include "tornel/compiler/tokens.h"
#include "tornel/driver/run.h"
#include "tornel/sysvars/system_variable_counts.h"

namespace tornel {
namespace {

std::string Tok(char token) { return std::string(1, token); }
std::string LabelLine(int n) { return Tok(kTokLabelLine) + std::to_string(n); }

TEST(Loader, RecordsFormOneStringAndLabelsPointAtTheNextRecord) {
  Diagnostics diag;
  LoadedProgram p;
  std::string a = WithLocation({0, 1}, "a=1");
  std::string b = WithLocation({0, 2}, "b=2");
  LoadProgram(diag, {LabelLine(2), a, LabelLine(0), LabelLine(1), b, LabelLine(3)}, 5, {}, p);
  EXPECT_EQ(p.bytes, a + "\n" + b + "\n");
  EXPECT_EQ(ProgramLength(p), a.size() + b.size() + 2);
  EXPECT_EQ(p.bytes.c_str()[ProgramLength(p)], '\0');
  // Two label lines in a row: both at the record after them.
  EXPECT_EQ(p.labels, (std::vector<int32_t>{static_cast<int32_t>(a.size() + 1),
                                            static_cast<int32_t>(a.size() + 1), 0,
                                            static_cast<int32_t>(ProgramLength(p)),
                                            kLabelNotPlaced}));
}

TEST(Loader, ALabelBeyondTheCountEnlargesTheTable) {
  Diagnostics diag;
  LoadedProgram p;
  LoadProgram(diag, {WithLocation({0, 1}, "x"), LabelLine(4)}, 1, {}, p);
  EXPECT_EQ(p.labels, (std::vector<int32_t>{kLabelNotPlaced, kLabelNotPlaced, kLabelNotPlaced,
                                            kLabelNotPlaced, 6}));
  // Loading again starts afresh.
  LoadProgram(diag, {}, 0, {}, p);
  EXPECT_TRUE(p.bytes.empty());
  EXPECT_TRUE(p.labels.empty());
}

// Loads one statement over tables of 10 integers, 5 reals and 3 strings
// and a function table of two descriptors (offset 0: label 0, no
// parameters; offset 8: label 1, one integer parameter in slot 9);
// gives the report, or "" when it loads.
std::string LoadReport(const std::string& statement, FunctionTables functions = {}) {
  if (functions.offsets.empty()) {
    functions.descriptors = {0, 0, 0, 0, 0, 0, 0, 0,  //
                             1, 1, 9, 10, 5, 5, 3, 3, TokenValue(kTokIntVar), 9};
    functions.descriptor_end = 18;
    functions.offsets = {0, 8};
  }
  Diagnostics diag;
  ReferenceLimits limits{10, 5, 3, &functions};
  LoadedProgram p;
  try {
    LoadProgram(diag, {LabelLine(0), LabelLine(1), WithLocation({0, 1}, statement)}, 3, limits, p);
  } catch (const RunEnded&) {
    return diag.last_error;
  }
  return "";
}

TEST(Loader, ReferencesInsideTheTablesLoad) {
  const std::string i = Tok(kTokIntVar), r = Tok(kTokRealVar), st = Tok(kTokStringRef);
  EXPECT_EQ(LoadReport(i + "9=" + r + "4+" + r + "0|5[2]+1234567"), "");
  EXPECT_EQ(LoadReport(st + "0|3[1]=" + st + "2"), "");
  EXPECT_EQ(LoadReport(Tok(kTokProc) + Tok(kTokFuncUser) + "0"), "");
  EXPECT_EQ(LoadReport(i + "0=" + Tok(kTokNumFunc) + Tok(kTokFuncUser) + "8(1)"), "");
  EXPECT_EQ(LoadReport(Tok(kTokCondition) + "(1)" + Tok(kTokJumpIfFalse) + "1"), "");
  // Built-in codes, attributes and replace kinds carry no number.
  EXPECT_EQ(LoadReport(r + "1=" + Tok(kTokNumFunc) + TokenByte(200) + "(2)"), "");
  EXPECT_EQ(LoadReport(r + "1=" + Tok(kTokAddress) + "3." + Tok(kTokAttrVal)), "");
}

TEST(Loader, AReferenceBeyondItsTableIsAnInternalError) {
  const std::string i = Tok(kTokIntVar), r = Tok(kTokRealVar), st = Tok(kTokStringRef);
  for (const std::string& bad : {
           i + "10=1",                      // one past the integers
           r + "5",                          // one past the reals
           st + "3",                         // one past the strings
           r + "2|4[1]",                     // an array that runs past the end
           i + "0|0[1]",                     // an array of no elements
           i + "99999999999999999999=1",     // digits beyond any index
           Tok(kTokJump) + "2",              // a label no line placed
           Tok(kTokJump) + "7",              // beyond the label table
           Tok(kTokProc) + Tok(kTokFuncUser) + "4",           // inside a descriptor
           Tok(kTokProc) + Tok(kTokFuncPost) + "2147483647",  // far beyond the table
           i + "1=" + Tok(kTokNumFunc) + i + "99999",         // a class byte before a variable
           Tok(kTokStrFunc),                                   // a class byte without code
       }) {
    EXPECT_EQ(LoadReport(bad), kMsgIllegalReference) << ReadableTokens(bad);
  }
}

TEST(Loader, ACalledFunctionsDescriptorIsChecked) {
  auto table = [](std::vector<int32_t> d) {
    FunctionTables f;
    f.descriptor_end = static_cast<int>(d.size());
    f.descriptors = std::move(d);
    f.offsets = {0};
    return f;
  };
  const std::string call = Tok(kTokProc) + Tok(kTokFuncUser) + "0";
  EXPECT_EQ(LoadReport(call, table({1, 0, 0, 10, 0, 5, 0, 3})), "");
  EXPECT_EQ(LoadReport(call, table({2, 0, 0, 0, 0, 0, 0, 0})), kMsgIllegalReference);   // label
  EXPECT_EQ(LoadReport(call, table({1, 0, 0, 11, 0, 0, 0, 0})), kMsgIllegalReference);  // locals
  EXPECT_EQ(LoadReport(call, table({1, 0, 0, 0, 3, 2, 0, 0})), kMsgIllegalReference);   // reversed
  EXPECT_EQ(LoadReport(call, table({1, 1, 0, 0, 0, 0, 0, 0})), kMsgIllegalReference);   // cut off
  EXPECT_EQ(LoadReport(call, table({1, 1, 0, 0, 0, 0, 0, 0, TokenValue(kTokRealVar), 5})),
            kMsgIllegalReference);  // a parameter past the reals
  EXPECT_EQ(LoadReport(call, table({1, 1, 0, 0, 0, 0, 0, 0, 99, 0})), kMsgIllegalReference);
  EXPECT_EQ(LoadReport(call, table({1, 2147483647, 0, 0, 0, 0, 0, 0})), kMsgIllegalReference);
}

class LoadedPost : public tornel_test::InTempDir {};

TEST(LoadedFromMemory, IncludeFilesLoadIntoOneProgramWithTheirLocations) {
  MemorySources files;
  auto WriteFile = [&](const std::string& name, const std::string& text) { files.Add(name, text); };
  WriteFile("mill.tr",
            "include: 'lib/a.inc'\n"
            "x = 1\n"
            "IF (x > 1 AND x <= 3) y = 2\n");
  WriteFile("lib/a.inc",
            "include: 'lib/b.inc'\n"
            "\n"
            "WHILE (z <> 0)\n"
            "  z = z - 1\n"
            "END\n");
  WriteFile("lib/b.inc", "// nothing but\nw = yes\n");
  Diagnostics diag;
  diag.post_file = "mill.tr";
  diag.sources = &files;
  CompilerState state;
  std::vector<std::string> text = Preprocess(diag, files, state.stacks, kFirstStringLiteral,
                                             ReadSourceLines(diag, files, "mill.tr"));
  text = CompileControlStructures(diag, state, text);
  text = FinalTextPass(diag, text);
  LoadedProgram p;
  LoadProgram(diag, text, state.label_counter, {}, p);
  EXPECT_EQ(DumpProgram(diag, p),
            "program: 71 bytes, 3 labels\n"
            "   0  mill.tr:2  x=1\n"
            "   8  mill.tr:3  {test}(x>1{and}x{<=}3){jump-if-false L0}\n"
            "  25  mill.tr:3  y=2\n"
            "L0:\n"
            "L1:\n"
            "  33  lib/a.inc:3  {test}(z{<>}0){jump-if-false L2}\n"
            "  46  lib/a.inc:4  z=z-1\n"
            "  56  lib/a.inc:5  {jump L1}\n"
            "L2:\n"
            "  63  lib/b.inc:2  w=1\n");
}

TEST_F(LoadedPost, CompilingAPostLoadsItsProgram) {
  WriteFile("part.cl", "FINI\n");
  WriteFile("mill.tr",
            "main\n"
            "  variable\n    uiA\n  end\n"
            "  if (uiA > 0) uiA = 2\n"
            "end main\n"
            "func fvX\n"
            "  label again\n"
            "  while (yes)\n    break\n  end\n"
            "  jump again\n"
            "end func\n");
  RunState ctx;
  StartUp(ctx, {"-p", "mill", "-i", "part.cl"});
  CompilePost(ctx);
  EXPECT_TRUE(ctx.program_loaded);
  EXPECT_TRUE(ctx.compiler.text.empty());
  std::string dump = DumpProgram(ctx.diag, ctx.program);
  // Numbered in pass order: the function, its LABEL, then IF and WHILE.
  EXPECT_NE(dump.find("mill.tr:5  {test}({int "), std::string::npos) << dump;
  EXPECT_NE(dump.find("{jump-if-false L2}\n"), std::string::npos) << dump;
  EXPECT_NE(dump.find("mill.tr:7  {FUNC}\nL0:\nL1:\nL3:\n"), std::string::npos) << dump;
  EXPECT_NE(dump.find("mill.tr:9  {test}(1){jump-if-false L4}"), std::string::npos) << dump;
  EXPECT_NE(dump.find("mill.tr:10  {jump L4}"), std::string::npos) << dump;
  EXPECT_NE(dump.find("mill.tr:11  {jump L3}\nL4:\n"), std::string::npos) << dump;
  EXPECT_NE(dump.find("mill.tr:12  {jump L1}\n"), std::string::npos) << dump;
  EXPECT_EQ(dump.find("not placed"), std::string::npos) << dump;
  EXPECT_EQ(ctx.program.labels.size(), static_cast<size_t>(ctx.compiler.label_counter));
}

TEST_F(LoadedPost, AFailedCompileLoadsNothing) {
  WriteFile("part.cl", "FINI\n");
  WriteFile("mill.tr", "main\nif (1)\nend main\n");
  RunState ctx;
  StartUp(ctx, {"-p", "mill", "-i", "part.cl"});
  EXPECT_EQ(tornel_test::ReportOf(ctx.diag, [&] { CompilePost(ctx); }),
            "Error in postprocessor file - mill.tr\n\nCondition statement without END in line 2:\n"
            "if (1)\n");
  EXPECT_FALSE(ctx.program_loaded);
  EXPECT_TRUE(ctx.program.bytes.empty());
}

}  // namespace
}  // namespace tornel
