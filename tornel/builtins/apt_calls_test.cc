// AptCmd's record texts and processing, AptProc's rebuilt record.
#include "tornel/builtins/apt_calls.h"

#include <string>

#include <gtest/gtest.h>

#include "tests/fatal_report.h"
#include "tests/post_run.h"
#include "tornel/driver/run.h"

namespace tornel {
namespace {

TEST(AptText, RecordTexts) {
  EXPECT_EQ(AptNumberText(1, 0.00001), "1");
  EXPECT_EQ(AptNumberText(2.5, 0.00001), "2.50000");
  EXPECT_EQ(AptNumberText(-0.25, 0.001), "-0.250");
  EXPECT_EQ(AptNumberText(2.5, 0), "2");  // no accuracy: no decimals (rounded)
  std::string text = "GOTO";
  AppendAptPart(text, "1", true);
  AppendAptPart(text, "2.50000", false);
  EXPECT_EQ(text, "GOTO/1,2.50000");
  text = "GOTO/";  // a separator of its own is not doubled
  AppendAptPart(text, "1", true);
  EXPECT_EQ(text, "GOTO/1");
}

class AptCalls : public tornel_test::PostRun {};

TEST_F(AptCalls, AptCmdProcessesItsRecordAsIfReadFromTheFile) {
  // An OnAPT function turns a dialect's record into GOTO and FEDRAT.
  std::string post =
      "main\nvariable\nuiN\nurX[9]\nurF[9]\nend\nend main\n"
      "func OnAPT[MOVETO]\n"
      "  AptCmd('FEDRAT', srWordVal[4])\n"
      "  AptCmd('GOTO', srWordVal[2], 2.5, 3)\n"   // the function still sees its record
      "  urF[9] = siProcess\n"
      "end func\n"
      "func LineMove\nuiN = uiN + 1\nurX[uiN] = srY_In\nurF[uiN] = srFeed\nend func\n";
  RunPasses(post, "MOVETO/1,2.25,100\nFINI\n");
  ASSERT_EQ(Int("uiN"), 1);  // MOVETO itself is not processed: its OnAPT said so
  EXPECT_EQ(Real("urX"), 2.5);
  EXPECT_EQ(Real("urF"), 100);
  EXPECT_EQ(Real("srX_In"), 1);
  EXPECT_EQ(Real("urF", 9), 0);

  // The record takes the line of the record that issued it, also in the
  // second pass, where the reading is up to 39 records ahead.
  post =
      "main\nvariable\nuiN\nuiRec[9]\nend\nend main\n"
      "func OnAPT[MOVETO]\n  AptCmd('GOTO', 1, 2, 3)\nend func\n"
      "func LineMove\nuiN = uiN + 1\nuiRec[uiN] = siRec\nend func\n";
  RunPasses(post, "PPRINT/A\nMOVETO\nPPRINT/B\nPPRINT/C\nMOVETO\nPPRINT/D\nFINI\n");
  EXPECT_EQ(Ints("uiRec", Int("uiN")), (std::vector<int32_t>{2, 5}));
}

TEST_F(AptCalls, ATextBeyondARecordsLimitIsRefusedAsARecordReadWouldBe) {
  EXPECT_EQ(ReportOf("main\nvariable\nusT\nuiI\nend\n"
                     "for (uiI = 1 to 3000)\nusT = usT + 'x'\nend\n"
                     "AptCmd('PPRINT/' + usT)\nend main\n"),
            "Too many characters in CL-record");
  EXPECT_EQ(ReportOf("main\nvariable\nusT\nuiI\nend\n"
                     "for (uiI = 1 to 100)\nusT = usT + ',1'\nend\n"
                     "AptCmd('GOTO/0' + usT)\nend main\n"),
            "Too many words in CL-record");
}

TEST_F(AptCalls, AptProcProcessesTheRecordAsThePostLeftIt) {
  std::string post =
      "main\nvariable\nuiN\nurZ[9]\nend\nend main\n"
      "func OnAPT[GOTO]\n"
      "  if (srWordVal[4] < 0)\n"
      "    srWordVal[4] = 0\n"      // no move below Z 0
      "    AptProc()\n"
      "    siProcess = 0\n"         // the record itself is not processed again
      "  else\n"
      "    siProcess = 1\n"
      "  end\n"
      "end func\n"
      "func LineMove\nuiN = uiN + 1\nurZ[uiN] = srZ\nend func\n";
  RunPasses(post, "FEDRAT/100\nGOTO/1,2,-5\nGOTO/1,2,4\nFINI\n");
  ASSERT_EQ(Int("uiN"), 2);
  EXPECT_EQ(Real("urZ", 1), 0);
  EXPECT_EQ(Real("urZ", 2), 4);
}

TEST_F(AptCalls, AptNextConsumesTheRecordAfterTheCurrentOne) {
  std::string post =
      "main\nvariable\nuiN\nuiGot[9]\nurX[9]\nusWord\nurNext\nend\nend main\n"
      "func OnAPT[PPRINT]\n"
      "  uiGot[1] = AptNext()\n"
      "  usWord = ssWordStr[1]\n"
      "  urNext = srWordVal[2]\n"
      "  siProcess = 0\n"     // the record variables are the consumed record's now
      "end func\n"
      "func OnAPT[END]\n  uiGot[2] = AptNext()\nend func\n"
      "func LineMove\nuiN = uiN + 1\nurX[uiN] = srX\nend func\n";
  RunPasses(post, "FEDRAT/100\nPPRINT/A\nGOTO/1,0,0\nGOTO/2,0,0\nGOTO/3,0,0\nEND\nFINI\n");
  EXPECT_EQ(Int("uiGot", 1), 1);
  EXPECT_EQ(Str("usWord"), "GOTO");  // the consumed record's words
  EXPECT_EQ(Real("urNext"), 1);
  ASSERT_EQ(Int("uiN"), 2);  // GOTO/1 was consumed, not processed
  EXPECT_EQ(Real("urX", 1), 2);
  EXPECT_EQ(Real("urX", 2), 3);
  EXPECT_EQ(Int("uiGot", 2), 0);  // nothing after the last record
}

// An OnAPT function that consumes the next record and leaves siProcess as
// it found it: neither its own record nor the consumed one is dispatched
// (the record variables are the consumed record's by then).
TEST_F(AptCalls, AConsumedRecordIsNotDispatchedUnderTheConsumersName) {
  std::string post =
      "main\nvariable\nuiN\nurX[9]\nend\nend main\n"
      "func OnAPT[INDIRV]\n  AptNext()\nend func\n"
      "func LineMove\nuiN = uiN + 1\nurX[uiN] = srX\nend func\n";
  RunPasses(post, "FEDRAT/100\nGOTO/1,0,0\nINDIRV/1,0,0\nGOTO/2,0,0\nGOTO/3,0,0\nEND\nFINI\n");
  ASSERT_EQ(Int("uiN"), 2);  // GOTO/2 was consumed
  EXPECT_EQ(Real("urX", 1), 1);
  EXPECT_EQ(Real("urX", 2), 3);
}

TEST_F(AptCalls, AptJumpReadsOnBeforeTheRecordItNames) {
  std::string post =
      "main\nvariable\nuiN\nuiDone\nurX[9]\nend\nend main\n"
      "func OnAPT[REPEAT]\n"
      "  if (siRecs > 0 and uiDone = 0)\n"
      "    uiDone = 1\n"
      "    AptJump(2)\n"
      "  end\n"
      "end func\n"
      "func LineMove\nuiN = uiN + 1\nurX[uiN] = srX\nend func\n";
  RunPasses(post, "FEDRAT/100\nGOTO/1,0,0\nREPEAT\nGOTO/9,0,0\nFINI\n");
  ASSERT_EQ(Int("uiN"), 3);
  EXPECT_EQ(Real("urX", 1), 1);
  EXPECT_EQ(Real("urX", 2), 1);  // read again from line 2
  EXPECT_EQ(Real("urX", 3), 9);  // once: the look-ahead held it when the jump came
}

TEST_F(AptCalls, AptJumpOutsideTheFileIsRefused) {
  for (const char* n : {"0", "6", "-1"}) {
    Compile("main\nend main\nfunc OnAPT[REPEAT]\n  if (siRecs > 0)\n    AptJump(" +
            std::string(n) + ")\n  end\nend func\n");
    WriteFile("part.cl", "GOTO/1,0,0\nREPEAT\nGOTO/2,0,0\nGOTO/3,0,0\nFINI\n");
    ctx.files.apt_path = "part.cl";
    RunFirstPass(ctx);
    std::string report = tornel_test::ReportOf(ctx.diag, [&] { RunSecondPass(ctx); });
    EXPECT_NE(report.find("Invalid jump index for AptJump in"), std::string::npos) << n;
  }
}

}  // namespace
}  // namespace tornel
