// The post function table: per post function number, the label of the post
// file's function, or kNoFunction when the post does not define it.
#pragma once

#include <array>

namespace tornel {

inline constexpr int kPostFunctionSlots = 92;  // numbers 1..91, slot 0 unused
inline constexpr int kNoFunction = -1;

// Post function numbers the run driver calls itself.
inline constexpr int kPfSettings = 40;
inline constexpr int kPfInitSettings = 41;
inline constexpr int kPfProcessEnd = 42;

using PostFunctionTable = std::array<int, kPostFunctionSlots>;

inline void ClearPostFunctions(PostFunctionTable& table) { table.fill(kNoFunction); }

inline bool IsDefined(const PostFunctionTable& table, int number) {
  return table[number] != kNoFunction;
}

}  // namespace tornel
