// The post function table: per post function number, the label of the post
// file's function, or kNoFunction when the post does not define it.  Every
// post function has a fixed number 1..91 and a name, matched without regard
// to case when a FUNC definition is compiled.
#pragma once

#include <array>
#include <string_view>

namespace tornel {

inline constexpr int kPostFunctionSlots = 92;  // numbers 1..91, slot 0 unused
inline constexpr int kNoFunction = -1;
inline constexpr int kNotAPostFunction = 0;    // PostFunctionNumber of any other name

// Post function numbers the run driver and the move handlers use.
inline constexpr int kPfMove = 1;
inline constexpr int kPfRapidMove = 2;
inline constexpr int kPfLineMove = 3;
inline constexpr int kPfArcMove = 4;
inline constexpr int kPfRadiusArcMove = 5;
inline constexpr int kPfCenterArcMove = 6;
inline constexpr int kPfHelicalArcMove = 7;
inline constexpr int kPfCompMove = 8;
inline constexpr int kPfIndexMove = 9;
inline constexpr int kPfReposRot = 10;
inline constexpr int kPfReposRotRapid = 11;
inline constexpr int kPfReposRotFeed = 12;
inline constexpr int kPfHalfRot = 13;
inline constexpr int kPfRotLimitPass = 14;
inline constexpr int kPfAbsIncChange = 15;
inline constexpr int kPfArcPlane = 16;
inline constexpr int kPfToolInit = 24;
inline constexpr int kPfToolChange = 25;
inline constexpr int kPf1stToolChange = 26;
inline constexpr int kPfSubToolChange = 27;
inline constexpr int kPfToolCancel = 28;
inline constexpr int kPfCutDataChange = 29;
inline constexpr int kPfOperInit = 30;
inline constexpr int kPfOperStart = 31;
inline constexpr int kPfOperEnd = 32;
inline constexpr int kPfCutStart = 33;
inline constexpr int kPfCutEnd = 34;
inline constexpr int kPfProgStart = 35;
inline constexpr int kPfProgEnd = 36;
inline constexpr int kPfComments = 38;
inline constexpr int kPfGetComment = 39;
inline constexpr int kPfSettings = 40;
inline constexpr int kPfInitSettings = 41;
inline constexpr int kPfProcessEnd = 42;
inline constexpr int kPfStop = 88;
inline constexpr int kPfWireRegChange = 91;

using PostFunctionTable = std::array<int, kPostFunctionSlots>;

inline void ClearPostFunctions(PostFunctionTable& table) { table.fill(kNoFunction); }

inline bool IsDefined(const PostFunctionTable& table, int number) {
  return table[number] != kNoFunction;
}

// The name of each number as the post file writes it; empty for the numbers
// without a post function (0, 17-23 and 37 are event codes only).
extern const std::array<std::string_view, kPostFunctionSlots> kPostFunctionNames;

// The number of a post function name (any case), or kNotAPostFunction.
int PostFunctionNumber(std::string_view name);

// Records `label` as the handler of `number` unless the slot has one: the
// first definition in the post file wins.  True when recorded.
bool DefinePostFunction(PostFunctionTable& table, int number, int label);

// The handler of each kind of move, as labels (kNoFunction: none at all).
// A missing function falls back along its chain: rapid and line to Move,
// arc to Move, radius and centre arcs to the resolved arc handler, helical
// arcs to the resolved centre-arc handler.
struct MoveHandlers {
  int rapid = kNoFunction;
  int line = kNoFunction;
  int arc = kNoFunction;
  int radius_arc = kNoFunction;
  int center_arc = kNoFunction;
  int helical_arc = kNoFunction;
};

MoveHandlers ResolveMoveHandlers(const PostFunctionTable& table);

}  // namespace tornel
