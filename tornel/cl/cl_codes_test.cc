#include "tornel/cl/cl_codes.h"

#include <charconv>
#include <string_view>

#include <gtest/gtest.h>

#include "tornel/sysvars/keyword_table.h"

namespace tornel {
namespace {

// The value a post file's `$` constant stands for, -1 for none.
int DollarValue(std::string_view name) {
  for (const KeywordReplacement& k : kDollarConstants) {
    if (k.word != name) continue;
    int v = -1;
    std::from_chars(k.substitute.data(), k.substitute.data() + k.substitute.size(), v);
    return v;
  }
  return -1;
}

// A post compares the CL processing's values with its `$` constants: both
// must name the same numbers.
TEST(ClCodes, AgreeWithThePostFilesConstants) {
  const std::pair<std::string_view, int32_t> pairs[] = {
      {"$rapidmove", kKindRapid},    {"$linemove", kKindGoto},      {"$arcmove", kKindCircle},
      {"$comp", kKindCutcom},        {"$multax", kSubTypeRotary},   {"$feedrate", kKindFeed},
      {"$spindle", kKindSpindle},    {"$coordset", kKindMcs},       {"$workcoord", kKindSelect},
      {"$toolchange", kKindToolChange}, {"$operstart", kKindOperStart},
      {"$progstart", kKindProgStart}, {"$progend", kKindEnd},       {"$comment", kKindPprint},
      {"$drillcycle", kKindCycle},   {"$roughcycle", kKindRoughing}, {"$threadcycle", kKindThread},
      {"$fpm", kFeedPerMinute},      {"$fpr", kFeedPerRev},         {"$invt", kFeedInverseTime},
      {"$rpm", kSpeedRpm},           {"$css", kSpeedCss},           {"$off", kSpindleOff},
      {"$cw", kSpindleCw},           {"$ccw", kSpindleCcw},         {"$cw", kArcCw},
      {"$ccw", kArcCcw},             {"$left", kCompLeft},          {"$right", kCompRight},
      {"$flood", kCoolFlood},        {"$mist", kCoolMist},          {"$floodlo", kCoolFloodLow},
      {"$floodhi", kCoolFloodHigh},  {"$thrulo", kCoolThruLow},     {"$thruhi", kCoolThruHigh},
      {"$xy", kPlaneXY},             {"$xz", kPlaneXZ},             {"$yz", kPlaneYZ},
      {"$xy_xz_yz", kPlaneEvery},    {"$auto", kInvTimeRotaryOnly}, {"$next", kDisplayNext},
      {"$turn", kOperModeTurning},   {"$mill", kOperModeMilling},   {"$3axis", kOperMode3Axis},
      {"$multiaxis", kOperModeMultiAxis}, {"$edm", kOperModeWireEdm},
      {"$threadcyc", kOperTypeThreadCycle}, {"$drillcyc", kOperTypeDrillCycle},
      {"$edm2axxy", kOperTypeEdm2AxisXY}, {"$mainspindle", kMainSpindle},
      {"$subspindle", kSubSpindle},  {"$tap", kCycleTap},           {"$ltap", kCycleLeftTap},
      {"$rigtap", kCycleRigidTap},   {"$lrigtap", kCycleLeftRigidTap}, {"$box", kStockBox},
      {"$drill", kCycleDrill},       {"$peck", kCycleDeep},         {"$ream", kCycleReam},
      {"$bore", kCycleBore},         {"$back", kCycleBackBore},     {"$custom1", kCycleCustom1},
      {"$custom2", kCycleCustom2},   {"$custom3", kCycleCustom3},   {"$csink", kCycleCSink},
      {"$chipbrk", kCycleChipBreak}, {"$thread", kCycleThread},
      {"$finish", kCycleFinishing},
      {"$rapplane", kRetractRapidPlane}, {"$clrplane", kRetractClearPlane},
      {"$cyl", kStockCylinder},      {"$x", kCombX},                {"$xyz", kCombXYZ},
      {"$lin", kCombLinear},         {"$linrottilt", kCombAll},
  };
  for (const auto& [name, code] : pairs) EXPECT_EQ(DollarValue(name), code) << name;
}

}  // namespace
}  // namespace tornel
