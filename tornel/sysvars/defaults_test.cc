#include "tornel/sysvars/defaults.h"

#include <gtest/gtest.h>

#include <set>

#include "tornel/sysvars/registry.h"

namespace tornel {
namespace {

class Defaults : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterSystemVariables(names_);
    AllocateValueTables(diag_, v_, names_);
  }

  void ExpectIdentity(RealSlot first) {
    for (int i = 0; i < 9; ++i) EXPECT_EQ(v_.reals[first + i], i % 4 == 0 ? 1.0 : 0.0) << i;
  }

  Diagnostics diag_;
  VariableTable names_;
  ValueTables v_;
};

TEST_F(Defaults, FirstPassSetsSwitchesFormatsAndMatrices) {
  ApplyDefaults(v_, true, false);
  EXPECT_EQ(v_.ints[kSiEachOn], 1);
  EXPECT_EQ(v_.ints[kSiSeqOn], 0);
  EXPECT_EQ(v_.reals[kSrSeqIni], 1.0);
  EXPECT_EQ(v_.reals[kSrSeq], 1.0);
  EXPECT_EQ(v_.reals[kSrSeqMax], 0.0);
  EXPECT_EQ(v_.ints[kSiToolsLim], 199);
  EXPECT_EQ(v_.ints[kSiWCoordsLim], 199);
  EXPECT_EQ(v_.ints[kSiSpindle_Prev], 1);
  EXPECT_EQ(v_.ints[kSiFeedType], 6);
  EXPECT_EQ(v_.ints[kSiSpeedType], 9);
  EXPECT_EQ(v_.ints[kSiArcPlane], 17);
  EXPECT_EQ(v_.ints[kSiRotPolarAx], 14);
  EXPECT_EQ(v_.ints[kSiEdmFileX], 0);
  EXPECT_EQ(v_.strings[kSsEolFormat], "\r\n");
  EXPECT_EQ(v_.strings[kSsSkip], "/");
  EXPECT_EQ(v_.reals[kSrAptAccuracy], 0.00001);
  EXPECT_EQ(v_.reals[kSrMaxRad], 99999.999);
  EXPECT_EQ(v_.reals[kSrRotMinAng], -99999.0);
  EXPECT_EQ(v_.reals[kSrK_CL], 1.0);
  EXPECT_EQ(v_.reals[kSrTiltReposDir_Next], 1.0);
  for (RealSlot m : {kSrXI, kSrXIT, kSrXIT_In, kSrXIT_Out}) ExpectIdentity(m);
  // Neighbours of the matrices keep 0.0.
  EXPECT_EQ(v_.reals[kSrXI_Prev], 0.0);
  EXPECT_EQ(v_.reals[kSrXT], 0.0);
  EXPECT_EQ(v_.reals[kSrXT_In], 0.0);
}

TEST_F(Defaults, SecondPassResetsOnlyTheMachineState) {
  ApplyDefaults(v_, true, true);
  // What the post and the first pass leave behind.
  v_.ints[kSiEachOn] = 0;
  v_.ints[kSiToolCh] = 5;
  v_.ints[kSiSpDir] = 3;
  v_.reals[kSrSeqIni] = 10.0;
  v_.reals[kSrSeq] = 250.0;
  v_.reals[kSrcRapid] = 100.0;
  v_.reals[kSrXJ] = 0.5;
  v_.reals[kSrZKT] = -1.0;
  v_.reals[kSrXJT_In] = 0.25;
  v_.strings[kSsSkip] = "//";

  ApplyDefaults(v_, false, false);
  EXPECT_EQ(v_.ints[kSiToolCh], 0);
  EXPECT_EQ(v_.ints[kSiSpDir], 2);
  EXPECT_EQ(v_.ints[kSiEdmFileX], 0);
  ExpectIdentity(kSrXI);
  ExpectIdentity(kSrXIT);

  EXPECT_EQ(v_.ints[kSiEachOn], 0);
  EXPECT_EQ(v_.reals[kSrSeqIni], 10.0);
  EXPECT_EQ(v_.reals[kSrSeq], 250.0);
  EXPECT_EQ(v_.reals[kSrcRapid], 100.0);
  EXPECT_EQ(v_.reals[kSrXJT_In], 0.25);
  EXPECT_EQ(v_.strings[kSsSkip], "//");
}

// The pass a default belongs to decides whether what the post set during
// the first pass survives into the second: the set of slots reset there is
// pinned whole, the matrices included.
TEST_F(Defaults, SecondPassResetsExactlyTheMachineStateSlots) {
  ApplyDefaults(v_, true, false);
  for (int32_t& i : v_.ints) i = 12345;
  for (double& r : v_.reals) r = 12345.5;
  for (std::string& s : v_.strings) s = "left over";
  ApplyDefaults(v_, false, false);

  std::set<int> ints, reals;
  for (int i = 0; i < static_cast<int>(v_.ints.size()); ++i)
    if (v_.ints[i] != 12345) ints.insert(i);
  for (int i = 0; i < static_cast<int>(v_.reals.size()); ++i)
    if (v_.reals[i] != 12345.5) reals.insert(i);
  EXPECT_EQ(ints, (std::set<int>{kSiToolCh, kSiOperType, kSiCycle, kSiCompDir, kSiToolsLim,
                                 kSiWCoordsLim, kSiTurret, kSiSpindle, kSiSpindle_Prev,
                                 kSiFeedType, kSiSpeedType, kSiSpDir, kSiEdmFileX}));
  std::set<int> expected_reals{kSrRadComp,      kSrFeed,          kSrRotOffs,
                               kSrRotOffs_Next, kSrRotReposOffs,  kSrRotReposOffs_Next,
                               kSrK_CL,         kSrTiltDir,       kSrTiltDir_Next,
                               kSrTiltReposDir, kSrTiltReposDir_Next};
  for (int i = 0; i < 9; ++i) expected_reals.insert({kSrXI + i, kSrXIT + i});
  EXPECT_EQ(reals, expected_reals);
  for (const std::string& s : v_.strings) EXPECT_EQ(s, "left over");
}

TEST_F(Defaults, CompanionSwitchSetsEdmFileXEveryPass) {
  ApplyDefaults(v_, true, true);
  EXPECT_EQ(v_.ints[kSiEdmFileX], 1);
  v_.ints[kSiEdmFileX] = 0;
  ApplyDefaults(v_, false, true);
  EXPECT_EQ(v_.ints[kSiEdmFileX], 1);
}

TEST_F(Defaults, CodeConstantsAndGroupCodes) {
  ApplyDefaults(v_, true, false);
  EXPECT_EQ(v_.reals[kSrcArcCcw], 3.0);
  EXPECT_EQ(v_.reals[kSrcMove], 0.0);
  EXPECT_EQ(v_.reals[kSrcAbsInc], 90.0);
  EXPECT_EQ(v_.reals[kSrcArcPlane], 17.0);
  EXPECT_EQ(v_.reals[kSrcUnits], 71.0);
  EXPECT_EQ(v_.reals[kSrcComp], 40.0);
  EXPECT_EQ(v_.reals[kSrcFeedType], 94.0);
  EXPECT_EQ(v_.reals[kSrcSpeedType], 97.0);
  EXPECT_EQ(v_.reals[kSrcStop], 0.0);
  EXPECT_EQ(v_.reals[kSrcOptStop], 1.0);
  EXPECT_EQ(v_.reals[kSrcRetType], 99.0);
  EXPECT_EQ(v_.reals[kSrcWire], 50.0);
  EXPECT_EQ(v_.reals[kSrcTaper], 50.0);
  EXPECT_EQ(v_.reals[kSrcSpCcwCool], 14.0);
  EXPECT_EQ(v_.reals[kSrcBrkChp], 73.0);
  EXPECT_EQ(v_.reals[kSrcRigidTap], 29.0);
  EXPECT_EQ(v_.reals[kSrcRoughTurn], 71.0);
  for (RealSlot unset : {kSrcHelicCw, kSrcCoolFloodLo, kSrcCancelThruHi, kSrcRigTap, kSrcLRigTap})
    EXPECT_EQ(v_.reals[unset], kUnsetCode);
  for (RealSlot none : {kSrcSpDir, kSrcCool, kSrcCycle, kSrcCustom3, kSrcRoughFace})
    EXPECT_EQ(v_.reals[none], 0.0);
}

TEST_F(Defaults, UnsetCodesTakeTheirParentsValues) {
  ApplyDefaults(v_, true, false);
  // As MAIN might leave them: coolant on given, one flood code given, arcs
  // and tapping redefined.
  v_.reals[kSrcCoolOn] = 8;
  v_.reals[kSrcCoolOff] = 109;
  v_.reals[kSrcCoolFloodLo] = 88;
  v_.reals[kSrcArcCw] = 12;
  v_.reals[kSrcLTap] = 174;
  v_.reals[kSrcRigTap] = kUnsetCode + 1;  // close to the marker is not the marker

  ResolveUnsetCodes(v_);
  EXPECT_EQ(v_.reals[kSrcHelicCw], 12.0);
  EXPECT_EQ(v_.reals[kSrcHelicCcw], 3.0);
  EXPECT_EQ(v_.reals[kSrcCoolFloodLo], 88.0);
  for (RealSlot s : {kSrcCoolFloodHi, kSrcCoolThruLo, kSrcCoolThruHi})
    EXPECT_EQ(v_.reals[s], 8.0);
  for (RealSlot s :
       {kSrcCancelMist, kSrcCancelFloodLo, kSrcCancelFloodHi, kSrcCancelThruLo, kSrcCancelThruHi})
    EXPECT_EQ(v_.reals[s], 109.0);
  EXPECT_EQ(v_.reals[kSrcRigTap], kUnsetCode + 1);
  EXPECT_EQ(v_.reals[kSrcLRigTap], 174.0);

  // Resolved codes are ordinary values from then on: a later run of MAIN
  // that changes the parent leaves them.
  v_.reals[kSrcCoolOn] = 18;
  ResolveUnsetCodes(v_);
  EXPECT_EQ(v_.reals[kSrcCoolFloodHi], 8.0);
}

}  // namespace
}  // namespace tornel
