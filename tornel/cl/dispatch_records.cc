// The machine-state records: coolant, spindle, feed, tool, comments, units,
// program start and end, stops.
#include <algorithm>
#include <cmath>
#include <vector>

#include "tornel/cl/cl_codes.h"
#include "tornel/cl/dispatch_parts.h"
#include "tornel/output/comments.h"
#include "tornel/output/line_ring.h"
#include "tornel/output/output_statement.h"
#include "tornel/cl/wire_edm.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {

namespace {

inline constexpr double kMmPerInch = 25.4;
inline constexpr std::string_view kDescriptionTag = "DESCRIPTION:";
inline constexpr std::string_view kViewTag = "CView ";

// Index of the tool the first-pass lists describe now.
int ListedTool(const ValueTables& v) {
  return std::clamp<int32_t>(v.ints[kSiTools] - 1, 0, kListSlots - 1);
}

std::string LeftTrimmed(std::string_view s) {
  size_t b = s.find_first_not_of(' ');
  return b == std::string_view::npos ? std::string() : std::string(s.substr(b));
}

// Every run of blanks reduced to one, left-trimmed.
std::string SqueezedBlanks(std::string_view s) {
  std::string out;
  for (char c : s) {
    if (c == ' ' && (out.empty() || out.back() == ' ')) continue;
    out += c;
  }
  return out;
}

bool StartsWith(std::string_view s, std::string_view prefix) {
  return s.substr(0, prefix.size()) == prefix;
}

}  // namespace

void DispatchCoolant(ValueTables& v, const RecordWords& w) {
  int32_t cool = kCoolOff;
  if (w.Is(1, "ON") || w.Is(1, "FLOOD")) {
    cool = kCoolFlood;
  } else if (w.Is(1, "MIST")) {
    cool = kCoolMist;
  } else if (w.Is(1, "THRU")) {
    cool = kCoolThruLow;
  }
  if (w.Is(2, "LOW") && cool == kCoolFlood) cool = kCoolFloodLow;
  if (w.Is(2, "HIGH")) {
    if (cool == kCoolFlood) cool = kCoolFloodHigh;
    if (cool == kCoolThruLow) cool = kCoolThruHigh;
  }
  v.ints[kSiCool] = cool;
}

void DispatchSpindle(ValueTables& v, ClReader& r, const RecordWords& w) {
  std::vector<int32_t>& ints = v.ints;
  std::vector<double>& reals = v.reals;
  DispatchState& d = r.dispatch;
  ints[kSiRecType] = kKindSpindle;
  if (w.Is(1, "OFF")) {
    ints[kSiSpDir] = kSpindleOff;
  } else if (w.Is(1, "ON")) {
    ints[kSiSpDir] = d.spindle_dir;
  } else {
    ints[kSiSpeedType] = kSpeedRpm;
    ints[kSiSpDir] = kSpindleCw;
    double speed = w.IsNumber(1) ? w.Number(1) : w.Number(2);
    reals[kSrSpeed] = speed;
    d.cl_speed = speed;
    int unit = w.IsString(2) ? 2 : 1;
    if (w.size >= 3 && (w.Is(unit, "SFM") || w.Is(unit, "SMM") || w.Is(unit, "CSS"))) {
      ints[kSiSpeedType] = kSpeedCss;
    }
    for (int k = 1; k < w.size; ++k) {
      if (w.Is(k, "CCLW")) ints[kSiSpDir] = kSpindleCcw;
    }
    int i = ListedTool(v);
    for (int k = 1; k <= w.size - 2; ++k) {
      if (w.Is(k, "MAXRPM") && w.IsNumber(k + 1) && w.Number(k + 1) > 0) {
        double max_rpm = w.Number(k + 1);
        if (ints[kSiToolCh] >= 2) reals[kSrMaxRPM] = max_rpm;
        if (ints[kSiTools] < 2) r.tools.first_max_rpm = max_rpm;
        reals[kSrMaxRPMList + i] = max_rpm;
      }
      if (w.Is(k, "RANGE") && w.IsNumber(k + 1)) {
        reals[kSrSpeedRange] = w.Number(k + 1);
        reals[kSrcSpeedRange] = reals[kSrSpeedRange] + reals[kSrSpeedRangeAdd];
      }
    }
    // Only a running direction is remembered: SPINDL/ON after SPINDL/OFF
    // must bring the spindle back as it turned.
    d.spindle_dir = ints[kSiSpDir];
  }
  int i = ListedTool(v);
  ints[kSiSpDirList + i] = ints[kSiSpDir];
  ints[kSiSpeedTypeList + i] = ints[kSiSpeedType];
  reals[kSrSpeedList + i] = reals[kSrSpeed];
  reals[kSrSpeedRangeList + i] = reals[kSrSpeedRange];
}

void DispatchFeed(ValueTables& v, DispatchState& d, const RecordWords& w) {
  std::vector<int32_t>& ints = v.ints;
  std::vector<double>& reals = v.reals;
  ints[kSiRecType] = kKindFeed;
  ints[kSiFeedType] = kFeedPerMinute;
  double feed = w.IsNumber(1) ? w.Number(1) : w.Number(2);
  d.cl_feed = feed;
  if (reals[kSrFeed] == 0) reals[kSrFeed] = feed;
  int unit = w.IsString(2) ? 2 : 1;
  if (w.size >= 3 && (w.Is(unit, "MMPR") || w.Is(unit, "IPR") || w.Is(unit, "FPR"))) {
    ints[kSiFeedType] = kFeedPerRev;
  }
}

void CollectToolFeed(ValueTables& v, DispatchState& d) {
  std::vector<int32_t>& ints = v.ints;
  std::vector<double>& reals = v.reals;
  int i = ListedTool(v);
  reals[kSrFeedList + i] = reals[kSrFeed];
  ints[kSiFeedTypeList + i] = ints[kSiFeedType];
  reals[kSrPlungeFeedList + i] = reals[kSrPlungeFeed];
  d.collect_feed = false;
}

void DispatchLoadTool(ValueTables& v, const RecordWords& w) {
  std::vector<double>& reals = v.reals;
  v.ints[kSiRecType] = kKindToolChange;
  if (w.IsNumber(1)) reals[kSrTool] = w.Number(1);
  for (int k = 1; k <= w.size - 2; ++k) {
    if (w.Is(k, "LENGTH") || w.Is(k, "ADJUST")) reals[kSrToolLen] = w.Number(k + 1);
    if (w.Is(k, "OSETNO")) reals[kSrLenComp] = w.Number(k + 1);
  }
}

void CloseToolTotals(ValueTables& v, bool at_tool_change) {
  std::vector<double>& reals = v.reals;
  int32_t ch = v.ints[kSiToolCh];
  if (ch < 1 || ch - 1 > v.ints[kSiTools] || ch - 1 >= kListSlots) return;
  reals[kSrMoveLenList + ch - 1] = reals[kSrMoveLenOper];
  reals[kSrMoveTimeList + ch - 1] = reals[kSrMoveTimeOper];
  reals[kSrMoveLenTot] += reals[kSrMoveLenOper];
  reals[kSrMoveTimeTot] += reals[kSrMoveTimeOper];
  if (at_tool_change) {
    reals[kSrMoveLenOper] = 0;
    reals[kSrMoveTimeOper] = 0;
  }
}

namespace {

// First pass: the tool joins the lists and its values start afresh.
void ListTool(ValueTables& v, DispatchState& d) {
  std::vector<int32_t>& ints = v.ints;
  std::vector<double>& reals = v.reals;
  std::vector<std::string>& strings = v.strings;
  int n = std::clamp<int32_t>(ints[kSiTools], 0, kListSlots - 1);
  static constexpr int kRealLists[][2] = {
      {kSrToolList, kSrTool},       {kSrToolLenList, kSrToolLen}, {kSrToolRadList, kSrToolRad},
      {kSrToolCrnList, kSrToolCrn}, {kSrToolXList, kSrToolX},     {kSrToolYList, kSrToolY},
      {kSrLenCompList, kSrLenComp}};
  for (const auto& [list, value] : kRealLists) reals[list + n] = reals[value];
  static constexpr int kIntLists[][2] = {{kSiTurretList, kSiTurret},
                                         {kSiSpindleList, kSiSpindle},
                                         {kSiOperTypeList, kSiOperType},
                                         {kSiOperModeList, kSiOperMode},
                                         {kSiMillTurnList, kSiMillTurn}};
  for (const auto& [list, value] : kIntLists) ints[list + n] = ints[value];
  strings[kSsToolDescList + n] = strings[kSsToolDesc];
  for (const auto& [list, value] : kRealLists) reals[value] = 0;
  strings[kSsToolDesc].clear();
  if (ints[kSiTools] < ints[kSiToolsLim] && ints[kSiTools] < kListSlots) ints[kSiTools] += 1;
  ints[kSiToolsTot] += 1;
  d.collect_feed = true;
}

// Second pass: the tool takes its listed values, and the look-ahead values
// name the tool after it.
void EnterListedTool(ClContext& ctx) {
  std::vector<int32_t>& ints = ctx.values.ints;
  std::vector<double>& reals = ctx.values.reals;
  std::vector<std::string>& strings = ctx.values.strings;
  DispatchState& d = ctx.cl.dispatch;
  if (ctx.cl.tools.cancel_pending && CancelTool(ctx)) d.main_label = kNoFunction;
  int tools = std::min<int32_t>(ints[kSiTools], kListSlots);
  int c = ints[kSiToolCh];
  if (c >= 0 && c < tools) {
    static constexpr int kRealLists[][2] = {
        {kSrToolList, kSrTool},           {kSrToolLenList, kSrToolLen},
        {kSrToolRadList, kSrToolRad},     {kSrToolCrnList, kSrToolCrn},
        {kSrToolXList, kSrToolX},         {kSrToolYList, kSrToolY},
        {kSrLenCompList, kSrLenComp},     {kSrRadCompList, kSrRadComp},
        {kSrFeedList, kSrFeed},           {kSrPlungeFeedList, kSrPlungeFeed}};
    for (const auto& [list, value] : kRealLists) reals[value] = reals[list + c];
    strings[kSsToolDesc] = strings[kSsToolDescList + c];
    ints[kSiFeedType] = ints[kSiFeedTypeList + c];
  }
  static constexpr int kIntNext[][3] = {{kSiTurret_Next, kSiTurretList, kSiTurret},
                                        {kSiSpindle_Next, kSiSpindleList, kSiSpindle},
                                        {kSiSpDir_Next, kSiSpDirList, kSiSpDir},
                                        {kSiOperType_Next, kSiOperTypeList, kSiOperType},
                                        {kSiOperMode_Next, kSiOperModeList, kSiOperMode},
                                        {kSiMillTurn_Next, kSiMillTurnList, kSiMillTurn}};
  if (c + 1 >= tools) {
    reals[kSrToolNext] = reals[kSrToolList];
    for (const auto& [next, list, value] : kIntNext) ints[next] = ints[value];
  } else {
    reals[kSrToolNext] = reals[kSrToolList + c + 1];
    for (const auto& [next, list, value] : kIntNext) ints[next] = ints[list + c + 1];
  }
  if (c == 0) {
    reals[kSrToolPrev] = 0;
  } else if (tools >= 2 && c >= 1 && c - 1 < tools) {
    reals[kSrToolPrev] = reals[kSrToolList + c - 1];
  }
  d.pending_tool_change =
      ResolvedPostFunction(ctx.calls.table, c == 0 ? kPf1stToolChange : kPfSubToolChange);
  CloseToolTotals(ctx.values, true);
  ints[kSiToolCh] += 1;
  ints[kSiToolChAct] = 1;
  ints[kSiForceMove] = 1;
  ctx.cl.tools.active = true;
  d.tool_change_event = true;
  d.pending_oper_start = false;
  ctx.cl.first_move = 1;
  d.cl_feed = reals[kSrFeed];
}

}  // namespace

void ChangeTool(ClContext& ctx) {
  ToolTracking& t = ctx.cl.tools;
  double tool = ctx.values.reals[kSrTool];
  t.previous = t.current;
  t.current = tool;
  if (tool == t.previous) {
    ctx.values.ints[kSiRecType] = 0;
    return;
  }
  if (ctx.cl.second_pass) {
    EnterListedTool(ctx);
  } else {
    ListTool(ctx.values, ctx.cl.dispatch);
  }
}

void DispatchPprint(ValueTables& v, OutputTables& out, DispatchState& d,
                    const PostFunctionTable& posts, const RecordWords& w) {
  std::vector<int32_t>& ints = v.ints;
  std::vector<std::string>& strings = v.strings;
  ints[kSiRecType] = kKindPprint;
  const std::string& text = w.Str(1);
  strings[kSsGetComment] = text;
  d.main_label = posts[kPfGetComment];
  int32_t& display = ints[kSiDispComment];
  if (display != 0) {
    int32_t& n = ints[kSiComments];
    // Comments beyond the room of ssComment are dropped.
    if (n >= 0 && n < kCommentSlots) {
      std::string comment = text;
      std::vector<size_t> joins;
      for (int k = 2; k < w.size; ++k) {
        joins.push_back(comment.size());
        comment += "," + w.Str(k);
      }
      NoteJoinedComment(out, n, comment, std::move(joins));
      strings[kSsComment + n] = std::move(comment);
      n += 1;
    }
  }
  if (display != kDisplayNext) {
    d.display_state = display;
  } else {
    display = d.display_state;
  }
  if (StartsWith(text, kDescriptionTag)) {
    strings[kSsToolDesc] = LeftTrimmed(SqueezedBlanks(text.substr(kDescriptionTag.size())));
  }
  if (StartsWith(text, kViewTag)) {
    std::string_view view = std::string_view(text).substr(kViewTag.size());
    size_t comma = view.find(',');
    std::string_view number = view.substr(0, comma);
    if (w.size < 3) {
      if (comma != std::string_view::npos) strings[kSsViewDesc] = LeftTrimmed(view.substr(comma + 1));
    } else {
      strings[kSsViewDesc] = LeftTrimmed(w.Str(2));
    }
    std::string digits = LeftTrimmed(number);
    while (!digits.empty() && digits.back() == ' ') digits.pop_back();
    if (IsNumberWord(digits)) {
      ints[kSiView] = static_cast<int32_t>(std::trunc(NumberWordValue(digits)));
    }
  }
}

void DispatchRemark(ValueTables& v, const RecordWords& w) {
  std::string first = w.Str(1);
  std::string second = w.Str(2);
  size_t colon = first.find(':');
  if (colon != std::string::npos) {
    second = first.substr(colon + 1);
    first.resize(colon);
  }
  std::vector<std::string>& strings = v.strings;
  if (first == "VIEWNAME") strings[kSsViewDesc] = LeftTrimmed(second);
  if (first == "TOOLDESC") strings[kSsToolDesc] = LeftTrimmed(second);
}

void DispatchDisplay(ValueTables& v, const RecordWords& w) {
  int32_t& display = v.ints[kSiDispComment];
  if (w.Is(1, "NEXT")) {
    display = kDisplayNext;
  } else if (w.Is(1, "ON")) {
    display = kDisplayOn;
  } else if (w.Is(1, "OFF")) {
    display = kDisplayOff;
  }
}

void DispatchMode(ValueTables& v, const RecordWords& w) {
  std::vector<int32_t>& ints = v.ints;
  if (w.Is(1, "INCR")) {
    if (w.size < 3) {
      ints[kSiInc] = 1;
    } else if (w.Is(2, "OFF")) {
      ints[kSiInc] = 0;
    }
  } else if (w.Is(1, "ABSOL") || w.Is(1, "A")) {
    ints[kSiInc] = 0;
  } else if (w.Is(1, "I")) {
    ints[kSiInc] = 1;
  } else if (w.Is(1, "MILL")) {
    if (ints[kSiOperMode] == 0 || ints[kSiOperMode] == kOperModeTurning)
      ints[kSiOperMode] = kOperModeMilling;
    ints[kSiMillTurn] = kMillTurnMilling;
  } else if (w.Is(1, "TURN")) {
    ints[kSiOperMode] = kOperModeTurning;
    ints[kSiMillTurn] = kMillTurnTurning;
  }
}

void ApplyUnitsRule(ValueTables& v, ScaledTolerances& tol) {
  std::vector<int32_t>& ints = v.ints;
  if (ints[kSiMetric] == kUnitsFromPost)
    ints[kSiMetric] = ints[kSiMetricPost] == kUnitsMetric ? kUnitsMetric : kUnitsInch;
  double factor = 1;
  if (ints[kSiMetric] == kUnitsMetric && ints[kSiMetricPost] != kUnitsMetric) factor = kMmPerInch;
  if (ints[kSiMetric] != kUnitsMetric && ints[kSiMetricPost] == kUnitsMetric)
    factor = 1 / kMmPerInch;
  v.reals[kSrPostUnitFactor] = factor;
  ScaleTolerances(v, tol);
}

void ScaleTolerances(const ValueTables& v, ScaledTolerances& t) {
  const std::vector<double>& r = v.reals;
  double f = r[kSrPostUnitFactor];
  t.apt = 3 * r[kSrAptAccuracy] * f;
  t.nc = r[kSrNcAccuracy] * f;
  t.min_rad = r[kSrMinRad] * f;
  t.max_rad = r[kSrMaxRad] * f;
  t.arc_tol = r[kSrArcTol] * f;
  t.helic_tol = r[kSrHelicTol] * f;
  t.peck_clr = r[kSrPeckClr] * f;
  t.min_peck = r[kSrMinPeck] * f;
  t.rap_feed = r[kSrRapFeed] * f;
  t.time_calc_rap_feed = r[kSrTimeCalcRapFeed] * f;
}

void DispatchUnits(ValueTables& v, ScaledTolerances& tol, const RecordWords& w) {
  // Only upper-case unit words count.
  const std::string& unit = w.Str(1);
  if (!unit.empty() && unit[0] == 'M') v.ints[kSiMetric] = kUnitsMetric;
  if (!unit.empty() && unit[0] == 'I') v.ints[kSiMetric] = kUnitsInch;
  ApplyUnitsRule(v, tol);
}

void DispatchEnd(ClContext& ctx) {
  if (ctx.cl.tools.active) CancelTool(ctx);
  if (ctx.cl.dispatch.operations > 0) CallPost(ctx, kPfOperEnd);
  CloseToolTotals(ctx.values, false);
  ctx.values.ints[kSiRecType] = kKindEnd;
  ctx.cl.dispatch.main_label = ctx.calls.table[kPfProgEnd];
}

void DispatchPartNo(ValueTables& v, ClReader& r, const PostFunctionTable& posts,
                    const RecordWords& w) {
  v.ints[kSiRecType] = kKindProgStart;
  r.dispatch.main_label = posts[kPfProgStart];
  const std::string& name = w.Str(1);
  v.strings[kSsProgName] = name;
  if (!r.second_pass && !name.empty() &&
      name.find_first_not_of("0123456789.-+") == std::string::npos) {
    v.reals[kSrProgNo] = NumberWordValue(name);
  }
}

void DispatchCutter(ValueTables& v, const RecordWords& w) {
  if (w.IsNumber(1)) v.reals[kSrToolRad] = w.Number(1) / 2;
  if (w.IsNumber(2)) v.reals[kSrToolCrn] = w.Number(2);
}

void DispatchCutcom(ValueTables& v, bool second_pass, const RecordWords& w) {
  std::vector<int32_t>& ints = v.ints;
  std::vector<double>& reals = v.reals;
  ints[kSiSubType] = kKindCutcom;
  if (w.Is(1, "OFF")) ints[kSiCompDir] = kCompOff;
  if (w.Is(1, "LEFT")) ints[kSiCompDir] = kCompLeft;
  if (w.Is(1, "RIGHT")) ints[kSiCompDir] = kCompRight;
  if (w.size >= 3) reals[kSrRadComp] = w.Number(2);
  int32_t tools = ints[kSiTools];
  if (!second_pass && tools >= 1 && tools <= kListSlots) {
    reals[kSrRadCompList + tools - 1] = reals[kSrRadComp];
  }
}

void DispatchNcString(ClContext& ctx) {
  const std::string& text = ctx.cl.slots[ctx.cl.processing].text;
  size_t colon = text.find(':');
  std::string& line = ctx.values.strings[kSsString];
  line = colon == std::string::npos ? std::string() : text.substr(colon + 1);
  if (!ctx.cl.second_pass) return;
  // Written as by "o: _ ssString", between the lines before and after it.
  FlushAllLines(ctx.nc);
  OutputSingleWordLine(ctx.nc, line, 0, ctx.values.ints[kSiSpaces] != 0, false, false);
  FlushAllLines(ctx.nc);
}

void DispatchStop(ClContext& ctx, bool optional) {
  if (!WireRecordsOpen(ctx)) return;
  ctx.values.ints[kSiOptStop] = optional ? 1 : 0;
  std::vector<double>& reals = ctx.values.reals;
  reals[kSrcStop] = reals[optional ? kSrcOptStop : kSrcProgStop];
  CallPost(ctx, kPfStop);
}

}  // namespace tornel
