#include "tornel/cl/modal_codes.h"

#include "tornel/cl/record_kinds.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {

namespace {

constexpr int kCoolCodes[] = {kSrcCoolOff,     kSrcCoolOn,     kSrcCoolMist,  kSrcCoolFloodLo,
                              kSrcCoolFloodHi, kSrcCoolThruLo, kSrcCoolThruHi};
// The cancel code of each coolant kind from mist (2) on.
constexpr int kCancelCodes[] = {kSrcCancelMist, kSrcCancelFloodLo, kSrcCancelFloodHi,
                                kSrcCancelThruLo, kSrcCancelThruHi};

}  // namespace

double CoolantCode(const ValueTables& v, int32_t cool) {
  if (cool < 0 || cool > 6) cool = 0;
  return v.reals[kCoolCodes[cool]];
}

void SetModalCodes(ValueTables& v) {
  std::vector<int32_t>& ints = v.ints;
  std::vector<double>& r = v.reals;
  bool reversed = ints[kSiAutoRevDir] == 1 && ints[kSiRevPlane] == 1;

  int32_t arc_dir = ints[kSiArcDir];
  if (reversed && (arc_dir == 2 || arc_dir == 3)) arc_dir = 5 - arc_dir;
  switch (ints[kSiMoveType]) {
    case 2:
      r[kSrcMove] = r[kSrcRapid];
      break;
    case 3:
      r[kSrcMove] = r[kSrcLine];
      break;
    case 4:
      if (ints[kSiHelic] == 1) {
        r[kSrcMove] = r[arc_dir == 2 ? kSrcHelicCw : kSrcHelicCcw];
      } else {
        r[kSrcMove] = r[arc_dir == 2 ? kSrcArcCw : kSrcArcCcw];
      }
      break;
    default:
      break;
  }

  switch (ints[kSiArcPlane]) {
    case 17:
      r[kSrcArcPlane] = r[kSrcXYplane];
      break;
    case 18:
      r[kSrcArcPlane] = r[kSrcXZplane];
      break;
    case 19:
      r[kSrcArcPlane] = r[kSrcYZplane];
      break;
    default:
      break;
  }

  int32_t comp = ints[kSiCompDir];
  if (reversed && (comp == 4 || comp == 5)) comp = 9 - comp;
  if (comp == 0) r[kSrcComp] = r[kSrcCompOff];
  if (comp == 4) r[kSrcComp] = r[kSrcCompLeft];
  if (comp == 5) r[kSrcComp] = r[kSrcCompRight];

  r[kSrcAbsInc] = r[ints[kSiInc] == 1 ? kSrcInc : kSrcAbs];
  r[kSrcUnits] = r[ints[kSiMetric] == 1 ? kSrcMetric : kSrcInch];

  int32_t sp = ints[kSiSpDir];
  if (sp == 0) r[kSrcSpDir] = r[kSrcSpStop];
  if (sp == 2) r[kSrcSpDir] = r[kSrcSpCw];
  if (sp == 3) r[kSrcSpDir] = r[kSrcSpCcw];

  int32_t cool = ints[kSiCool];
  r[kSrcCool] = CoolantCode(v, cool);
  r[kSrcCoolCancel] = r[kSrcCoolOff];
  if (cool >= 2 && cool <= 6 && r[kCancelCodes[cool - 2]] != 0) {
    r[kSrcCoolCancel] = r[kCancelCodes[cool - 2]];
  }

  if (cool == 0) {
    r[kSrcSpDirCool] = r[kSrcSpDir];
  } else if (sp == 2) {
    r[kSrcSpDirCool] = r[kSrcSpCwCool];
  } else if (sp == 3) {
    r[kSrcSpDirCool] = r[kSrcSpCcwCool];
  } else {
    r[kSrcSpDirCool] = r[kSrcCoolOn];
  }

  r[kSrcSpeedType] = r[ints[kSiSpeedType] == kSpeedRpm ? kSrcRPM : kSrcCSS];
}

}  // namespace tornel
