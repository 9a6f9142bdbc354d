// The reader over whole APT-CL files: both passes, the copy, the look-ahead
// ring and its drain, OnAPT with siProcess, the flags of the APT-access
// functions and the progress value.
#include "tornel/cl/cl_reader.h"

#include <initializer_list>
#include <string_view>

#include <gtest/gtest.h>

#include "tests/fatal_report.h"
#include "tests/post_run.h"
#include "tornel/cl/lookahead.h"
#include "tornel/driver/run_state.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {
namespace {

// A post whose OnAPT functions log what the second pass shows them: per
// record in order, its line, the _Next line, siMoveType_Next,
// siRecType_Next and srZ_In_Next.  The first pass only counts.
const char* kLogPost =
    "main\nvariable\nuiN\nuiFirst\nuiRecs\nuiRec[100]\nuiNext[100]\nuiMove[100]\n"
    "uiKind[100]\nurZ[100]\nuiSize[100]\nend\nend main\n"
    "func fvLog\n"
    "if (siRecs = 0)\nuiFirst = uiFirst + 1\nreturn\nend\n"
    "uiRecs = siRecs\nuiN = uiN + 1\nuiRec[uiN] = siRec\nuiNext[uiN] = siRec_Next\n"
    "uiMove[uiN] = siMoveType_Next\nuiKind[uiN] = siRecType_Next\nurZ[uiN] = srZ_In_Next\n"
    "uiSize[uiN] = siRecSize\n"
    "end func\n"
    "func OnAPT[goto]\nfvLog\nend func\n"
    "func OnAPT[rapid]\nfvLog\nend func\n"
    "func OnAPT[fedrat]\nfvLog\nend func\n"
    "func OnAPT[loadtl]\nfvLog\nsiProcess = 1\nend func\n";

class ClReaderTest : public tornel_test::PostRun {
 protected:
  // Compiles `post`, writes `cl` as the APT-CL file and runs both passes.
  void RunPasses(const std::string& post, const std::string& cl) {
    Compile(post);
    WriteFile("part.cl", cl);
    ctx.files.apt_path = "part.cl";
    RunClPass(Cl(), ClPass::kFirst);
    first_progress = ctx.diag.progress.value;
    RunClPass(Cl(), ClPass::kSecond);
  }
  int first_progress = -1;
};

TEST_F(ClReaderTest, NextValuesComeFromTheRecordsAhead) {
  RunPasses(kLogPost,
            "LOADTL/1\nFEDRAT/100\nGOTO/1,2,3\nRAPID\nGOTO / 0, 0, 100 $$ up\n"
            "FINI\nGOTO/9,9,9\n");
  EXPECT_EQ(Int("uiFirst"), 5);  // OnAPT runs in the first pass too
  ASSERT_EQ(Int("uiN"), 5);      // and every record once in the second
  EXPECT_EQ(Int("uiRecs"), 6);   // lines read up to FINI
  // LOADTL: the FEDRAT gives the kind and is the look-ahead record.
  EXPECT_EQ(Int("uiKind", 1), kKindFeed);
  EXPECT_EQ(Int("uiNext", 1), 2);
  EXPECT_EQ(Int("uiMove", 1), kKindGoto);
  EXPECT_EQ(Real("urZ", 1), 3);
  // GOTO at line 3: a RAPID, then a GOTO to (0, 0, 100).
  EXPECT_EQ(Int("uiRec", 3), 3);
  EXPECT_EQ(Int("uiMove", 3), kKindRapid);
  EXPECT_EQ(Int("uiKind", 3), kKindRapid);
  EXPECT_EQ(Int("uiNext", 3), 5);
  EXPECT_EQ(Real("urZ", 3), 100);
  // The last record has only the END ahead that Tornel makes for a file
  // without one, at the last line read (FINI).
  EXPECT_EQ(Int("uiRec", 5), 5);
  EXPECT_EQ(Int("uiSize", 5), 4);
  EXPECT_EQ(Int("uiNext", 5), 6);
  EXPECT_EQ(Int("uiMove", 5), 0);
  EXPECT_EQ(Int("siRecSize_Next"), 0);
  // The copy ends at FINI.
  EXPECT_EQ(ReadFile("TorApt.tmp"),
            "LOADTL/1\r\nFEDRAT/100\r\nGOTO/1,2,3\r\nRAPID\r\nGOTO / 0, 0, 100 $$ up\r\n"
            "FINI\r\n");
}

TEST_F(ClReaderTest, LongFileIsProcessedInOrderThroughTheRing) {
  std::string cl;
  for (int i = 1; i <= 90; ++i) cl += "GOTO/" + std::to_string(i) + ",0," + std::to_string(i) + "\n";
  RunPasses(kLogPost, cl);  // no FINI: the end of the file ends the pass
  ASSERT_EQ(Int("uiN"), 90);
  for (int i = 1; i <= 90; ++i) EXPECT_EQ(Int("uiRec", i), i);
  for (int i = 1; i < 90; ++i) EXPECT_EQ(Real("urZ", i), i + 1) << i;  // the GOTO one ahead
  EXPECT_EQ(Real("urZ", 90), 90);  // nothing ahead: the value stays
  EXPECT_EQ(Int("uiRecs"), 90);
  EXPECT_EQ(Int("siRec_Prev"), 90);
}

TEST_F(ClReaderTest, LookAheadStopsAtTheNextMotionAndSkipsOtherRecords) {
  std::string cl = "GOTO/0,0,1\n";
  for (int i = 0; i < 30; ++i) cl += "PPRINT/'X'\n";
  cl += "CUTCOM/LEFT\nGOTO/0,0,7\nSPINDL/300\n";
  RunPasses(kLogPost, cl);
  ASSERT_EQ(Int("uiN"), 2);
  EXPECT_EQ(Int("uiMove", 1), kKindGoto);
  EXPECT_EQ(Int("uiKind", 1), kKindCutcom);  // through siSubType_Next
  EXPECT_EQ(Int("uiNext", 1), 32);            // the CUTCOM record
  EXPECT_EQ(Real("urZ", 1), 7);
  // Beyond 39 records the scan doesn't see.
  cl = "GOTO/0,0,1\n";
  for (int i = 0; i < 39; ++i) cl += "PPRINT/'X'\n";
  cl += "GOTO/0,0,7\n";
  RunPasses(kLogPost, cl);
  EXPECT_EQ(Int("uiMove", 1), 0);
  EXPECT_EQ(Int("uiNext", 1), 40);  // the 39th record examined
}

TEST_F(ClReaderTest, EmptyAndMissingFilesGivePassesWithoutRecords) {
  RunPasses(kLogPost, "");
  EXPECT_EQ(Int("uiFirst"), 0);
  EXPECT_EQ(Int("uiN"), 0);
  EXPECT_TRUE(Exists("TorApt.tmp"));
  EXPECT_EQ(ctx.diag.progress.value, 0);

  ctx.files.apt_path = "absent.cl";
  RunClPass(Cl(), ClPass::kFirst);
  RunClPass(Cl(), ClPass::kSecond);
  EXPECT_EQ(Int("uiN"), 0);
}

TEST_F(ClReaderTest, OnAptRunsFirstMatchAndSiProcessDecides) {
  Compile(kLogPost);
  // Processing a slot sets siProcess to 1 before the offer.
  tornel_test::SetInt(ctx, "siProcess", 1);
  EXPECT_TRUE(OfferToOnApt(Cl(), "CIRCLE"));  // no function: standard processing
  EXPECT_FALSE(OfferToOnApt(Cl(), "Goto"));   // siProcess left at 0
  tornel_test::SetInt(ctx, "siProcess", 1);
  EXPECT_TRUE(OfferToOnApt(Cl(), "loadtl"));  // sets siProcess = 1
  EXPECT_EQ(Int("uiFirst"), 2);               // siRecs 0: counted
}

TEST_F(ClReaderTest, SkipDispatchLoadsWithoutOnApt) {
  Compile(kLogPost);
  ClReader& r = ctx.cl;
  ASSERT_EQ(AssembleLine(r.slots[3], "GOTO/4,5,6", 12), FeedResult::kRecord);
  r.skip_dispatch = true;
  ProcessSlot(Cl(), 3);
  EXPECT_EQ(Int("uiFirst"), 0);
  EXPECT_FALSE(r.skip_dispatch);
  EXPECT_EQ(Int("siRec"), 12);
  EXPECT_EQ(Real("srWordVal", 3), 5);
  EXPECT_EQ(Int("siRec_Prev"), 12);
  EXPECT_EQ(Real("srWordVal_Prev", 4), 6);
  EXPECT_EQ(r.slots[3].words, 0);
}

TEST_F(ClReaderTest, CommandSlotLeavesTheRingAlone) {
  Compile(kLogPost);
  ClReader& r = ctx.cl;
  r.current = 5;
  FeedCommand(Cl(), "GOTO/1,1,1");
  EXPECT_EQ(Int("uiFirst"), 1);
  EXPECT_EQ(r.current, 5);
  EXPECT_FALSE(r.parse_only);
  EXPECT_EQ(r.slots[kCommandSlot].words, 0);
  FeedCommand(Cl(), "FEDRAT$");  // no words: nothing runs
  EXPECT_EQ(Int("uiFirst"), 1);
}

TEST_F(ClReaderTest, BadRecordsStopTheRun) {
  std::string words = "GOTO/0";
  for (int i = 1; i < 100; ++i) words += ",1";
  Compile(kLogPost);
  WriteFile("part.cl", words + "\n");
  ctx.files.apt_path = "part.cl";
  EXPECT_EQ(tornel_test::ReportOf(ctx.diag, [&] { RunClPass(Cl(), ClPass::kFirst); }),
            "Too many words in CL-record\nAPT-CL file - part.cl, line 1.");
  Compile(kLogPost);
  ctx.files.apt_path = "part.cl";
  WriteFile("part.cl", "PPRINT/" + std::string(3000, 'A') + "\n");
  EXPECT_EQ(tornel_test::ReportOf(ctx.diag, [&] { RunClPass(Cl(), ClPass::kFirst); }),
            "Too many characters in CL-record\nAPT-CL file - part.cl, line 1.");
  // A continued record is named by the line it starts on.
  Compile(kLogPost);
  ctx.files.apt_path = "part.cl";
  WriteFile("part.cl", "GOTO/1,2,3\nPPRINT/$\n" + std::string(1500, 'A') + "$\n" +
                           std::string(1500, 'B') + "\n");
  EXPECT_EQ(tornel_test::ReportOf(ctx.diag, [&] { RunClPass(Cl(), ClPass::kFirst); }),
            "Too many characters in CL-record\nAPT-CL file - part.cl, line 2.");
}

// A number no double holds would reach the NC file as "inf": the run
// stops at its record, in either form of writing it.
TEST_F(ClReaderTest, NumbersOutOfRangeStopTheRun) {
  for (const std::string& record : {std::string("GOTO/1E309,1,2"),
                                    "GOTO/" + std::string(400, '9') + ",1,2",
                                    std::string("FEDRAT/MMPM,-1E309"), std::string("PPRINT 1E999")}) {
    Compile(kLogPost);
    ctx.files.apt_path = "part.cl";
    WriteFile("part.cl", "GOTO/0,0,0\n$$ a comment\n" + record + "\nFINI\n");
    EXPECT_EQ(tornel_test::ReportOf(ctx.diag, [&] { RunClPass(Cl(), ClPass::kFirst); }),
              "Number out of range in CL-record\nAPT-CL file - part.cl, line 3.")
        << record;
  }
  // Tiny values are zero, and the largest double is a number like any.
  RunPasses("main\nend main\n", "GOTO/1E-400,1.7E308,-" + std::string(300, '9') + "\nFINI\n");
  EXPECT_EQ(Real("srX_In"), 0);
  EXPECT_EQ(Real("srY_In"), 1.7e308);
}

TEST_F(ClReaderTest, HostileInputRunsToTheEnd) {
  std::string cl = "FOO/BAR,,,'\nGOTO\nGOTO/x,y\nGOTO/" + std::string(300, '9') +
                   ",-,+.\n/1,2\n";
  for (int i = 0; i < 2000; ++i) cl += static_cast<char>((i * 131 + 7) % 256);
  cl += "\nLOADTL/$\n";  // ends inside a continued record
  RunPasses(kLogPost, cl);
  EXPECT_GE(Int("uiN"), 3);
  EXPECT_EQ(Int("uiRec", 1), 2);  // FOO has no OnAPT; GOTO comes first
  // The copy holds every byte; only line ends become CR LF.
  std::string copy;
  for (size_t i = 0; i < cl.size(); ++i) {
    if (cl[i] == '\n' && (i == 0 || cl[i - 1] != '\r')) copy += '\r';
    copy += cl[i];
  }
  EXPECT_EQ(ReadFile("TorApt.tmp"), copy);
}

// Fills ring slots from..from+n with the records, as the reader would.
void FillRing(ClReader& r, int from, std::initializer_list<std::string_view> records) {
  int line = 100;
  for (std::string_view rec : records) {
    from = (from + 1) % kClRingSlots;
    ASSERT_EQ(AssembleLine(r.slots[from], rec, ++line), FeedResult::kRecord) << rec;
  }
}

TEST_F(ClReaderTest, LookAheadAnnouncesTheEndOfTheActiveTool) {
  Compile(kLogPost);
  ClReader& r = ctx.cl;
  ctx.values.ints[kSiToolCh] = 1;
  r.tools.current = 1;
  r.tools.active = true;
  // Ring wraps: the records after slot 38 sit in 39, 0, 1.
  FillRing(r, 38, {"PPRINT/'X'", "LOADTL/1", "LOADTL/2"});
  const RecordSlot* next = LookAheadScan(r, ctx.values, 38);
  EXPECT_EQ(ctx.values.ints[kSiRecType_Next], kKindToolChange);
  EXPECT_EQ(next, &r.slots[0]);  // the first record that gave the kind
  EXPECT_EQ(r.tools.next, 1);
  EXPECT_FALSE(r.tools.cancel_pending);  // the same tool again
  EXPECT_EQ(ctx.values.ints[kSiToolCancelAct], 0);

  for (RecordSlot& slot : r.slots) EmptySlot(slot);
  ctx.values.ints[kSiRecType_Next] = 0;
  FillRing(r, 0, {"END"});
  LookAheadScan(r, ctx.values, 0);
  EXPECT_TRUE(r.tools.cancel_pending);
  EXPECT_EQ(ctx.values.ints[kSiToolCancelAct], 1);

  // Before the first tool change the current tool is unknown.
  ctx.values.ints[kSiToolCh] = 0;
  LookAheadScan(r, ctx.values, 5);
  EXPECT_EQ(r.tools.current, -9999.0);
}

TEST_F(ClReaderTest, LookAheadCycleOffMarksTheLastPoint) {
  Compile(kLogPost);
  ClReader& r = ctx.cl;
  ctx.values.ints[kSiCycleAct] = 1;
  ctx.values.reals[kSrXT_In] = 10;  // the input frame shifts X
  ctx.values.reals[kSrXIT_In] = ctx.values.reals[kSrYJT_In] = ctx.values.reals[kSrZKT_In] = 1;
  FillRing(r, 0, {"CYCLE/off", "GOTO/1,2,3,0,0,1"});
  const RecordSlot* next = LookAheadScan(r, ctx.values, 0);
  EXPECT_EQ(ctx.values.ints[kSiLastPoint], 1);
  EXPECT_EQ(ctx.values.ints[kSiRecType_Next], kKindCycle);
  EXPECT_EQ(ctx.values.ints[kSiMoveType_Next], kKindGoto);
  EXPECT_EQ(next, &r.slots[1]);
  EXPECT_EQ(ctx.values.reals[kSrX_CL_Next], 11);
  EXPECT_EQ(ctx.values.reals[kSrK_CL_Next], 1);  // a direction: no shift
}

TEST_F(ClReaderTest, MissingCompanionFileEndsTheRun) {
  Compile(kLogPost);
  WriteFile("part.cl", "GOTO/1,1,1\n");
  ctx.files.apt_path = "part.cl";
  ctx.files.companion_path = "partx.cl";
  ctx.flags.companion_file = 1;
  EXPECT_EQ(tornel_test::ReportOf(ctx.diag, [&] { RunClPass(Cl(), ClPass::kFirst); }),
            "File partx.cl not found.");
  EXPECT_EQ(ctx.cl.input, nullptr);  // the pass's files are closed
}

TEST_F(ClReaderTest, ProgressRunsFromZeroToTenThenToAHundred) {
  EXPECT_EQ(ProgressPercent(0, 10, 0, 0), 0);
  EXPECT_EQ(ProgressPercent(0, 10, 99, 100), 9);  // truncated
  EXPECT_EQ(ProgressPercent(10, 90, 50, 100), 55);
  EXPECT_EQ(ProgressPercent(10, 90, 100, 100), 100);
  RunPasses(kLogPost, "GOTO/1,1,1\nGOTO/2,2,2\n");
  EXPECT_EQ(first_progress, 10);
  EXPECT_EQ(ctx.diag.progress.value, 100);
  // FINI stops the reading early in the file; the copy ends there, so the
  // second pass reads all of it.
  RunPasses(kLogPost, "FINI\n" + std::string(200, '$') + "\n");
  EXPECT_EQ(first_progress, 0);
  EXPECT_EQ(ctx.diag.progress.value, 100);
}

// A file as a Windows CAM system may write it: a byte order mark, CR LF and
// CR CR LF line ends, lower-case words.
TEST_F(ClReaderTest, ByteOrderMarkAndLineEndsOfWindowsFiles) {
  const std::string cl =
      "\xEF\xBB\xBFloadtl/1\r\nfedrat/100\r\r\ngoto/1,2,3\r\n"
      "rapid\r\ngoto/0,0,100\r\r\nfini\r";
  RunPasses(kLogPost, cl);
  ASSERT_EQ(Int("uiN"), 5);
  EXPECT_EQ(Int("uiRec", 1), 1);  // loadtl reached its OnAPT
  EXPECT_EQ(Int("uiKind", 1), kKindFeed);
  EXPECT_EQ(Int("uiMove", 3), kKindRapid);
  EXPECT_EQ(Real("urZ", 3), 100);
  EXPECT_EQ(Int("uiSize", 5), 4);
  // The copy keeps the mark; the second pass drops it again.
  EXPECT_EQ(ReadFile("TorApt.tmp").substr(0, 11), "\xEF\xBB\xBFloadtl/1");

  // CR line ends alone: one line of the file, every record in it.
  RunPasses(kLogPost, "LOADTL/1\rFEDRAT/100\rGOTO/1,2,$\r3\rFINI\rGOTO/9,9,9\r");
  ASSERT_EQ(Int("uiN"), 3);
  EXPECT_EQ(Int("uiRecs"), 1);
  EXPECT_EQ(Int("uiSize", 3), 4);
  EXPECT_EQ(Real("urZ", 1), 3);  // the LOADTL sees the GOTO ahead
}

}  // namespace
}  // namespace tornel
