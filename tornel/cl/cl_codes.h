// The code values of the CL processing: what the record kind, feed, speed,
// spindle, compensation, coolant, plane and operation variables hold.  The
// post file names the same values with its `$` constants ($fpm, $left,
// $multiaxis ...); a test checks that both agree.
#pragma once

#include <cstdint>

#include "tornel/compiler/post_functions.h"

namespace tornel {

// Record kinds: the values of siRecType, siMoveType and siSubType, with
// their rows in post_functions.def (most are post function numbers).
#define TORNEL_RECORD_KIND(code, constant) inline constexpr int32_t constant = code;
#include "tornel/compiler/post_functions.def"

// siFeedType
inline constexpr int32_t kFeedPerMinute = 6;    // $fpm
inline constexpr int32_t kFeedPerRev = 7;       // $fpr
inline constexpr int32_t kFeedInverseTime = 8;  // $invt
// siSpeedType
inline constexpr int32_t kSpeedRpm = 9;   // $rpm
inline constexpr int32_t kSpeedCss = 10;  // $css: constant surface speed

// siSpDir
inline constexpr int32_t kSpindleOff = 0;  // $off
inline constexpr int32_t kSpindleCw = 2;   // $cw
inline constexpr int32_t kSpindleCcw = 3;  // $ccw
// siArcDir
inline constexpr int32_t kArcCw = 2;   // $cw
inline constexpr int32_t kArcCcw = 3;  // $ccw
// siCompDir
inline constexpr int32_t kCompOff = 0;    // $off
inline constexpr int32_t kCompLeft = 4;   // $left
inline constexpr int32_t kCompRight = 5;  // $right

// siCool: coolant kinds
inline constexpr int32_t kCoolOff = 0;
inline constexpr int32_t kCoolFlood = 1;      // $flood: COOLNT/ON or FLOOD
inline constexpr int32_t kCoolMist = 2;       // $mist
inline constexpr int32_t kCoolFloodLow = 3;   // $floodlo
inline constexpr int32_t kCoolFloodHigh = 4;  // $floodhi
inline constexpr int32_t kCoolThruLow = 5;    // $thrulo: COOLNT/THRU
inline constexpr int32_t kCoolThruHigh = 6;   // $thruhi
inline constexpr int32_t kCoolKinds = 7;

// siArcPlane, siArcOn
inline constexpr int32_t kPlaneNone = 0;
inline constexpr int32_t kPlaneXY = 17;     // $xy
inline constexpr int32_t kPlaneXZ = 18;     // $xz
inline constexpr int32_t kPlaneYZ = 19;     // $yz
inline constexpr int32_t kPlaneEvery = 20;  // $xy_xz_yz: siArcOn, arcs in any of the three

// siLinAxComb and siAxisComb: the axes a motion moves ($x ... $linrottilt)
inline constexpr int32_t kCombNone = 0;
inline constexpr int32_t kCombX = 14;
inline constexpr int32_t kCombY = 15;
inline constexpr int32_t kCombZ = 16;
inline constexpr int32_t kCombXY = 17;
inline constexpr int32_t kCombXZ = 18;
inline constexpr int32_t kCombYZ = 19;
inline constexpr int32_t kCombXYZ = 21;
inline constexpr int32_t kCombLinear = 22;
inline constexpr int32_t kCombRot = 23;
inline constexpr int32_t kCombTilt = 24;
inline constexpr int32_t kCombLinearRot = 25;
inline constexpr int32_t kCombLinearTilt = 26;
inline constexpr int32_t kCombRotTilt = 27;
inline constexpr int32_t kCombAll = 28;

// siInvTimeOn: inverse time for rotary motions only ($auto)
inline constexpr int32_t kInvTimeRotaryOnly = 29;

// siDispComment
inline constexpr int32_t kDisplayOff = 0;
inline constexpr int32_t kDisplayOn = 1;
inline constexpr int32_t kDisplayNext = 31;  // $next: one comment, then back

// siOperMode: what the operation types of OPERTN map to
inline constexpr int32_t kOperModeTurning = 1;    // $turn
inline constexpr int32_t kOperModeMilling = 2;    // $mill, $2axis: the default
inline constexpr int32_t kOperMode3Axis = 3;      // $3axis
inline constexpr int32_t kOperModeMultiAxis = 4;  // $multiaxis
inline constexpr int32_t kOperModeWireEdm = 5;    // $edm
// siMillTurn
inline constexpr int32_t kMillTurnTurning = 1;
inline constexpr int32_t kMillTurnMilling = 2;

// siOperType, as OPERTN's mapping leaves it
inline constexpr int32_t kOperTypeThreadCycle = 4;   // $threadcyc: its feed comes from THRDSQ
inline constexpr int32_t kOperTypeDrillCycle = 8;    // $drillcyc
inline constexpr int32_t kOperTypeEdm2AxisXY = 28;   // $edm2axxy: wire EDM in XY only

// siSpindle
inline constexpr int32_t kMainSpindle = 1;  // $mainspindle
inline constexpr int32_t kSubSpindle = 2;   // $subspindle

// siCycle: the drill cycle kinds (cycle_kinds.def names their CYCLE words
// and post functions)
inline constexpr int32_t kCycleNone = 0;
inline constexpr int32_t kCycleDrill = 1;          // $drill
inline constexpr int32_t kCycleDeep = 2;           // $peck: deep hole, retract between pecks
inline constexpr int32_t kCycleTap = 3;            // $tap
inline constexpr int32_t kCycleReam = 4;           // $ream
inline constexpr int32_t kCycleBore = 5;           // $bore
inline constexpr int32_t kCycleBackBore = 6;       // $back
inline constexpr int32_t kCycleLeftTap = 7;        // $ltap
inline constexpr int32_t kCycleCustom1 = 11;       // $custom1
inline constexpr int32_t kCycleCustom2 = 12;       // $custom2
inline constexpr int32_t kCycleCustom3 = 13;       // $custom3
inline constexpr int32_t kCycleRigidTap = 14;      // $rigtap
inline constexpr int32_t kCycleLeftRigidTap = 15;  // $lrigtap
inline constexpr int32_t kCycleCSink = 16;         // $csink: countersink
inline constexpr int32_t kCycleChipBreak = 17;     // $chipbrk: pecks without retract
inline constexpr int32_t kCycleRoughing = 18;      // a lathe roughing cycle
inline constexpr int32_t kCycleFinishing = 19;     // $finish: its finishing pass
inline constexpr int32_t kCycleThread = 20;        // $thread: LongCycle's thread passes
// siRoughType
inline constexpr int32_t kRoughTurning = 1;  // CYCLE/TURN: longitudinal
inline constexpr int32_t kRoughFacing = 2;   // CYCLE/FACE: transverse

// siRetrType: where a drill cycle retracts between holes
inline constexpr int32_t kRetractRapidPlane = 34;  // $rapplane
inline constexpr int32_t kRetractClearPlane = 35;  // $clrplane

// siStockType
inline constexpr int32_t kStockBox = 1;       // $box
inline constexpr int32_t kStockCylinder = 2;  // $cyl

// siMetric
inline constexpr int32_t kUnitsInch = 0;
inline constexpr int32_t kUnitsMetric = 1;
inline constexpr int32_t kUnitsFromPost = 2;  // no UNITS record yet: the post's units

}  // namespace tornel
