// Records that set up the machine: turrets, stock and feed settings, and
// the work coordinate selection with its first-pass list.
#include <algorithm>

#include "tornel/cl/dispatch_parts.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {

namespace {

inline constexpr int32_t kKindToolChange = 25;
inline constexpr int32_t kKindSelect = 22;
inline constexpr int32_t kKindFeed = 19;

// The work coordinate lists and the variables they keep, entry by entry.
constexpr int kWCoordReals[][2] = {{kSrWCoordList, kSrWCoord},       {kSrWCoordXList, kSrWCoordX},
                                   {kSrWCoordYList, kSrWCoordY},     {kSrWCoordZList, kSrWCoordZ},
                                   {kSrWCoordRotList, kSrWCoordRot}, {kSrWCoordTiltList, kSrWCoordTilt}};

}  // namespace

void DispatchTurret(RunContext& ctx, const RecordWords& w) {
  std::vector<int32_t>& ints = ctx.values.ints;
  std::vector<double>& reals = ctx.values.reals;
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

void DispatchSet(RunContext& ctx, const RecordWords& w) {
  std::vector<int32_t>& ints = ctx.values.ints;
  std::vector<double>& reals = ctx.values.reals;
  if (ctx.cl.dispatch.collect_feed) {
    if (w.Is(1, "FEED")) reals[kSrFeed] = w.Number(3);
    if (w.Is(1, "PLUNGE")) reals[kSrPlungeFeed] = w.Number(3);
  }
  if (w.Is(1, "STOCK")) {
    if (w.Is(2, "BOX")) {
      ints[kSiStockType] = 1;
      constexpr int kBox[] = {kSrStockXS, kSrStockYS, kSrStockZS,
                              kSrStockXE, kSrStockYE, kSrStockZE};
      for (int k = 0; k < 6; ++k) reals[kBox[k]] = w.Number(3 + k);
    } else if (w.Is(2, "DIAMTR")) {
      ints[kSiStockType] = 2;
      reals[kSrStockDiam] = w.Number(3);
      reals[kSrStockLen] = w.Number(5);
      reals[kSrStockXS] = w.Number(7);
      reals[kSrStockYS] = w.Number(8);
      reals[kSrStockZS] = w.Number(9);
    }
  }
  DispatchWire(ctx, w);
}

void CollectCycleFeed(RunContext& ctx, const RecordWords& w) {
  std::vector<int32_t>& ints = ctx.values.ints;
  if (!ctx.cl.dispatch.collect_feed || (w.size < 10 && ints[kSiOperMode] == 1)) return;
  ints[kSiRecType] = kKindFeed;
  for (int k = 2; k < w.size; ++k) {
    int32_t type = 0;
    if (w.Is(k, "MMPM") || w.Is(k, "IPM") || w.Is(k, "FPM")) type = 6;
    if (w.Is(k, "MMPR") || w.Is(k, "IPR") || w.Is(k, "FPR")) type = 7;
    if (type == 0) continue;
    ints[kSiFeedType] = type;
    ctx.values.reals[kSrFeed] = w.Number(k + 1);
  }
}

void CollectThreadFeed(RunContext& ctx, const RecordWords& w) {
  if (!ctx.cl.dispatch.collect_feed) return;
  std::vector<double>& reals = ctx.values.reals;
  ctx.values.ints[kSiRecType] = kKindFeed;
  ctx.values.ints[kSiFeedType] = 7;
  reals[kSrFeed] = 0;
  for (int k = 1; k < w.size; ++k) {
    if (w.Is(k, "PITCH") && w.IsNumber(k + 1) && w.Number(k + 1) > 0) {
      reals[kSrFeed] = 1 / w.Number(k + 1);
    }
  }
}

void DispatchSelect(RunContext& ctx, const RecordWords& w) {
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
  reals[kSrcWCoord] = reals[kSrWCoordAdd] + reals[kSrWCoord];
  bool next = j + 1 >= 1 && j + 1 < count && reals[kSrWCoordList + j + 1] != 0;
  reals[kSrWCoord_Next] = next ? reals[kSrWCoordList + j + 1] : reals[kSrWCoord];
  if (ints[kSiWCoordCh] < ints[kSiWCoordsLim] && ints[kSiWCoordCh] < kListSlots) {
    ints[kSiWCoordCh] += 1;
  }
  CallPost(ctx, kPfOperInit);
  if (ctx.cl.dispatch.tool_change_event) CallPost(ctx, kPfToolInit);
}

}  // namespace tornel
