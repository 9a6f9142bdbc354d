#include "tornel/cl/lathe_rough.h"

#include <cmath>
#include <cstdio>
#include <numbers>

#include "platform/text_file.h"
#include "tornel/base/file_open.h"
#include "tornel/cl/cl_codes.h"
#include "tornel/cl/dispatch_parts.h"
#include "tornel/cl/frames.h"
#include "tornel/cl/nc_warning.h"
#include "tornel/cl/read_ahead.h"
#include "tornel/output/line_ring.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {

namespace {

constexpr double kDeg = std::numbers::pi / 180;

double Sign(double x) { return x < 0 ? -1 : 1; }


void EndContour(ClContext& ctx, bool recognised);

bool EndsContour(const RecordSlot& q) {
  if (q.major == MajorWord::kShape) return q.words > 1 && WordIs(q.word[1], "END");
  return EndsContourRecord(q.major);
}

// The contour after SHAPE/START: its records into "Tornel1.tmp", its
// elements counted, its end point.
struct ContourWriter : RecordVisitor {
  ContourWriter(ClContext& ctx, std::FILE* f) : ctx(ctx), file(f) {}
  bool Visit(const RecordSlot& q) override {
    if (EndsContour(q)) return false;
    std::string line = ContourLine(q);
    if (line.empty()) return true;
    if (!platform::WriteBytes(file, line)) FatalWriteError(ctx.diag, kTempPostCopy, errno);
    if (q.major == MajorWord::kGoto) {
      ++elements;
      if (q.words > 2) {
        x = q.type[1] == kWordNumber ? q.value[1] : x;
        y = q.type[2] == kWordNumber ? q.value[2] : y;
      }
    }
    return true;
  }
  ClContext& ctx;
  std::FILE* file;
  int32_t elements = 0;
  double x = 0, y = 0;
};

// Compares the contour that follows with the one in "Tornel1.tmp".
struct ContourComparer : RecordVisitor {
  ContourComparer(ClContext& ctx, std::FILE* f) : ctx(ctx), lines(f) {}
  bool Visit(const RecordSlot& q) override {
    if (EndsContour(q)) return false;
    std::string line = ContourLine(q);
    if (line.empty()) return true;
    std::string kept;
    if (!platform::ReadRawLine(lines, kept) || kept != line) {
      same = false;
      return false;
    }
    ++compared;
    return true;
  }
  ClContext& ctx;
  platform::LineReader lines;
  bool same = true;
  int compared = 0;
};

// Calls a post function with srX ... at the roughing start point.
void CallAtRoughStart(ClContext& ctx, int number) {
  std::vector<double>& r = ctx.values.reals;
  const double* start = ctx.cl.dispatch.rough.start;
  const double keep[3] = {r[kSrX], r[kSrY], r[kSrZ]};
  r[kSrX] = start[0];
  r[kSrY] = start[1];
  r[kSrZ] = start[2];
  CallPost(ctx, number);
  r[kSrX] = keep[0];
  r[kSrY] = keep[1];
  r[kSrZ] = keep[2];
}

void StartContour(ClContext& ctx) {
  ValueTables& v = ctx.values;
  std::vector<int32_t>& ints = v.ints;
  std::vector<double>& r = v.reals;
  RoughState& rough = ctx.cl.dispatch.rough;
  rough.state = 0;
  rough.contour_open = true;
  ints[kSiShapeElements] = 0;
  ints[kSiMoveType] = 0;
  const double lead = r[kSrLeadInLen], lead_ang = r[kSrLeadInAng] * kDeg;
  r[kSrShpXS_In] = r[kSrX_In] + lead * std::cos(lead_ang);
  r[kSrShpYS_In] = r[kSrY_In] + lead * std::sin(lead_ang);
  LathePlaneToOutput(v, r[kSrShpXS_In], r[kSrShpYS_In], true, kSrShpXS_Out, kSrShpYS_Out, kSrShpZS_Out);
  // The contour is read ahead, and its calls made, in the second pass.
  if (!ctx.cl.second_pass) return;

  std::FILE* f = OpenFile(ctx.diag, kTempPostCopy, "w");
  ContourWriter writer(ctx, f);
  writer.x = r[kSrShpXS_In];
  writer.y = r[kSrShpYS_In];
  VisitRecordsAhead(ctx, writer, kMsgShapeSeek);
  if (std::fclose(f) != 0) FatalWriteError(ctx.diag, kTempPostCopy, errno);
  ints[kSiShapeElements] = writer.elements;
  r[kSrShpXE_In] = writer.x;
  r[kSrShpYE_In] = writer.y;
  LathePlaneToOutput(v, writer.x, writer.y, true, kSrShpXE_Out, kSrShpYE_Out, kSrShpZE_Out);

  // The line numbers the control's cycle names: the lines written so far
  // have theirs, so srSeq is the next one.
  FlushAllLines(ctx.nc);
  if (ints[kSiSeqOn] == 1 || ints[kSiSeqOn] == 3) {
    r[kSrShpStart] = r[kSrSeq] + r[kSrShpStartInc];
    r[kSrShpEnd] = r[kSrShpStart] + (writer.elements - 1) * r[kSrSeqInc] + r[kSrShpEndInc];
  } else {
    r[kSrShpStart] += r[kSrShpStartInc];
    if (r[kSrShpEnd] >= r[kSrShpStart]) r[kSrShpStart] += r[kSrShpStartInc];
    r[kSrShpEnd] = r[kSrShpStart] + r[kSrShpEndInc];
  }
  if (rough.post_function != kPfNone) CallAtRoughStart(ctx, rough.post_function);
  CallPost(ctx, kPfShapeStart);
}

// SHAPE/END, or the end of a finishing contour recognised.
void EndContour(ClContext& ctx, bool recognised) {
  ValueTables& v = ctx.values;
  std::vector<int32_t>& ints = v.ints;
  std::vector<double>& r = v.reals;
  RoughState& rough = ctx.cl.dispatch.rough;
  rough.contour_open = false;
  if (r[kSrLeadOutLen] > 0) {
    const double a = r[kSrLeadOutAng] * kDeg;
    double in[3] = {r[kSrX_In] + r[kSrLeadOutLen] * std::cos(a),
                    r[kSrY_In] + r[kSrLeadOutLen] * std::sin(a), r[kSrZ_In]};
    double out[3];
    InputToOutput(v, in, true, out);
    for (int i = 0; i < 3; ++i) r[kSrX + i] = out[i];
  }
  CallPost(ctx, kPfShapeEnd);
  const bool finishing = ints[kSiFinishingOn] == 1;
  if (finishing && (ints[kSiFinCuts] >= 1 || recognised)) {
    ints[kSiCycle] = kCycleFinishing;
    r[kSrcCycle] = r[kSrcFinishing];
    CallAtRoughStart(ctx, kPfFinishing);
  }
  rough.state = !recognised && finishing && IsDefined(ctx.calls, kPfFinishing)
                    ? kRoughFinishingMayFollow
                    : 0;
  ints[kSiMoveType] = 0;
  ints[kSiCycle] = 0;
  ints[kSiRoughType] = 0;
  rough.post_function = kPfNone;
}

}  // namespace

bool EndsContourRecord(MajorWord major) {
  switch (major) {
    case MajorWord::kRapid:
    case MajorWord::kCycle:
    case MajorWord::kLoadTool:
    case MajorWord::kTurret:
    case MajorWord::kEnd:
      return true;
    default:
      return false;
  }
}

void AbandonRoughingAt(ClContext& ctx, MajorWord major) {
  RoughState& rough = ctx.cl.dispatch.rough;
  if (rough.state != kRoughTurning && rough.state != kRoughFacing) return;
  if (major != MajorWord::kLoadTool && major != MajorWord::kTurret && major != MajorWord::kEnd &&
      major != MajorWord::kCycle && major != MajorWord::kOperation)
    return;
  rough.state = 0;
  rough.post_function = kPfNone;
  ctx.values.ints[kSiRoughType] = 0;
  if (ctx.cl.second_pass) {
    std::string message = FormatMessage(kMsgRoughingWithoutContour,
                                        {std::to_string(ctx.values.ints[kSiRec])});
    WarnInNcFile(ctx, message, ctx.flags.cycle_warning);
  }
}

void EndOpenContour(ClContext& ctx) {
  if (ctx.cl.dispatch.rough.contour_open) EndContour(ctx, false);
}

std::string ContourLine(const RecordSlot& q) {
  int n = q.major == MajorWord::kGoto ? 6 : q.major == MajorWord::kCircle ? 7 : 0;
  if (n == 0) return "";
  std::string line = q.word[0] + "/";
  for (int k = 1; k <= n; ++k) {
    if (k > 1) line += ',';
    if (k < q.words) line += q.word[k];
  }
  line += '\n';
  return line;
}

void DispatchRoughing(ClContext& ctx, const RecordWords& w) {
  ValueTables& v = ctx.values;
  std::vector<int32_t>& ints = v.ints;
  std::vector<double>& r = v.reals;
  RoughState& rough = ctx.cl.dispatch.rough;
  const bool facing = !w.Is(1, "TURN");
  ints[kSiRoughType] = facing ? kRoughFacing : kRoughTurning;
  ints[kSiCycle] = kCycleRoughing;
  r[kSrcCycle] = r[kSrcRoughTurn];
  int post = kPfRoughTurn;
  ints[kSiRecType] = kKindRoughing;
  ints[kSiSubType] = ints[kSiRoughType];
  if (facing) {
    post = kPfRoughFace;
    if (r[kSrcRoughFace] != 0) r[kSrcCycle] = r[kSrcRoughFace];
  }
  rough.post_function = post;
  if (ints[kSiRoughTurnOn] == 0 || !IsDefined(ctx.calls, post)) {
    // The contour is then ordinary motion.
    ints[kSiRoughType] = 0;
    ints[kSiCycle] = 0;
    rough.post_function = kPfNone;
  }
  rough.state = ints[kSiRoughType];
  for (int slot : {kSrCut, kSrFinCut, kSrCutAng, kSrRetrAng, kSrLeadInAng, kSrLeadInLen,
                   kSrLeadOutAng, kSrLeadOutLen, kSrLeaveMatX_In, kSrLeaveMatY_In,
                   kSrLeaveMatX_Out, kSrLeaveMatY_Out, kSrLeaveMatZ_Out, kSrPlungeFeed})
    r[slot] = 0;
  ints[kSiFinCuts] = 0;
  ints[kSiSprCuts] = 0;
}

void DispatchLatheSet(ClContext& ctx, const RecordWords& w) {
  ValueTables& v = ctx.values;
  std::vector<int32_t>& ints = v.ints;
  std::vector<double>& r = v.reals;
  DispatchState& d = ctx.cl.dispatch;
  RoughState& rough = d.rough;
  if (rough.state != kRoughTurning && rough.state != kRoughFacing) return;
  auto num = [&](int k) { return w.NumberOr(k, 0); };
  if (w.Is(1, "DEPTH")) {
    r[kSrCut] = num(2);
    r[kSrFinCut] = num(3);
  } else if (w.Is(1, "RAPTO")) {
    r[kSrClear] = num(2);
  } else if (w.Is(1, "RTRCTO")) {
    r[kSrRetr] = num(2);
  } else if (w.Is(1, "SCLEAR")) {
    r[kSrSideClr] = num(2);
  } else if (w.Is(1, "STOCK")) {
    r[kSrLeaveMatY_In] = num(2);
    r[kSrLeaveMatX_In] = num(3);
  } else if (w.Is(1, "CUTANG")) {
    r[kSrCutAng] = num(2);
  } else if (w.Is(1, "RETANG") || w.Is(1, "RETAND")) {
    r[kSrRetrAng] = num(2);
    const double cut = r[kSrCutAng] * kDeg, ret = r[kSrRetrAng] * kDeg;
    if (rough.state == kRoughTurning) {
      ints[kSiLongSide] = static_cast<int32_t>(Sign(-std::cos(cut)));
      ints[kSiTransvSide] = static_cast<int32_t>(Sign(std::sin(ret)));
    } else {
      ints[kSiLongSide] = static_cast<int32_t>(Sign(std::cos(ret)));
      ints[kSiTransvSide] = static_cast<int32_t>(Sign(-std::sin(cut)));
    }
    LathePlaneToOutput(v, r[kSrLeaveMatX_In], r[kSrLeaveMatY_In], false, kSrLeaveMatX_Out,
                  kSrLeaveMatY_Out, kSrLeaveMatZ_Out);
  } else if (w.Is(1, "LEAD") && (w.Is(2, "IN") || w.Is(2, "OUT"))) {
    const bool in = w.Is(2, "IN");
    if (w.Is(3, "ATANGL")) r[in ? kSrLeadInAng : kSrLeadOutAng] = num(4);
    if (w.Is(5, "LENGTH")) r[in ? kSrLeadInLen : kSrLeadOutLen] = num(6);
  } else if (w.Is(1, "FEED")) {
    int32_t type = 0;
    if (w.Is(2, "MMPM") || w.Is(2, "IPM") || w.Is(2, "FPM")) type = kFeedPerMinute;
    if (w.Is(2, "MMPR") || w.Is(2, "IPR") || w.Is(2, "FPR")) type = kFeedPerRev;
    if (type != 0) {
      ints[kSiFeedType] = type;
      r[kSrFeed] = num(3);
      d.cl_feed = num(3);  // the feed of the records that follow, as a FEDRAT's
    }
  } else if (w.Is(1, "PLUNGE")) {
    r[kSrPlungeFeed] = num(3);
  } else if (w.Is(1, "FINPAS")) {
    ints[kSiFinCuts] = w.IntegerOr(2, 0);
  } else if (w.Is(1, "SPRPAS")) {
    rough.start[0] = r[kSrX];
    rough.start[1] = r[kSrY];
    rough.start[2] = r[kSrZ];
    ints[kSiSprCuts] = w.IntegerOr(2, 0);
    CallPost(ctx, kPfInitRough);
    rough.state = ints[kSiRoughType];
  }
}

void DispatchShape(ClContext& ctx, const RecordWords& w) {
  RoughState& rough = ctx.cl.dispatch.rough;
  if (w.Is(1, "START")) {
    if (ctx.values.ints[kSiRoughType] != 0) StartContour(ctx);
  } else if (w.Is(1, "END")) {
    // A SHAPE/END without a contour of a roughing cycle ends nothing.
    if (rough.contour_open) EndContour(ctx, false);
  }
}

bool RoughingLetsGotoThrough(ClContext& ctx) {
  ValueTables& v = ctx.values;
  RoughState& rough = ctx.cl.dispatch.rough;
  if (rough.state == 0) return true;
  if (rough.state == kRoughFinishingMayFollow && ctx.cl.second_pass &&
      v.ints[kSiMoveType] == kKindRapid &&
      (v.ints[kSiMoveType_Next] == kKindGoto || v.ints[kSiMoveType_Next] == kKindCircle)) {
    std::FILE* f = platform::OpenBinary(kTempPostCopy, "r");
    if (f) {
      ContourComparer compare(ctx, f);
      VisitRecordsAhead(ctx, compare, kMsgShapeSeek);
      // The rest of the kept contour must have been met too.
      std::string more;
      bool whole = compare.same && compare.compared > 0 && !platform::ReadRawLine(compare.lines, more);
      std::fclose(f);
      if (whole) EndContour(ctx, true);
    }
  }
  return rough.state == kRoughFinishingMayFollow;
}

}  // namespace tornel
