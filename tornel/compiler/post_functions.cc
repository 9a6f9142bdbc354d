#include "tornel/compiler/post_functions.h"

#include "tornel/compiler/words.h"

namespace tornel {

const std::array<std::string_view, kPostFunctionSlots> kPostFunctionNames = {
    "",               // 0
    "Move",           // 1
    "RapidMove",      // 2
    "LineMove",       // 3
    "ArcMove",        // 4
    "RadiusArcMove",  // 5
    "CenterArcMove",  // 6
    "HelicalArcMove", // 7
    "CompMove",       // 8
    "IndexMove",      // 9
    "ReposRot",       // 10
    "ReposRotRapid",  // 11
    "ReposRotFeed",   // 12
    "HalfRot",        // 13
    "RotLimitPass",   // 14
    "AbsIncChange",   // 15
    "ArcPlane",       // 16
    "", "", "", "", "", "", "",  // 17-23: events without a post function
    "ToolInit",       // 24
    "ToolChange",     // 25
    "1stToolChange",  // 26
    "SubToolChange",  // 27
    "ToolCancel",     // 28
    "CutDataChange",  // 29
    "OperInit",       // 30
    "OperStart",      // 31
    "OperEnd",        // 32
    "CutStart",       // 33
    "CutEnd",         // 34
    "ProgStart",      // 35
    "ProgEnd",        // 36
    "",               // 37: comment event
    "Comments",       // 38
    "GetComment",     // 39
    "Settings",       // 40
    "InitSettings",   // 41
    "ProcessEnd",     // 42
    "Cycle",          // 43
    "CycleCall",      // 44
    "Cancel",         // 45
    "Drill",          // 46
    "CSink",          // 47
    "Peck",           // 48
    "ChipBrk",        // 49
    "Tap",            // 50
    "LTap",           // 51
    "RigTap",         // 52
    "LRigTap",        // 53
    "Ream",           // 54
    "Bore",           // 55
    "Back",           // 56
    "Custom1",        // 57
    "Custom2",        // 58
    "Custom3",        // 59
    "CycleLC",        // 60
    "DrillLC",        // 61
    "CSinkLC",        // 62
    "PeckLC",         // 63
    "ChipBrkLC",      // 64
    "TapLC",          // 65
    "LTapLC",         // 66
    "RigTapLC",       // 67
    "LRigTapLC",      // 68
    "ReamLC",         // 69
    "BoreLC",         // 70
    "BackLC",         // 71
    "Custom1LC",      // 72
    "Custom2LC",      // 73
    "Custom3LC",      // 74
    "InitRough",      // 75
    "aFinishing",     // 76
    "RoughTurn",      // 77
    "RoughFace",      // 78
    "ShapeStart",     // 79
    "ShapeEnd",       // 80
    "Thread",         // 81
    "ThreadLC",       // 82
    "Dwell",          // 83
    "NurbsInit",      // 84
    "NurbsFstPoint",  // 85
    "NurbsPoint",     // 86
    "NurbsKnot",      // 87
    "Stop",           // 88
    "WireThread",     // 89
    "WireCut",        // 90
    "WireRegChange",  // 91
};

int PostFunctionNumber(std::string_view name) {
  if (name.empty()) return kNotAPostFunction;
  for (int number = 1; number < kPostFunctionSlots; ++number) {
    std::string_view known = kPostFunctionNames[number];
    if (known.size() != name.size()) continue;
    bool same = true;
    for (size_t k = 0; k < name.size() && same; ++k)
      same = LowerAscii(known[k]) == LowerAscii(name[k]);
    if (same) return number;
  }
  return kNotAPostFunction;
}

bool DefinePostFunction(PostFunctionTable& table, int number, int label) {
  if (IsDefined(table, number)) return false;
  table[number] = label;
  return true;
}

MoveHandlers ResolveMoveHandlers(const PostFunctionTable& table) {
  // Each chain ends in a handler resolved before it.
  auto or_else = [&](int number, int fallback) {
    return IsDefined(table, number) ? table[number] : fallback;
  };
  MoveHandlers h;
  h.rapid = or_else(kPfRapidMove, table[kPfMove]);
  h.line = or_else(kPfLineMove, table[kPfMove]);
  h.arc = or_else(kPfArcMove, table[kPfMove]);
  h.radius_arc = or_else(kPfRadiusArcMove, h.arc);
  h.center_arc = or_else(kPfCenterArcMove, h.arc);
  h.helical_arc = or_else(kPfHelicalArcMove, h.center_arc);
  return h;
}

}  // namespace tornel
