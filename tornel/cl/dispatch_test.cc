// The record dispatcher over whole APT-CL files: machine state, tool lists,
// and the post functions each record calls, in their order.
#include "tornel/cl/dispatch.h"

#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "tests/post_run.h"
#include "tornel/cl/cl_reader.h"
#include "tornel/driver/run_host.h"
#include "tornel/driver/run_state.h"
#include "tornel/sysvars/defaults.h"

namespace tornel {
namespace {

// Declarations of a call log: each logging function appends its code and
// one value.
const char* kLogVariables =
    "main\nvariable\nuiN\nuiLog[100]\nurVal[100]\nusText[100]\nend\nend main\n";

std::string LogFunc(const std::string& name, int code, const std::string& value) {
  return "func " + name + "\nuiN = uiN + 1\nuiLog[uiN] = " + std::to_string(code) +
         "\nurVal[uiN] = " + value + "\nend func\n";
}

class DispatchTest : public tornel_test::PostRun {
 protected:
  // The logged codes, in call order.
  std::vector<int> Log() {
    std::vector<int> codes;
    for (int i = 1; i <= Int("uiN"); ++i) codes.push_back(Int("uiLog", i));
    return codes;
  }
};

TEST_F(DispatchTest, CoolantKindsAndTheirCodes) {
  RunPasses("main\nend main\n", "COOLNT/FLOOD,HIGH\n");
  EXPECT_EQ(Int("siCool"), 4);
  EXPECT_EQ(Real("srcCool"), Real("srcCoolFloodHi"));
  RunPasses("main\nend main\n", "COOLNT/THRU,HIGH\n");
  EXPECT_EQ(Int("siCool"), 6);
  EXPECT_EQ(Real("srcCool"), Real("srcCoolThruHi"));
  RunPasses("main\nend main\n", "COOLNT/FLOOD,LOW\nCOOLNT/MIST\n");
  EXPECT_EQ(Int("siCool"), 2);
  EXPECT_EQ(Real("srcCool"), Real("srcCoolMist"));
  RunPasses("main\nend main\n", "COOLNT/MIST\nCOOLNT/OFF\n");
  EXPECT_EQ(Int("siCool"), 0);
  EXPECT_EQ(Real("srcCool"), Real("srcCoolOff"));
}

TEST_F(DispatchTest, SpindleOnRestoresTheDirectionBeforeOff) {
  RunPasses("main\nend main\n", "LOADTL/1\nSPINDL/1200,RPM,CCLW\nSPINDL/OFF\n");
  EXPECT_EQ(Int("siSpDir"), 0);
  RunPasses("main\nend main\n", "LOADTL/1\nSPINDL/1200,RPM,CCLW\nSPINDL/OFF\nSPINDL/ON\n");
  EXPECT_EQ(Int("siSpDir"), 3);
  EXPECT_EQ(Real("srSpeed"), 1200);
  EXPECT_EQ(Int("siSpeedType"), 9);
  RunPasses("main\nend main\n", "LOADTL/1\nSPINDL/SFM,300\nSPINDL/OFF\nSPINDL/ON\n");
  EXPECT_EQ(Int("siSpDir"), 2);
  EXPECT_EQ(Int("siSpeedType"), 10);
  EXPECT_EQ(Real("srSpeed"), 300);
  EXPECT_EQ(Int("siSpDirList", 1), 2);
  EXPECT_EQ(Real("srSpeedList", 1), 300);
}

TEST_F(DispatchTest, FirstPassListsToolsAndTheirFirstFeed) {
  RunPasses("main\nend main\n",
            "FEDRAT/50\nLOADTL/7,LENGTH,120.5\nFEDRAT/100,IPR\nFEDRAT/300\n"
            "LOADTL/9\nFEDRAT/80\n");
  EXPECT_EQ(Int("siTools"), 2);
  EXPECT_EQ(Int("siToolsTot"), 2);
  EXPECT_EQ(Real("srToolList", 1), 7);
  EXPECT_EQ(Real("srToolLenList", 1), 120.5);
  EXPECT_EQ(Real("srToolList", 2), 9);
  // The FEDRAT before any tool is ignored; the first after a tool counts.
  EXPECT_EQ(Real("srFeedList", 1), 100);
  EXPECT_EQ(Int("siFeedTypeList", 1), 7);
  EXPECT_EQ(Int("siToolCh"), 2);
  EXPECT_EQ(Real("srToolNext"), 7);  // the last tool looks ahead to the first
  EXPECT_EQ(Real("srToolPrev"), 7);
}

TEST_F(DispatchTest, UnitsRuleScalesByThePostUnits) {
  RunPasses("main\nsiMetricPost = 0\nend main\n", "UNITS/MM\n");
  EXPECT_EQ(Int("siMetric"), 1);
  EXPECT_DOUBLE_EQ(Real("srPostUnitFactor"), 25.4);
  RunPasses("main\nend main\n", "UNITS/INCHES\n");
  EXPECT_EQ(Int("siMetric"), 0);
  EXPECT_DOUBLE_EQ(Real("srPostUnitFactor"), 1 / 25.4);
  // Lower case is not read: the units follow the post's.
  RunPasses("main\nend main\n", "UNITS/mm\n");
  EXPECT_EQ(Int("siMetric"), 1);
  EXPECT_DOUBLE_EQ(Real("srPostUnitFactor"), 1);
}

TEST_F(DispatchTest, ToolChangeReplacesTheFirstMotionAndToolCancelTheLast) {
  std::string post = std::string(kLogVariables) + LogFunc("ToolChange", 25, "srTool") +
                     LogFunc("SubToolChange", 27, "srTool") +
                     LogFunc("ToolCancel", 28, "siToolCancelAct") +
                     LogFunc("Move", 1, "srX") + LogFunc("ProgEnd", 36, "0");
  RunPasses(post,
            "LOADTL/1\nFEDRAT/100\nGOTO/1,0,0\nGOTO/2,0,0\nLOADTL/1\nGOTO/3,0,0\n"
            "LOADTL/2\nGOTO/4,0,0\nGOTO/5,0,0\nEND\n");
  // 1stToolChange is missing, so the first tool comes through ToolChange.
  EXPECT_EQ(Log(), (std::vector<int>{25, 1, 28, 27, 28, 36}));
  EXPECT_EQ(Real("urVal", 1), 1);
  EXPECT_EQ(Real("urVal", 2), 2);
  EXPECT_EQ(Real("urVal", 3), 1);  // siToolCancelAct during the cancel
  EXPECT_EQ(Real("urVal", 4), 2);
  EXPECT_EQ(Int("siToolCh"), 2);
}

TEST_F(DispatchTest, WithoutToolCancelTheLastMotionSeesTheCancelAnnounced) {
  std::string post = std::string(kLogVariables) + LogFunc("ToolChange", 25, "siToolCancelAct") +
                     LogFunc("Move", 1, "siToolCancelAct") +
                     LogFunc("ProgEnd", 36, "siToolCancelAct");
  RunPasses(post,
            "LOADTL/1\nFEDRAT/100\nGOTO/1,0,0\nGOTO/2,0,0\nLOADTL/2\nGOTO/3,0,0\n"
            "GOTO/4,0,0\nEND\n");
  // The motion before each tool change and END runs as the post's own
  // Move, with the cancel announced; the end of its event clears it.
  EXPECT_EQ(Log(), (std::vector<int>{25, 1, 25, 1, 36}));
  EXPECT_EQ(Real("urVal", 1), 0);  // the tool change that replaces GOTO/1
  EXPECT_EQ(Real("urVal", 2), 1);  // GOTO/2, the last of tool 1
  EXPECT_EQ(Real("urVal", 3), 0);
  EXPECT_EQ(Real("urVal", 4), 1);  // GOTO/4, the last before END
  EXPECT_EQ(Real("urVal", 5), 0);
  EXPECT_EQ(Int("siToolCancelAct"), 0);
}

// Most NX files have neither PARTNO nor END, Creo files no END: the program
// still starts and ends, as if the file had them, and a file that has them
// is processed as before.
TEST_F(DispatchTest, AFileWithoutPartnoOrEndStillMakesAWholeProgram) {
  std::string post = std::string(kLogVariables) + LogFunc("ProgStart", 99, "siRec") +
                     LogFunc("ToolChange", 25, "siRec") +
                     LogFunc("ToolCancel", 28, "siRec") + LogFunc("Move", 1, "siRec") +
                     LogFunc("ProgEnd", 36, "siRec");
  const std::string body = "LOADTL/1\nFEDRAT/100\nGOTO/1,0,0\nGOTO/2,0,0\n";
  RunPasses(post, body + "FINI\n");
  std::vector<int> whole = Log();
  // The tool change takes GOTO/1's place; the look-ahead sees the made END
  // coming, so ToolCancel takes the last motion's.
  EXPECT_EQ(whole, (std::vector<int>{99, 25, 28, 36}));
  EXPECT_EQ(Real("urVal", 1), 1);  // ProgStart before the first record, at its line
  EXPECT_EQ(Real("urVal", 4), 5);  // ProgEnd at the last line read

  // The same calls, once each, when the file has its own PARTNO and END.
  RunPasses(post, "PARTNO/P1\n" + body + "END\nFINI\n");
  EXPECT_EQ(Log(), whole);
  RunPasses(post, "PARTNO/P1\n" + body);  // END only made
  EXPECT_EQ(Log(), whole);
  RunPasses(post, body + "END\n");  // PARTNO only made
  EXPECT_EQ(Log(), whole);

  // An END in the middle is the file's END: nothing more is made after it.
  RunPasses(post, body + "END\nGOTO/3,0,0\n");
  EXPECT_EQ(Log(), (std::vector<int>{99, 25, 28, 36, 1}));

  // A file without any record makes no program at all.
  RunPasses(post, "$$ only a comment\nFINI\n");
  EXPECT_EQ(Int("uiN"), 0);
}

// A PARTNO or END that an OnAPT function makes of another record counts as
// the file's own.
TEST_F(DispatchTest, ARecordRenamedToEndByOnAptIsTheFilesEnd) {
  std::string post = std::string(kLogVariables) + LogFunc("ProgStart", 99, "0") +
                     LogFunc("ProgEnd", 36, "0") +
                     "func OnAPT[FINISH]\nssWordStr[1] = 'END'\nsiProcess = 1\nend func\n"
                     "func OnAPT[BEGIN]\nssWordStr[1] = 'PARTNO'\nsiProcess = 1\nend func\n";
  RunPasses(post, "BEGIN/X\nGOTO/1,0,0\nFINISH\n");
  EXPECT_EQ(Log(), (std::vector<int>{99, 36}));
}

TEST_F(DispatchTest, MoveReceivesEveryMotionWhenAloneAndCutsAreBracketed) {
  std::string post = std::string(kLogVariables) + LogFunc("Move", 1, "siMoveType") +
                     LogFunc("CutStart", 33, "srX") + LogFunc("CutEnd", 34, "srX") +
                     LogFunc("ProgStart", 35, "0");
  RunPasses(post, "PARTNO/12\nRAPID\nGOTO/0,0,10\nGOTO/0,0,0\nGOTO/5,0,0\nRAPID\nGOTO/5,0,10\n");
  EXPECT_EQ(Log(), (std::vector<int>{35, 1, 33, 1, 1, 34, 1}));
  EXPECT_EQ(Real("urVal", 2), 2);
  EXPECT_EQ(Real("urVal", 4), 3);
  EXPECT_EQ(Real("urVal", 3), 0);  // CutStart sees the position before the motion
  EXPECT_EQ(Real("srProgNo"), 12);
  EXPECT_EQ(Str("ssProgName"), "12");
  EXPECT_EQ(Int("siMoveType"), 0);
  EXPECT_EQ(Int("siMoveType_Prev"), 2);
  EXPECT_EQ(Real("srZ_Prev"), 0);
  EXPECT_EQ(Real("srZ"), 10);
  EXPECT_EQ(Real("srX_CL_Inc"), 0);
  EXPECT_EQ(Real("srZ_In_Inc"), 10);
}

TEST_F(DispatchTest, DisplayNextCollectsOneComment) {
  std::string post = std::string(kLogVariables) +
                     "func Comments\nuiN = uiN + 1\nuiLog[uiN] = siComments\n"
                     "usText[uiN] = ssComment[1]\nend func\n" +
                     LogFunc("Move", 1, "srX");
  RunPasses(post,
            "DISPLY/NEXT\nPPRINT/FIRST,PART\nPPRINT/SECOND\nGOTO/1,0,0\n"
            "DISPLY/ON\nPPRINT/A\nPPRINT/B\nGOTO/2,0,0\n");
  EXPECT_EQ(Log(), (std::vector<int>{1, 1, 2, 1}));
  EXPECT_EQ(Str("usText", 1), "FIRST,PART");
  EXPECT_EQ(Str("usText", 3), "A");
  EXPECT_EQ(Int("siComments"), 0);
  EXPECT_EQ(Str("ssGetComment"), "B");
}

TEST_F(DispatchTest, PprintToolDescriptionAndUnknownMajorWords) {
  RunPasses("main\nend main\n",
            "END\nPPRINT/DESCRIPTION:   flat   end mill\nFROBNICATE/1,2\nCUTTER/10,0.5\n");
  EXPECT_EQ(Str("ssToolDesc"), "flat end mill");
  EXPECT_EQ(Real("srToolRad"), 5);
  EXPECT_EQ(Real("srToolCrn"), 0.5);
  EXPECT_EQ(Int("siRecType"), 0);
}

TEST_F(DispatchTest, OperationsStartAtTheirFirstMotionAndEndAtTheNext) {
  std::string post = std::string(kLogVariables) + LogFunc("OperStart", 31, "siOperMode") +
                     LogFunc("OperEnd", 32, "siOperType") + LogFunc("ToolChange", 25, "srTool") +
                     LogFunc("Move", 1, "siOperAct");
  RunPasses(post,
            "LOADTL/1\nOPERTN/3,2\nGOTO/1,0,0\nGOTO/2,0,0\nOPERTN/12\nGOTO/3,0,0\n"
            "GOTO/4,0,0\nEND\n");
  // Without a ToolCancel the last motion of the tool still reaches Move.
  EXPECT_EQ(Log(), (std::vector<int>{31, 25, 1, 32, 31, 1, 1, 32}));
  EXPECT_EQ(Real("urVal", 1), 1);  // type 3 is a turning operation
  EXPECT_EQ(Real("urVal", 3), 0);  // siOperAct only at the first motion
  EXPECT_EQ(Real("urVal", 4), 3);
  EXPECT_EQ(Real("urVal", 5), 3);
  EXPECT_EQ(Real("urVal", 6), 1);
  EXPECT_EQ(Int("siOperType_Prev"), 3);
  EXPECT_EQ(Int("siMillTurn_Prev"), 1);
  EXPECT_EQ(Int("siMillTurn"), 2);
}

TEST_F(DispatchTest, OperationTypesModesAndCycles) {
  RunPasses("main\nsiForceRigidTap = 1\nend main\n", "OPERTN/22,6,1\n");
  EXPECT_EQ(Int("siOperOrigType"), 22);
  EXPECT_EQ(Int("siOperType"), 17);
  EXPECT_EQ(Int("siOperMode"), 4);
  EXPECT_EQ(Int("siCycle"), 15);
  EXPECT_EQ(Int("siRigidTap"), 1);
  EXPECT_EQ(Int("siSpindle"), 2);
  RunPasses("main\nend main\n", "OPERTN/39,6,-3\n");
  EXPECT_EQ(Int("siOperType"), 28);
  EXPECT_EQ(Int("siOperMode"), 5);
  EXPECT_EQ(Int("siCycle"), 7);
  EXPECT_EQ(Int("siRigidTap"), 0);
  EXPECT_EQ(Int("siSpindle"), 1);
  EXPECT_EQ(Int("siEdm4ax"), 0);  // type 28 stays a 2-axis wire operation
  EXPECT_EQ(Int("siTools"), 1);   // a wire operation counts as a tool
  EXPECT_EQ(Int("siToolCh"), 1);
}

TEST_F(DispatchTest, SelectWalksTheWorkCoordinateList) {
  std::string post = std::string(kLogVariables) + LogFunc("OperInit", 30, "srcWCoord") +
                     LogFunc("ToolInit", 24, "srWCoord_Next") + LogFunc("Move", 1, "srWCoord");
  RunPasses(post,
            "SELECT/54\nLOADTL/1\nSELECT/55\nGOTO/1,0,0\nSELECT/0\nGOTO/2,0,0\n");
  EXPECT_EQ(Int("siWCoords"), 3);
  EXPECT_EQ(Int("siWCoordsTot"), 3);
  EXPECT_EQ(Real("srWCoordList", 2), 55);
  // The selection after the tool change also runs ToolInit; a zero entry
  // keeps the work coordinate in force.
  EXPECT_EQ(Log(), (std::vector<int>{30, 30, 24, 1, 30, 1}));
  EXPECT_EQ(Real("urVal", 1), 54);
  EXPECT_EQ(Real("urVal", 2), 55);
  EXPECT_EQ(Real("urVal", 3), 55);
  EXPECT_EQ(Real("urVal", 6), 55);
  EXPECT_EQ(Int("siWCoordCh"), 3);
}

TEST_F(DispatchTest, TurretRecordsAndStock) {
  RunPasses("main\nend main\n",
            "TURRET/3,FRONT,OSETNO,12,XAXIS,1.5\nSET/STOCK,BOX,0,0,-20,100,50,0\n");
  EXPECT_EQ(Int("siTurret"), 2);
  EXPECT_EQ(Real("srToolList", 1), 3);
  EXPECT_EQ(Real("srLenCompList", 1), 12);
  EXPECT_EQ(Real("srToolYList", 1), 1.5);
  EXPECT_EQ(Real("srTool"), 3);  // the second pass takes it from the list
  EXPECT_EQ(Int("siStockType"), 1);
  EXPECT_EQ(Real("srStockZS"), -20);
  EXPECT_EQ(Real("srStockYE"), 50);
}

TEST_F(DispatchTest, CycleAndThreadRecordsGiveTheFirstFeedOfTheirTool) {
  RunPasses("main\nend main\n",
            "LOADTL/1\nCYCLE/DRILL,DEPTH,5,MMPR,0.2,CLEAR,2\nFEDRAT/900\n"
            "LOADTL/2\nTHRDSQ/PITCH,0.5\nLOADTL/3\nCUTCOM/LEFT,7,XYPLAN\n");
  EXPECT_EQ(Real("srFeedList", 1), 0.2);
  EXPECT_EQ(Int("siFeedTypeList", 1), 7);
  EXPECT_EQ(Real("srFeedList", 2), 2);
  EXPECT_EQ(Int("siFeedTypeList", 2), 7);
  EXPECT_EQ(Real("srRadCompList", 3), 7);
  EXPECT_EQ(Int("siCompDir"), 4);
}

TEST_F(DispatchTest, McsGivesTheWorkPlaneAndTheToolAxis) {
  // Work coordinates turned 90 degrees about X (Y up becomes Z), origin
  // R t; the CL frame is shifted by 100 in X.
  std::string post =
      "main\nsrXT_In = 100\nend main\n";
  RunPasses(post, "END\nMCS/1,0,0,0,0,-1,0,1,0,5,6,7\nGOTO/0,0,0\nMCS/1,0,0\n");
  EXPECT_EQ(Int("siRecType"), 21);
  EXPECT_EQ(Real("srWCoordX_In"), 5);
  EXPECT_EQ(Real("srWCoordY_In"), -7);
  EXPECT_EQ(Real("srWCoordZ_In"), 6);
  EXPECT_EQ(Real("srWCoordX"), 105);  // the origin as a point
  EXPECT_EQ(Real("srWCoordYK_In"), 1);  // second column: (0, 0, 1)
  EXPECT_EQ(Real("srWCoordZJ_In"), -1);
  EXPECT_EQ(Real("srWCoordZJ"), -1);  // the third column as a direction
  EXPECT_EQ(Real("srWCoordZK"), 0);
  EXPECT_EQ(Real("srWCoordXI_CL"), 1);
  EXPECT_EQ(Real("srJ_CL"), -1);  // the tool axis follows the work plane
  EXPECT_EQ(Real("srWCoordRot"), 0);
  EXPECT_EQ(Real("srWCoordTilt"), 0);
}

TEST_F(DispatchTest, SelectGivesTheWorkOffsetsSeenFromTheMachine) {
  RunPasses("main\nend main\n",
            "MCS/1,0,0,0,1,0,0,0,1,10,-20,30\nSELECT/54\nMCS/1,0,0,0,1,0,0,0,1,0,0,0\n"
            "SELECT/55\n");
  EXPECT_EQ(Real("srWCoordXList", 1), 10);
  EXPECT_EQ(Real("srWCoordX"), 0);
  EXPECT_EQ(Real("srWCoordX_VC"), 0);
  RunPasses("main\nend main\n", "END\nMCS/1,0,0,0,1,0,0,0,1,10,-20,30\nSELECT/54\n");
  EXPECT_EQ(Real("srWCoordX_VC"), -10);
  EXPECT_EQ(Real("srWCoordY_VC"), 20);
  EXPECT_EQ(Real("srWCoordZ_VC"), -30);
  EXPECT_EQ(Int("siRecType"), 22);
}

TEST_F(DispatchTest, CycleAndThreadRecordsKeepTheirKinds) {
  // Each file has its END first: the record under test is the last one
  // processed, with no END made after it to change siRecType.
  RunPasses("main\nend main\n", "END\nCYCLE/DRILL,DEPTH,5\n");
  EXPECT_EQ(Int("siRecType"), 43);
  RunPasses("main\nend main\n", "END\nCYCLE/TURN,2\n");
  EXPECT_EQ(Int("siRecType"), 75);
  RunPasses("main\nend main\n", "END\nTHRDSQ/PITCH,2\n");
  EXPECT_EQ(Int("siRecType"), 81);
  RunPasses("main\nend main\n", "END\nCUTCOM/LEFT\n");
  EXPECT_EQ(Int("siRecType"), 17);  // from siSubType
  RunPasses("main\nend main\n", "END\nRAPID\n");
  EXPECT_EQ(Int("siRecType"), 2);  // from siMoveType
}

TEST_F(DispatchTest, DiameterOutputDoublesXOfThePositionAndTheCentre) {
  std::string post = std::string(kLogVariables) + LogFunc("Move", 1, "srX") +
                     "func ArcMove\nuiN = uiN + 1\nuiLog[uiN] = 4\nurVal[uiN] = srXC\nend func\n" +
                     "main\ndiamx\nend main\n";
  RunPasses(post, "GOTO/10,0,5\nCIRCLE/15,0,5,0,0,1,5\nGOTO/15,5,5\n");
  EXPECT_EQ(Log(), (std::vector<int>{1, 4}));
  EXPECT_EQ(Real("urVal", 1), 20);
  EXPECT_EQ(Real("urVal", 2), 30);
  EXPECT_EQ(Real("srX_CL"), 15);
  EXPECT_EQ(Real("srY"), 5);
}

TEST_F(DispatchTest, MissingOrTextWordsKeepTheCoordinatesTheyWouldSet) {
  std::string post = std::string(kLogVariables) + LogFunc("Move", 1, "srZ_In_Next") +
                     "func RapidMove\nuiN = uiN + 1\nuiLog[uiN] = 2\nurVal[uiN] = srY\nend func\n";
  RunPasses(post,
            "RAPID\nGOTO/1,2,3,0,0,1\nGOTO/4\nGOTO/5,AT,1.5E1\nCIRCLE/7,8,9,0,0,1,4\n"
            "CIRCLE/0,0\n");
  EXPECT_EQ(Log(), (std::vector<int>{2, 1, 1}));
  EXPECT_EQ(Real("urVal", 1), 2);
  EXPECT_EQ(Real("urVal", 2), 15);  // the look-ahead keeps Y and reads 1.5E1
  EXPECT_EQ(Real("srX_In"), 5);
  EXPECT_EQ(Real("srY_In"), 2);
  EXPECT_EQ(Real("srZ_In"), 15);
  EXPECT_EQ(Real("srK_In"), 1);  // the tool axis as it was
  EXPECT_EQ(Real("srXC_In"), 0);
  EXPECT_EQ(Real("srZC_In"), 9);
  EXPECT_EQ(Real("srKC_In"), 1);
  // A CIRCLE without a radius: the start point's distance from the axis
  // through (0, 0, 9), not the last arc's 4.
  EXPECT_DOUBLE_EQ(Real("srRad"), std::sqrt(5.0 * 5 + 2 * 2));
}

}  // namespace
}  // namespace tornel
