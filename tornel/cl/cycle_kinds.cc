// The drill cycle kinds of cycle_kinds.def, and the peck arithmetic.
#include <cmath>
#include <iterator>

#include "tornel/cl/cl_codes.h"
#include "tornel/cl/drill_cycles.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {

namespace {

constexpr CycleKindRow kRows[] = {
#define TORNEL_CYCLE_KIND(kind, word, post, long_post, code) {kind, word, post, long_post, code},
#include "tornel/cl/cycle_kinds.def"
#undef TORNEL_CYCLE_KIND
};

// The quotient is rounded up only past this: a depth that is a whole
// number of pecks in decimal is one in binary too.
constexpr double kQuotientSlack = 1e-9;

}  // namespace

const CycleKindRow* FindCycleKind(int32_t kind) {
  for (const CycleKindRow& row : kRows)
    if (row.kind == kind) return &row;
  return nullptr;
}

int32_t CycleKindOfWord(std::string_view word, bool csink_face) {
  for (const CycleKindRow& row : kRows) {
    if (row.word != word) continue;
    if (row.kind == kCycleCSink && !csink_face) return kCycleNone;
    return row.kind;
  }
  return kCycleNone;
}

bool CycleExpandable(int32_t kind) {
  return kind == kCycleDrill || kind == kCycleDeep || kind == kCycleReam || kind == kCycleCSink ||
         kind == kCycleChipBreak;
}

int32_t PeckCount(double depth, double peck, double tol) {
  if (peck == 0) return 0;
  double q = std::fabs(depth / peck);
  if (tol > 0) q = std::round(q / tol) * tol;
  q = std::ceil(q - kQuotientSlack);
  if (!(q <= kCyclePeckLimit)) return -1;
  return static_cast<int32_t>(q);
}

PeckPlan PlanPecks(double depth, double peck, double min_peck) {
  PeckPlan plan;
  plan.first = depth;
  if (!(peck > 0) || !(depth > peck)) return plan;
  double q = std::ceil(depth / peck - kQuotientSlack);
  if (!(q <= kCyclePeckLimit)) {
    plan.count = 0;
    return plan;
  }
  plan.count = static_cast<int32_t>(q);
  plan.step = peck;
  plan.first = peck;
  double rest = depth - (plan.count - 1) * peck;
  if (rest < min_peck && plan.count > 1) {
    --plan.count;
    plan.first += rest;
  }
  return plan;
}

}  // namespace tornel
