#include "tornel/cl/dispatch.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "tornel/cl/arcs.h"
#include "tornel/cl/cl_codes.h"
#include "tornel/cl/cl_reader.h"
#include "tornel/cl/cl_record.h"
#include "tornel/cl/dispatch_parts.h"
#include "tornel/cl/feed_time.h"
#include "tornel/cl/lathe_rough.h"
#include "tornel/cl/frames.h"
#include "tornel/cl/move_values.h"
#include "tornel/cl/position_slots.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {

RecordWords::RecordWords(const ValueTables& values)
    : size(std::clamp<int32_t>(values.ints[kSiRecSize], 0, kRecordWordLimit)), v(values) {}

bool RecordWords::IsNumber(int k) const {
  return k < size && v.ints[kSiWordType + k] == kWordNumber;
}

bool RecordWords::IsString(int k) const {
  return k < size && v.ints[kSiWordType + k] == kWordString;
}

int32_t RecordWords::IntegerOr(int k, int32_t keep) const {
  double n = std::trunc(NumberOr(k, keep));
  return std::fabs(n) < 2e9 ? static_cast<int32_t>(n) : keep;
}

double RecordWords::Number(int k) const { return k < size ? v.reals[kSrWordVal + k] : 0.0; }

const std::string& RecordWords::Str(int k) const {
  static const std::string kEmpty;
  return k < size ? v.strings[kSsWordStr + k] : kEmpty;
}

bool RecordWords::Is(int k, std::string_view upper_keyword) const {
  return k < size && WordIs(Str(k), upper_keyword);
}

bool CallPost(ClContext& ctx, int number) {
  if (!ctx.cl.second_pass) return false;
  return RunPostFunction(ctx.calls, number);
}

void CallLabel(ClContext& ctx, int label) {
  if (ctx.cl.second_pass && label != kNoFunction) RunLabel(ctx.calls, label);
}

bool CancelTool(ClContext& ctx, CancelAct act) {
  bool ran = CallPost(ctx, kPfToolCancel);
  if (act == CancelAct::kClear) ctx.values.ints[kSiToolCancelAct] = 0;
  ctx.cl.tools.cancel_pending = false;
  ctx.cl.tools.active = false;
  return ran;
}

namespace {

int PassNumber(const ClReader& r) { return r.second_pass ? 2 : 1; }

// A new pass starts with the dispatcher's own state fresh and no comments
// collected (those of the first pass are never output); the second pass
// works in post units from its first record on.  Its motions start from
// the position the first pass started from, not from the end of the file.
void StartPass(ValueTables& v, ClReader& r) {
  DispatchState& d = r.dispatch;
  // The position before the first motion in working coordinates, through
  // the input frame that MAIN set (lathecoord ...): a lathe's tool axis
  // until the CL file gives one is the normal of its XZ plane.
  if (!r.second_pass) {
    for (int part = 0; part < 6; part += 3) {
      double in[3] = {v.reals[kPosIn[part]], v.reals[kPosIn[part + 1]], v.reals[kPosIn[part + 2]]};
      if (part == 3 && in[0] == 0 && in[1] == 0 && in[2] == 0) in[2] = 1;  // the tool along Z
      double cl[3];
      InputTransform(v, in, part == 0, cl);
      for (int i = 0; i < 3; ++i) v.reals[kPosCl[part + i]] = cl[i];
    }
  }
  MotionStart start = r.second_pass ? d.motion_start : CaptureMotionStart(v);
  if (r.second_pass) RestoreMotionStart(v, start);
  d = DispatchState{};
  d.motion_start = start;
  d.pass = PassNumber(r);
  v.ints[kSiComments] = 0;
  if (r.second_pass) ApplyUnitsRule(v, d.tol);
}

// What a major word does: its branch in the first chain (motion and
// program structure) and in the second (machine state); either may be
// none.  Both run, in this order.
using Branch = void (*)(ClContext&, const RecordWords&);
struct Branches {
  Branch first = nullptr;
  Branch second = nullptr;
};

void Rapid(ClContext& ctx, const RecordWords&) { ctx.values.ints[kSiMoveType] = kKindRapid; }

void Feed(ClContext& ctx, const RecordWords& w) {
  bool wanted = ctx.cl.second_pass || ctx.cl.dispatch.collect_feed;
  if (wanted && ctx.values.ints[kSiOperType] != kOperTypeThreadCycle)
    DispatchFeed(ctx.values, ctx.cl.dispatch, w);
}

constexpr std::array<Branches, kMajorWords> BuildBranches() {
  std::array<Branches, kMajorWords> t{};
  auto at = [&t](MajorWord m) -> Branches& { return t[static_cast<size_t>(m)]; };
  at(MajorWord::kGoto).first = DispatchGoto;
  at(MajorWord::kCircle).first = [](ClContext& c, const RecordWords& w) {
    DispatchCircle(c.values, c.cl.dispatch, w);
  };
  at(MajorWord::kRapid).first = Rapid;
  at(MajorWord::kNurbs).first = DispatchNurbs;
  at(MajorWord::kCoolant).first = [](ClContext& c, const RecordWords& w) {
    DispatchCoolant(c.values, w);
  };
  at(MajorWord::kCycle) = {DispatchCycle, [](ClContext& c, const RecordWords& w) {
                             CollectCycleFeed(c.values, c.cl.dispatch, w);
                           }};
  at(MajorWord::kShape).first = DispatchShape;
  at(MajorWord::kSet) = {DispatchLatheSet, DispatchSet};
  at(MajorWord::kThread) = {DispatchThread, [](ClContext& c, const RecordWords& w) {
                              CollectThreadFeed(c.values, c.cl.dispatch, w);
                            }};
  at(MajorWord::kEnd).first = [](ClContext& c, const RecordWords&) { DispatchEnd(c); };
  at(MajorWord::kDisplay).first = [](ClContext& c, const RecordWords& w) {
    DispatchDisplay(c.values, w);
  };
  at(MajorWord::kMode).first = [](ClContext& c, const RecordWords& w) { DispatchMode(c.values, w); };
  at(MajorWord::kNcLine).first = [](ClContext& c, const RecordWords&) { DispatchNcString(c); };
  at(MajorWord::kPprint).second = [](ClContext& c, const RecordWords& w) {
    DispatchPprint(c.values, c.nc.output, c.cl.dispatch, c.calls.table, w);
  };
  at(MajorWord::kRemark).second = [](ClContext& c, const RecordWords& w) {
    DispatchRemark(c.values, w);
  };
  at(MajorWord::kPartNo).second = [](ClContext& c, const RecordWords& w) {
    DispatchPartNo(c.values, c.cl, c.calls.table, w);
  };
  at(MajorWord::kLoadTool).second = [](ClContext& c, const RecordWords& w) {
    DispatchLoadTool(c.values, w);
  };
  at(MajorWord::kTurret).second = [](ClContext& c, const RecordWords& w) {
    DispatchTurret(c.values, w);
  };
  at(MajorWord::kCutter).second = [](ClContext& c, const RecordWords& w) {
    DispatchCutter(c.values, w);
  };
  at(MajorWord::kCutcom).second = [](ClContext& c, const RecordWords& w) {
    DispatchCutcom(c.values, c.cl.second_pass, w);
  };
  at(MajorWord::kSpindle).second = [](ClContext& c, const RecordWords& w) {
    DispatchSpindle(c.values, c.cl, w);
  };
  at(MajorWord::kFeed).second = Feed;
  at(MajorWord::kUnits).second = [](ClContext& c, const RecordWords& w) {
    DispatchUnits(c.values, c.cl.dispatch.tol, w);
  };
  at(MajorWord::kOperation).second = DispatchOperation;
  at(MajorWord::kMcs).second = [](ClContext& c, const RecordWords& w) { DispatchMcs(c, w); };
  at(MajorWord::kSelect).second = DispatchSelect;
  at(MajorWord::kOptStop).second = [](ClContext& c, const RecordWords&) { DispatchStop(c, true); };
  at(MajorWord::kStop).second = [](ClContext& c, const RecordWords&) { DispatchStop(c, false); };
  at(MajorWord::kWire).second = DispatchWire;
  return t;
}

constexpr std::array<Branches, kMajorWords> kBranches = BuildBranches();

}  // namespace

bool IsContourMotionWord(std::string_view major) {
  static constexpr std::string_view kWords[] = {"TLON",   "TLLFT",  "TLRGT", "TLOFPS", "TLONPS",
                                                "GOFWD",  "GOLFT",  "GORGT", "GOBACK", "GOUP",
                                                "GODOWN", "GODLTA"};
  // Every part of "TLON,GOFWD" counts.
  while (!major.empty()) {
    size_t comma = major.find(',');
    std::string_view part = major.substr(0, comma);
    while (!part.empty() && part.back() == ' ') part.remove_suffix(1);
    while (!part.empty() && part.front() == ' ') part.remove_prefix(1);
    for (std::string_view w : kWords)
      if (WordIs(part, w)) return true;
    if (comma == std::string_view::npos) break;
    major.remove_prefix(comma + 1);
  }
  return false;
}

// Records reach this point in file order with their record variables set
// and OnAPT past.  The branches of the major word handle motion and
// program structure, then the machine state; then the tool change, the
// motion event and the record's main post function follow.
void DispatchRecord(ClContext& ctx, MajorWord major) {
  ClReader& r = ctx.cl;
  DispatchState& d = r.dispatch;
  ValueTables& v = ctx.values;
  if (d.pass != PassNumber(r)) StartPass(v, r);
  d.event = false;
  d.main_label = kNoFunction;
  d.arc.kind = ArcPlan::kWhole;
  d.divided = DividedMove{};
  d.wire.motion = false;
  d.wire.linearise = false;

  RecordWords w(v);
  if (w.size == 0) return;
  if (major == MajorWord::kOther && IsContourMotionWord(w.Str(0))) {
    FatalInRecord(ctx, FormatMessage(kMsgContourMotion, {w.Str(0)}).c_str(), v.ints[kSiRec]);
  }
  // Only while a roughing cycle is defined or its contour read.
  if (d.rough.state != 0 || d.rough.contour_open) {
    if (EndsContourRecord(major)) EndOpenContour(ctx);
    AbandonRoughingAt(ctx, major);
  }
  if (major == MajorWord::kGoto && d.nurbs.open) EndNurbsCurve(ctx);
  const Branches& b = kBranches[static_cast<size_t>(major)];
  if (b.first) b.first(ctx, w);
  if (b.second) b.second(ctx, w);

  std::vector<int32_t>& ints = v.ints;
  if (ints[kSiRecType] == kKindFeed && d.collect_feed) CollectToolFeed(v, d);
  if (ints[kSiRecType] == kKindToolChange) ChangeTool(ctx);
  // A record that named no kind of its own takes its motion's kind, so a
  // post can compare siRecType with the post function the record leads to.
  if (ints[kSiRecType] == 0) ints[kSiRecType] = ints[kSiSubType];
  if (ints[kSiRecType] == 0) ints[kSiRecType] = ints[kSiMoveType];
  if (r.second_pass) ComputeFeedAndTime(v, d, d.event);
  if (d.event && r.second_pass) RunMotionEvent(ctx);
  CallMainMotion(ctx);
  if (d.event) EndMotionEvent(v, r);
}

}  // namespace tornel
