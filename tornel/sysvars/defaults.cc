#include "tornel/sysvars/defaults.h"

#include <cassert>
#include <initializer_list>

#include "tornel/sysvars/system_variables.h"

namespace tornel {

namespace {

// An orientation matrix is nine real slots, row by row: XI XJ XK, YI YJ YK,
// ZI ZJ ZK.
constexpr int kMatrixSlots = 9;
static_assert(kSrZK - kSrXI == kMatrixSlots - 1 && kSrYJ - kSrXI == 4);
static_assert(kSrZKT - kSrXIT == kMatrixSlots - 1 && kSrYJT - kSrXIT == 4);
static_assert(kSrZKT_In - kSrXIT_In == kMatrixSlots - 1 && kSrYJT_In - kSrXIT_In == 4);
static_assert(kSrZKT_Out - kSrXIT_Out == kMatrixSlots - 1 && kSrYJT_Out - kSrXIT_Out == 4);

void SetIdentity(ValueTables& v, RealSlot first) {
  for (int i = 0; i < kMatrixSlots; ++i) v.reals[first + i] = (i % 4 == 0) ? 1.0 : 0.0;
}

void SetInts(ValueTables& v, std::initializer_list<IntegerSlot> slots, int32_t value) {
  for (IntegerSlot s : slots) v.ints[s] = value;
}

void SetReals(ValueTables& v, std::initializer_list<RealSlot> slots, double value) {
  for (RealSlot s : slots) v.reals[s] = value;
}

// Reset before every pass.
void ApplyMachineStateDefaults(ValueTables& v, bool companion_file) {
  SetInts(v, {kSiToolCh, kSiOperType, kSiCycle, kSiCompDir}, 0);
  // The highest index of the lists, not their size.
  SetInts(v, {kSiToolsLim, kSiWCoordsLim}, kListSlots - 1);
  SetInts(v, {kSiTurret, kSiSpindle, kSiSpindle_Prev}, 1);
  v.ints[kSiFeedType] = 6;
  v.ints[kSiSpeedType] = 9;
  v.ints[kSiSpDir] = 2;
  v.ints[kSiEdmFileX] = companion_file ? 1 : 0;

  SetReals(v, {kSrRadComp, kSrFeed, kSrRotOffs, kSrRotOffs_Next, kSrRotReposOffs,
               kSrRotReposOffs_Next},
           0.0);
  v.reals[kSrK_CL] = 1.0;
  SetReals(v, {kSrTiltDir, kSrTiltDir_Next, kSrTiltReposDir, kSrTiltReposDir_Next}, 1.0);
  SetIdentity(v, kSrXI);
  SetIdentity(v, kSrXIT);
}

// Output switches, sequence numbers, number and comment formats.
void ApplyOutputDefaults(ValueTables& v) {
  SetInts(v, {kSiEachOn, kSiWithOn, kSiBindOn, kSiOnAddrOn}, 1);
  SetInts(v, {kSiSeqOn, kSiSeqNext, kSiSeqAddr}, 0);
  SetReals(v, {kSrSeqIni, kSrSeqInc}, 1.0);
  v.reals[kSrSeqMax] = 0.0;
  v.reals[kSrSeq] = v.reals[kSrSeqIni];

  SetInts(v, {kSiCommentUpCase, kSiCommentAscii, kSiCommentAlphaNum, kSiSpaces, kSiZeroBefSepar,
              kSiZeroFrom, kSiModal},
          1);
  SetInts(v, {kSiCommentOEM, kSiSignBefSpace, kSiZeroInc}, 0);
  v.strings[kSsSkip] = "/";
  v.strings[kSsDecSepar] = ".";
  v.strings[kSsEolFormat] = "\r\n";
}

// Rotary and tilt axes, units, arcs, cycles and accuracies.
void ApplyMachineSettingDefaults(ValueTables& v) {
  SetInts(v, {kSiRotType, kSiTiltType, kSiRotAround, kSiTiltAround, kSiReposRotRapid, kSiRotTolOn,
              kSiRotNeutrSol, kSiRotPolarOn, kSiRotPolarTolOn},
          0);
  v.ints[kSiRotLimitWarn] = 1;
  v.ints[kSiRotPolarAx] = 14;
  SetReals(v, {kSrRotNeutrAng, kSrRotCumulAng}, 0.0);
  SetReals(v, {kSrRotScale, kSrTiltScale}, 1.0);
  SetReals(v, {kSrRotAccuracy, kSrTiltAccuracy}, 0.001);
  SetReals(v, {kSrRotMinAng, kSrTiltMinAng}, -99999.0);
  SetReals(v, {kSrRotMaxAng, kSrTiltMaxAng}, 99999.0);

  v.ints[kSiMetric] = 2;
  SetInts(v, {kSiMetricPost, kSiDlgValMemory}, 1);
  SetInts(v, {kSiArcOn, kSiArcPlane, kSiCycleOn}, 17);
  SetInts(v, {kSiCycleLC, kSiCycleVarRot, kSiThrCycleOn, kSiCycleRapFeedOn}, 1);

  v.reals[kSrAptAccuracy] = 0.00001;
  SetReals(v, {kSrNcAccuracy, kSrRotTol, kSrMinRad, kSrArcTol, kSrHelicTol}, 0.001);
  v.reals[kSrMaxRad] = 99999.999;
  v.reals[kSrRotDivAng] = 5.0;
  v.reals[kSrRadArcMaxAng] = 180.0;
  v.reals[kSrInvTimeMin] = 1.0;
  v.reals[kSrInvTimeMax] = 99999.0;
  SetReals(v, {kSrRapFeed, kSrTimeCalcRapFeed}, 10000.0);
  v.reals[kSrPeckClr] = 0.5;
  v.reals[kSrMinPeck] = 0.05;
  SetIdentity(v, kSrXIT_In);
  SetIdentity(v, kSrXIT_Out);
}

// The modal codes.  A group constant (srcMove, srcAbsInc ...) starts as the
// first code of its group; the codes a post commonly leaves out start unset.
void ApplyCodeDefaults(ValueTables& v) {
  double* r = v.reals.data();
  r[kSrcRapid] = 0;
  r[kSrcLine] = 1;
  r[kSrcArcCw] = 2;
  r[kSrcArcCcw] = 3;
  r[kSrcHelicCw] = r[kSrcHelicCcw] = kUnsetCode;
  r[kSrcXYplane] = 17;
  r[kSrcXZplane] = 18;
  r[kSrcYZplane] = 19;
  r[kSrcCompOff] = 40;
  r[kSrcCompLeft] = 41;
  r[kSrcCompRight] = 42;
  r[kSrcAbs] = 90;
  r[kSrcInc] = 91;
  r[kSrcMetric] = 71;
  r[kSrcInch] = 70;
  r[kSrcFPR] = 95;
  r[kSrcFPM] = 94;
  r[kSrcInvTime] = 93;
  r[kSrcRPM] = 97;
  r[kSrcCSS] = 96;
  r[kSrcMove] = r[kSrcRapid];
  r[kSrcAbsInc] = r[kSrcAbs];
  r[kSrcArcPlane] = r[kSrcXYplane];
  r[kSrcUnits] = r[kSrcMetric];
  r[kSrcComp] = r[kSrcCompOff];
  r[kSrcFeedType] = r[kSrcFPM];
  r[kSrcSpeedType] = r[kSrcRPM];
  r[kSrcProgStop] = 0;
  r[kSrcOptStop] = 1;
  r[kSrcStop] = r[kSrcProgStop];
  r[kSrcWireThread] = 60;
  r[kSrcWireCut] = 50;
  r[kSrcWire] = r[kSrcWireCut];

  r[kSrcCoolOff] = 9;
  r[kSrcCoolOn] = 8;
  r[kSrcCoolMist] = 7;
  for (RealSlot s : {kSrcCoolFloodLo, kSrcCoolFloodHi, kSrcCoolThruLo, kSrcCoolThruHi,
                     kSrcCancelMist, kSrcCancelFloodLo, kSrcCancelFloodHi, kSrcCancelThruLo,
                     kSrcCancelThruHi, kSrcRigTap, kSrcLRigTap})
    r[s] = kUnsetCode;
  r[kSrcSpStop] = 5;
  r[kSrcSpCw] = 3;
  r[kSrcSpCcw] = 4;
  r[kSrcSpCwCool] = 13;
  r[kSrcSpCcwCool] = 14;
  r[kSrcWCoord] = 0;
  r[kSrcDrill] = 81;
  r[kSrcCSink] = 82;
  r[kSrcPeck] = 83;
  r[kSrcBrkChp] = 73;
  r[kSrcTap] = 84;
  r[kSrcLTap] = 74;
  r[kSrcReam] = 85;
  r[kSrcBore] = 86;
  r[kSrcBack] = 87;
  r[kSrcRigidTap] = 29;
  r[kSrcRapPlane] = 98;
  r[kSrcClrPlane] = 99;
  r[kSrcRetType] = r[kSrcClrPlane];
  r[kSrcThreadCut] = 33;
  r[kSrcThreadCyc] = 76;
  r[kSrcFinishing] = 70;
  r[kSrcRoughTurn] = 71;
  r[kSrcTaperOff] = 50;
  r[kSrcTaperLeft] = 51;
  r[kSrcTaperRight] = 52;
  r[kSrcTaper] = r[kSrcTaperOff];
}

struct LateDefault {
  RealSlot code;
  RealSlot parent;
};

// In this order; a parent is never itself a late default.
constexpr LateDefault kLateDefaults[] = {
    {kSrcHelicCw, kSrcArcCw},           {kSrcHelicCcw, kSrcArcCcw},
    {kSrcCoolFloodLo, kSrcCoolOn},      {kSrcCoolFloodHi, kSrcCoolOn},
    {kSrcCoolThruLo, kSrcCoolOn},       {kSrcCoolThruHi, kSrcCoolOn},
    {kSrcCancelMist, kSrcCoolOff},      {kSrcCancelFloodLo, kSrcCoolOff},
    {kSrcCancelFloodHi, kSrcCoolOff},   {kSrcCancelThruLo, kSrcCoolOff},
    {kSrcCancelThruHi, kSrcCoolOff},    {kSrcRigTap, kSrcTap},
    {kSrcLRigTap, kSrcLTap},
};

}  // namespace

void ApplyDefaults(ValueTables& values, bool first_pass, bool companion_file) {
  assert(values.ints.size() >= kIntegerSystemSlots && values.reals.size() >= kRealSystemSlots &&
         values.strings.size() >= kStringSystemSlots);
  ApplyMachineStateDefaults(values, companion_file);
  if (!first_pass) return;
  ApplyOutputDefaults(values);
  ApplyMachineSettingDefaults(values);
  ApplyCodeDefaults(values);
}

void ResolveUnsetCodes(ValueTables& values) {
  for (const LateDefault& d : kLateDefaults)
    if (values.reals[d.code] == kUnsetCode) values.reals[d.code] = values.reals[d.parent];
}

}  // namespace tornel
