// Records that set up the machine: turrets, stock and feed settings, the
// work coordinate selection with its first-pass list, and MCS.
#include <algorithm>

#include "tornel/cl/cl_codes.h"
#include "tornel/cl/dispatch_parts.h"
#include "tornel/cl/lookahead.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {

namespace {

// The work coordinate lists and the variables they keep, entry by entry.
constexpr int kWCoordReals[][2] = {{kSrWCoordList, kSrWCoord},       {kSrWCoordXList, kSrWCoordX},
                                   {kSrWCoordYList, kSrWCoordY},     {kSrWCoordZList, kSrWCoordZ},
                                   {kSrWCoordRotList, kSrWCoordRot}, {kSrWCoordTiltList, kSrWCoordTilt}};

}  // namespace

void DispatchTurret(ValueTables& v, const RecordWords& w) {
  std::vector<int32_t>& ints = v.ints;
  std::vector<double>& reals = v.reals;
  ints[kSiRecType] = kKindToolChange;
  ints[kSiTurret] = 1;
  constexpr int kByPosition[] = {kSrTool, kSrLenComp, kSrToolX, kSrToolY};
  for (int k = 1; k <= 4; ++k) {
    if (w.IsNumber(k)) reals[kByPosition[k - 1]] = w.Number(k);
  }
  static constexpr std::string_view kTurrets[] = {"REAR", "FRONT", "SADDLE", "MAIN", "RAIL"};
  for (int k = 1; k < w.size; ++k) {
    for (int t = 0; t < 5; ++t) {
      if (w.Is(k, kTurrets[t])) ints[kSiTurret] = t + 1;
    }
    if (!w.IsNumber(k + 1)) continue;
    if (w.Is(k, "XAXIS")) reals[kSrToolY] = w.Number(k + 1);
    if (w.Is(k, "ZAXIS")) reals[kSrToolX] = w.Number(k + 1);
    if (w.Is(k, "OSETNO")) reals[kSrLenComp] = w.Number(k + 1);
  }
}

void DispatchSet(ClContext& ctx, const RecordWords& w) {
  std::vector<int32_t>& ints = ctx.values.ints;
  std::vector<double>& reals = ctx.values.reals;
  // A roughing cycle's SET records are its parameters.
  if (ctx.cl.dispatch.collect_feed && ctx.cl.dispatch.rough.state == 0) {
    if (w.Is(1, "FEED")) reals[kSrFeed] = w.Number(3);
    if (w.Is(1, "PLUNGE")) reals[kSrPlungeFeed] = w.Number(3);
  }
  if (w.Is(1, "STOCK")) {
    if (w.Is(2, "BOX")) {
      ints[kSiStockType] = kStockBox;
      constexpr int kBox[] = {kSrStockXS, kSrStockYS, kSrStockZS,
                              kSrStockXE, kSrStockYE, kSrStockZE};
      for (int k = 0; k < 6; ++k) reals[kBox[k]] = w.Number(3 + k);
    } else if (w.Is(2, "DIAMTR")) {
      ints[kSiStockType] = kStockCylinder;
      reals[kSrStockDiam] = w.Number(3);
      reals[kSrStockLen] = w.Number(5);
      reals[kSrStockXS] = w.Number(7);
      reals[kSrStockYS] = w.Number(8);
      reals[kSrStockZS] = w.Number(9);
    }
  }
  DispatchWire(ctx, w);
}

void CollectCycleFeed(ValueTables& v, const DispatchState& d, const RecordWords& w) {
  std::vector<int32_t>& ints = v.ints;
  if (!d.collect_feed || (w.size < 10 && ints[kSiOperMode] == kOperModeTurning)) return;
  ints[kSiRecType] = kKindFeed;
  for (int k = 2; k < w.size; ++k) {
    int32_t type = 0;
    if (w.Is(k, "MMPM") || w.Is(k, "IPM") || w.Is(k, "FPM")) type = kFeedPerMinute;
    if (w.Is(k, "MMPR") || w.Is(k, "IPR") || w.Is(k, "FPR")) type = kFeedPerRev;
    if (type == 0) continue;
    ints[kSiFeedType] = type;
    v.reals[kSrFeed] = w.Number(k + 1);
  }
}

void CollectThreadFeed(ValueTables& v, const DispatchState& d, const RecordWords& w) {
  if (!d.collect_feed) return;
  std::vector<double>& reals = v.reals;
  v.ints[kSiRecType] = kKindFeed;
  v.ints[kSiFeedType] = kFeedPerRev;
  reals[kSrFeed] = 0;
  for (int k = 1; k < w.size; ++k) {
    if (w.Is(k, "PITCH") && w.IsNumber(k + 1) && w.Number(k + 1) > 0) {
      reals[kSrFeed] = 1 / w.Number(k + 1);
    }
  }
}

void DispatchSelect(ClContext& ctx, const RecordWords& w) {
  std::vector<int32_t>& ints = ctx.values.ints;
  std::vector<double>& reals = ctx.values.reals;
  std::vector<std::string>& strings = ctx.values.strings;
  ints[kSiRecType] = kKindSelect;
  int32_t count = std::min<int32_t>(ints[kSiWCoords], kListSlots);
  if (!ctx.cl.second_pass) {
    if (w.IsNumber(1)) reals[kSrWCoord] = w.Number(1);
    int j = std::clamp<int32_t>(ints[kSiWCoords], 0, kListSlots - 1);
    for (const auto& [list, value] : kWCoordReals) reals[list + j] = reals[value];
    ints[kSiViewList + j] = ints[kSiView];
    strings[kSsViewDescList + j] = strings[kSsViewDesc];
    reals[kSrWCoord] = 0;
    if (ints[kSiWCoords] < ints[kSiWCoordsLim] && ints[kSiWCoords] < kListSlots) ints[kSiWCoords] += 1;
    ints[kSiWCoordsTot] += 1;
    return;
  }
  int j = ints[kSiWCoordCh];
  if (j >= 0 && j < count) {
    if (j >= 1 && reals[kSrWCoordList + j] != 0) reals[kSrWCoord] = reals[kSrWCoordList + j];
    for (const auto& [list, value] : kWCoordReals) {
      if (value != kSrWCoord) reals[value] = reals[list + j];
    }
    ints[kSiView] = ints[kSiViewList + j];
    strings[kSsViewDesc] = strings[kSsViewDescList + j];
  }
  double offset[3] = {-reals[kSrWCoordX], -reals[kSrWCoordY], -reals[kSrWCoordZ]};
  RotateByMachine(ctx.values, offset);
  reals[kSrWCoordX_VC] = offset[0];
  reals[kSrWCoordY_VC] = offset[1];
  reals[kSrWCoordZ_VC] = offset[2];
  reals[kSrcWCoord] = reals[kSrWCoordAdd] + reals[kSrWCoord];
  bool next = j + 1 >= 1 && j + 1 < count && reals[kSrWCoordList + j + 1] != 0;
  reals[kSrWCoord_Next] = next ? reals[kSrWCoordList + j + 1] : reals[kSrWCoord];
  if (ints[kSiWCoordCh] < ints[kSiWCoordsLim] && ints[kSiWCoordCh] < kListSlots) {
    ints[kSiWCoordCh] += 1;
  }
  CallPost(ctx, kPfOperInit);
  if (ctx.cl.dispatch.tool_change_event) CallPost(ctx, kPfToolInit);
}

// Words 1-9 are the rotation R row by row, words 10-12 a vector t; the
// origin of the work coordinates is R t.  The columns of R are the axes of
// the work coordinate system.
void DispatchMcs(ClContext& ctx, const RecordWords& w) {
  ValueTables& v = ctx.values;
  std::vector<double>& reals = v.reals;
  v.ints[kSiRecType] = kKindMcs;
  if (w.size != 13) return;
  double r[3][3];
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 3; ++col) r[row][col] = w.Number(1 + 3 * row + col);
  }
  double t[3] = {w.Number(10), w.Number(11), w.Number(12)};
  double origin[3];
  for (int row = 0; row < 3; ++row) {
    origin[row] = r[row][0] * t[0] + r[row][1] * t[1] + r[row][2] * t[2];
  }
  static constexpr int kAxisIn[3][3] = {{kSrWCoordXI_In, kSrWCoordXJ_In, kSrWCoordXK_In},
                                        {kSrWCoordYI_In, kSrWCoordYJ_In, kSrWCoordYK_In},
                                        {kSrWCoordZI_In, kSrWCoordZJ_In, kSrWCoordZK_In}};
  static constexpr int kAxisCl[3][3] = {{kSrWCoordXI_CL, kSrWCoordXJ_CL, kSrWCoordXK_CL},
                                        {kSrWCoordYI_CL, kSrWCoordYJ_CL, kSrWCoordYK_CL},
                                        {kSrWCoordZI_CL, kSrWCoordZJ_CL, kSrWCoordZK_CL}};
  for (int axis = 0; axis < 3; ++axis) {
    double column[3] = {r[0][axis], r[1][axis], r[2][axis]};
    double out[3];
    InputTransform(v, column, false, out);
    for (int i = 0; i < 3; ++i) {
      reals[kAxisIn[axis][i]] = column[i];
      reals[kAxisCl[axis][i]] = out[i];
    }
  }
  double origin_cl[3];
  InputTransform(v, origin, true, origin_cl);
  static constexpr int kOriginIn[3] = {kSrWCoordX_In, kSrWCoordY_In, kSrWCoordZ_In};
  static constexpr int kOrigin[3] = {kSrWCoordX, kSrWCoordY, kSrWCoordZ};
  static constexpr int kNormal[3] = {kSrWCoordZI, kSrWCoordZJ, kSrWCoordZK};
  static constexpr int kToolAxis[3] = {kSrI_CL, kSrJ_CL, kSrK_CL};
  for (int i = 0; i < 3; ++i) {
    reals[kOriginIn[i]] = origin[i];
    reals[kOrigin[i]] = origin_cl[i];
    reals[kNormal[i]] = reals[kAxisCl[2][i]];
  }
  SolveWorkPlaneAngles(ctx);
  for (int i = 0; i < 3; ++i) reals[kToolAxis[i]] = reals[kNormal[i]];
}

}  // namespace tornel
