#include "tornel/cl/modal_codes.h"

#include "tornel/cl/cl_codes.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {

namespace {

// The code of each coolant kind, kCoolOff to kCoolThruHigh.
constexpr int kCoolCodes[kCoolKinds] = {kSrcCoolOff,     kSrcCoolOn,     kSrcCoolMist,
                                        kSrcCoolFloodLo, kSrcCoolFloodHi, kSrcCoolThruLo,
                                        kSrcCoolThruHi};
// The cancel code of each coolant kind from mist on.
constexpr int kCancelCodes[] = {kSrcCancelMist, kSrcCancelFloodLo, kSrcCancelFloodHi,
                                kSrcCancelThruLo, kSrcCancelThruHi};

}  // namespace

double CoolantCode(const ValueTables& v, int32_t cool) {
  if (cool < 0 || cool >= kCoolKinds) cool = kCoolOff;
  return v.reals[kCoolCodes[cool]];
}

void SetModalCodes(ValueTables& v) {
  std::vector<int32_t>& ints = v.ints;
  std::vector<double>& r = v.reals;
  bool reversed = ints[kSiAutoRevDir] == 1 && ints[kSiRevPlane] == 1;

  int32_t arc_dir = ints[kSiArcDir];
  if (reversed && (arc_dir == kArcCw || arc_dir == kArcCcw)) arc_dir = kArcCw + kArcCcw - arc_dir;
  switch (ints[kSiMoveType]) {
    case kKindRapid:
      r[kSrcMove] = r[kSrcRapid];
      break;
    case kKindGoto:
      r[kSrcMove] = r[kSrcLine];
      break;
    case kKindCircle:
      if (ints[kSiHelic] == 1) {
        r[kSrcMove] = r[arc_dir == kArcCw ? kSrcHelicCw : kSrcHelicCcw];
      } else {
        r[kSrcMove] = r[arc_dir == kArcCw ? kSrcArcCw : kSrcArcCcw];
      }
      break;
    default:
      break;
  }

  switch (ints[kSiArcPlane]) {
    case kPlaneXY:
      r[kSrcArcPlane] = r[kSrcXYplane];
      break;
    case kPlaneXZ:
      r[kSrcArcPlane] = r[kSrcXZplane];
      break;
    case kPlaneYZ:
      r[kSrcArcPlane] = r[kSrcYZplane];
      break;
    default:
      break;
  }

  int32_t comp = ints[kSiCompDir];
  if (reversed && (comp == kCompLeft || comp == kCompRight)) comp = kCompLeft + kCompRight - comp;
  if (comp == kCompOff) r[kSrcComp] = r[kSrcCompOff];
  if (comp == kCompLeft) r[kSrcComp] = r[kSrcCompLeft];
  if (comp == kCompRight) r[kSrcComp] = r[kSrcCompRight];

  r[kSrcAbsInc] = r[ints[kSiInc] == 1 ? kSrcInc : kSrcAbs];
  r[kSrcUnits] = r[ints[kSiMetric] == kUnitsMetric ? kSrcMetric : kSrcInch];

  int32_t sp = ints[kSiSpDir];
  if (sp == kSpindleOff) r[kSrcSpDir] = r[kSrcSpStop];
  if (sp == kSpindleCw) r[kSrcSpDir] = r[kSrcSpCw];
  if (sp == kSpindleCcw) r[kSrcSpDir] = r[kSrcSpCcw];

  int32_t cool = ints[kSiCool];
  r[kSrcCool] = CoolantCode(v, cool);
  r[kSrcCoolCancel] = r[kSrcCoolOff];
  if (cool >= kCoolMist && cool < kCoolKinds && r[kCancelCodes[cool - kCoolMist]] != 0) {
    r[kSrcCoolCancel] = r[kCancelCodes[cool - kCoolMist]];
  }

  if (cool == kCoolOff) {
    r[kSrcSpDirCool] = r[kSrcSpDir];
  } else if (sp == kSpindleCw) {
    r[kSrcSpDirCool] = r[kSrcSpCwCool];
  } else if (sp == kSpindleCcw) {
    r[kSrcSpDirCool] = r[kSrcSpCcwCool];
  } else {
    r[kSrcSpDirCool] = r[kSrcCoolOn];
  }

  r[kSrcSpeedType] = r[ints[kSiSpeedType] == kSpeedRpm ? kSrcRPM : kSrcCSS];
}

}  // namespace tornel
