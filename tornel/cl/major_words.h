// The major words the CL processing knows.  A record is given its major
// word once, when it is read; the look-ahead and the dispatcher then go by
// that, one table entry per word, instead of comparing texts again.
#pragma once

#include <cstdint>
#include <string_view>

namespace tornel {

enum class MajorWord : uint8_t {
  kOther,     // any other major word: only an OnAPT function takes it
  kGoto,
  kCircle,
  kRapid,
  kNurbs,     // NCRV, CTRLPT, KNOT
  kCoolant,   // COOLNT
  kCycle,
  kShape,
  kSet,
  kThread,    // THRDSQ
  kEnd,
  kDisplay,   // DISPLY
  kMode,
  kNcLine,    // a record that begins with ":": an NC line of its own
  kPprint,
  kRemark,
  kPartNo,    // PARTNO
  kLoadTool,  // LOADTL
  kTurret,
  kCutter,
  kCutcom,
  kSpindle,   // SPINDL
  kFeed,      // FEDRAT
  kUnits,
  kOperation,  // OPERTN
  kMcs,
  kSelect,
  kOptStop,   // OPSTOP
  kStop,
  kWire,
};
inline constexpr int kMajorWords = static_cast<int>(MajorWord::kWire) + 1;

// The major word of a record's first word, matched without regard to case.
MajorWord ClassifyMajorWord(std::string_view word);

}  // namespace tornel
