#include "tornel/cl/lookahead.h"

#include "tornel/sysvars/system_variables.h"

namespace tornel {

namespace {

double WordValue(const RecordSlot& slot, int i) { return i < slot.words ? slot.value[i] : 0.0; }

// Word i when it is a number; otherwise the GOTO will keep the value it
// would set, so the look-ahead sees `keep`.
double WordValueOr(const RecordSlot& slot, int i, double keep) {
  return i < slot.words && slot.type[i] == kWordNumber ? slot.value[i] : keep;
}

void SetNextMotion(ValueTables& v, const RecordSlot& q) {
  std::vector<double>& r = v.reals;
  double p[3] = {WordValueOr(q, 1, r[kSrX_In]), WordValueOr(q, 2, r[kSrY_In]),
                 WordValueOr(q, 3, r[kSrZ_In])};
  double cl[3];
  InputTransform(v, p, true, cl);
  r[kSrX_In_Next] = p[0];
  r[kSrY_In_Next] = p[1];
  r[kSrZ_In_Next] = p[2];
  r[kSrX_CL_Next] = cl[0];
  r[kSrY_CL_Next] = cl[1];
  r[kSrZ_CL_Next] = cl[2];
  if (q.words < 5) return;
  double a[3] = {WordValueOr(q, 4, r[kSrI_In]), WordValueOr(q, 5, r[kSrJ_In]),
                 WordValueOr(q, 6, r[kSrK_In])};
  InputTransform(v, a, false, cl);
  r[kSrI_In_Next] = a[0];
  r[kSrJ_In_Next] = a[1];
  r[kSrK_In_Next] = a[2];
  r[kSrI_CL_Next] = cl[0];
  r[kSrJ_CL_Next] = cl[1];
  r[kSrK_CL_Next] = cl[2];
}

}  // namespace

const RecordSlot* LookAheadScan(ClReader& r, ValueTables& v, int from) {
  std::vector<int32_t>& ints = v.ints;
  ToolTracking& tools = r.tools;
  if (ints[kSiToolCh] == 0) {
    tools.current = -9999.0;
    tools.previous = 0;
    tools.next = 0;
  }
  int32_t& move_next = ints[kSiMoveType_Next];
  int32_t& sub_next = ints[kSiSubType_Next];
  int32_t& rec_next = ints[kSiRecType_Next];
  const RecordSlot* first_kind = nullptr;
  const RecordSlot* last = nullptr;
  for (int k = 1; k <= kClLookAhead; ++k) {
    const RecordSlot& q = r.slots[(from + k) % kClRingSlots];
    if (q.words == 0) continue;
    last = &q;
    bool stop = false;
    switch (q.major) {
      case MajorWord::kGoto:
        if (move_next == 0) move_next = kKindGoto;
        SetNextMotion(v, q);
        stop = true;
        break;
      case MajorWord::kCircle: move_next = kKindCircle; break;
      case MajorWord::kRapid: move_next = kKindRapid; break;
      case MajorWord::kCutcom: sub_next = kKindCutcom; break;
      case MajorWord::kCycle:
        rec_next = kKindCycle;
        if (ints[kSiCycleAct] == 1 && q.words > 1 && WordIs(q.word[1], "OFF")) ints[kSiLastPoint] = 1;
        break;
      case MajorWord::kThread: rec_next = kKindThread; break;
      case MajorWord::kFeed: rec_next = kKindFeed; break;
      case MajorWord::kSpindle: rec_next = kKindSpindle; break;
      case MajorWord::kLoadTool:
      case MajorWord::kTurret: rec_next = kKindToolChange; break;
      case MajorWord::kEnd: rec_next = kKindEnd; break;
      default: break;
    }
    if (!stop && (rec_next == kKindToolChange || rec_next == kKindEnd) && tools.active) {
      tools.next = WordValue(q, 1);
      if (tools.next != tools.current || q.major == MajorWord::kEnd) tools.cancel_pending = true;
      ints[kSiToolCancelAct] = tools.cancel_pending ? 1 : 0;
      stop = true;
    }
    if (rec_next == 0) rec_next = sub_next;
    if (rec_next != 0 && !first_kind) first_kind = &q;
    if (stop) break;
  }
  if (rec_next == 0) {
    rec_next = move_next;
    return last;
  }
  return first_kind;
}

}  // namespace tornel
