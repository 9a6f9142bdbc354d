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

// Words first..first+2 of the look-ahead GOTO, each defaulting to the
// current _In value, into the _In_Next and _CL_Next slots: a point (words
// 1-3) or a tool axis (4-6).
void SetNextTriple(ValueTables& v, const RecordSlot& q, int first, int in, int in_next,
                   int cl_next, bool point) {
  std::vector<double>& r = v.reals;
  double p[3];
  for (int i = 0; i < 3; ++i) p[i] = WordValueOr(q, first + i, r[in + i]);
  double cl[3];
  InputTransform(v, p, point, cl);
  for (int i = 0; i < 3; ++i) {
    r[in_next + i] = p[i];
    r[cl_next + i] = cl[i];
  }
}

static_assert(kSrY_In - kSrX_In == 1 && kSrZ_In - kSrX_In == 2 && kSrJ_In - kSrI_In == 1 &&
              kSrK_In - kSrI_In == 2);
static_assert(kSrY_In_Next - kSrX_In_Next == 1 && kSrZ_In_Next - kSrX_In_Next == 2 &&
              kSrJ_In_Next - kSrI_In_Next == 1 && kSrK_In_Next - kSrI_In_Next == 2);
static_assert(kSrY_CL_Next - kSrX_CL_Next == 1 && kSrZ_CL_Next - kSrX_CL_Next == 2 &&
              kSrJ_CL_Next - kSrI_CL_Next == 1 && kSrK_CL_Next - kSrI_CL_Next == 2);

void SetNextMotion(ValueTables& v, const RecordSlot& q) {
  SetNextTriple(v, q, 1, kSrX_In, kSrX_In_Next, kSrX_CL_Next, true);
  if (q.words >= 5) SetNextTriple(v, q, 4, kSrI_In, kSrI_In_Next, kSrI_CL_Next, false);
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
