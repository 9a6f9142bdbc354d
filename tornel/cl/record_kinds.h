// Record kind codes: the values of siRecType, siMoveType and siSubType.
// Most of them are the numbers of the post functions the records lead to,
// so that a post can compare siRecType with a post function's number;
// 17-23 and 37 are kinds only.  Also the feed and speed type codes the
// records set (the values of the $fpm, $fpr, $rpm ... constants).
#pragma once

#include <cstdint>

namespace tornel {

inline constexpr int32_t kKindRapid = 2;
inline constexpr int32_t kKindGoto = 3;
inline constexpr int32_t kKindCircle = 4;
inline constexpr int32_t kKindCutcom = 17;
inline constexpr int32_t kKindFeed = 19;
inline constexpr int32_t kKindSpindle = 20;
inline constexpr int32_t kKindMcs = 21;
inline constexpr int32_t kKindSelect = 22;
inline constexpr int32_t kKindToolChange = 25;
inline constexpr int32_t kKindOperStart = 31;
inline constexpr int32_t kKindProgStart = 35;
inline constexpr int32_t kKindEnd = 36;
inline constexpr int32_t kKindPprint = 37;
// A drill cycle definition (also siRecType_Next of the look-ahead).
inline constexpr int32_t kKindCycle = 43;
// The definition of a lathe roughing cycle.
inline constexpr int32_t kKindRoughing = 75;
// A threading record (also siRecType_Next of the look-ahead).
inline constexpr int32_t kKindThread = 81;
// siSubType of a motion that moves a rotary or tilt axis.
inline constexpr int32_t kSubTypeRotary = 18;

// siFeedType and siSpeedType.
inline constexpr int32_t kFeedPerMinute = 6;
inline constexpr int32_t kFeedPerRev = 7;
inline constexpr int32_t kFeedInverseTime = 8;
inline constexpr int32_t kSpeedRpm = 9;
inline constexpr int32_t kSpeedCss = 10;

}  // namespace tornel
