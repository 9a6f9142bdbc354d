// Drill cycles: a CYCLE record defines the cycle, every motion event while
// it is active is a hole, CYCLE/OFF ends it.  A hole is written by the
// cycle's canned-cycle post function (Drill, Peck ... or Cycle), by
// CycleCall at the holes that follow, by a long-cycle function (DrillLC
// ... or CycleLC) or as single rapid, feed and dwell motions; Cancel and
// the moves between holes come where the cycle must be issued again.
#pragma once

#include <cstdint>
#include <string_view>

#include "tornel/cl/cl_context.h"

namespace tornel {

inline constexpr const char* kMsgHoleNotDrilled =
    "Hole not drilled, the post file has no function for its cycle. APT-CL line=%s";
inline constexpr const char* kMsgCycleWithoutDepth =
    "Drill cycle without a depth, its holes are not drilled deep. APT-CL line=%s";
inline constexpr const char* kMsgTooManyPecks = "Too many pecks in CL-record";
// More pecks than this in one hole is a mistake in the CL file.
inline constexpr int32_t kCyclePeckLimit = 10000;

struct CycleKindRow {
  int32_t kind;
  std::string_view word;
  int post_function;
  int long_function;
  int code;  // the real slot of its srcCycle constant
};

// The row of a siCycle kind; null for 0 and the kinds the table lacks.
const CycleKindRow* FindCycleKind(int32_t kind);
// The kind that word 1 of a CYCLE record names (upper case), 0 for none;
// "FACE" is a countersink only with `csink_face`.
int32_t CycleKindOfWord(std::string_view word, bool csink_face);

// The kinds that single motions can make: drill, deep peck, ream,
// countersink and chip break.  Taps and bores need spindle control that
// only a post function knows.
bool CycleExpandable(int32_t kind);

// The pecks of a deep or chip-breaking hole written long-hand: `count`
// motions down, the first `first` deep and the others `step`; a rest
// below `min_peck` joins the first.  count 1 for no pecks; 0 when the
// count would exceed kCyclePeckLimit.
struct PeckPlan {
  int32_t count = 1;
  double first = 0;
  double step = 0;
};
PeckPlan PlanPecks(double depth, double peck, double min_peck);

// ceil(depth / peck), the quotient first rounded to a multiple of `tol`
// (none when 0); -1 beyond kCyclePeckLimit.
int32_t PeckCount(double depth, double peck, double tol);

// The single motions of the current hole for cycle kind `kind`, as a
// long-cycle function asks for them (LongCycle).
void RunLongCycle(ClContext& ctx, int32_t kind);

}  // namespace tornel
