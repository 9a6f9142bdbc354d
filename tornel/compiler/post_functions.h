// The post function table: per post function number, the label of the post
// file's function, or kNoFunction when the post does not define it.  Every
// post function has a fixed number 1..91, a name, matched without regard
// to case when a FUNC definition is compiled, and maybe a fallback that
// runs in its place.  The rows are in post_functions.def; the constants,
// the names and the fallbacks here come from them, and so do the record
// kinds of the CL processing.
#pragma once

#include <array>
#include <string_view>

namespace tornel {

inline constexpr int kPostFunctionSlots = 92;  // numbers 1..91, slot 0 unused
inline constexpr int kNoFunction = -1;
inline constexpr int kNotAPostFunction = 0;    // PostFunctionNumber of any other name

// Post function numbers: kPfMove 1 ... kPfWireRegChange 91.
enum PostFunction : int {
  kPfNone = 0,  // no post function: the end of a fallback chain
#define TORNEL_POST_FUNCTION(number, constant, name, fallback) constant = number,
#include "tornel/compiler/post_functions.def"
};

namespace post_function_detail {

struct Row {
  int number;
  std::string_view name;
  int fallback;
};

inline constexpr Row kRows[] = {
#define TORNEL_POST_FUNCTION(number, constant, name, fallback) {number, name, fallback},
#include "tornel/compiler/post_functions.def"
};

constexpr std::array<Row, kPostFunctionSlots> ByNumber() {
  std::array<Row, kPostFunctionSlots> t{};
  for (int n = 0; n < kPostFunctionSlots; ++n) t[n] = {n, "", kPfNone};
  for (const Row& r : kRows) t[r.number] = r;
  return t;
}

constexpr bool RowsValid() {
  int last = 0;
  for (const Row& r : kRows) {
    if (r.number <= last || r.number >= kPostFunctionSlots || r.name.empty()) return false;
    // A fallback is a post function of its own, and chains end.
    if (r.fallback == r.number || r.fallback < 0 || r.fallback >= kPostFunctionSlots) return false;
    last = r.number;
  }
  return true;
}

}  // namespace post_function_detail

inline constexpr std::array<post_function_detail::Row, kPostFunctionSlots> kPostFunctionRows =
    post_function_detail::ByNumber();
static_assert(post_function_detail::RowsValid(), "post function rows out of order or invalid");
static_assert(std::size(post_function_detail::kRows) == 83, "83 post functions");

// The name of a number as the post file writes it; empty for the numbers
// without a post function (0, 17-23 and 37 are record kinds only).
constexpr std::string_view PostFunctionName(int number) { return kPostFunctionRows[number].name; }

// The post function that stands in for `number`, kPfNone for none.
constexpr int PostFunctionFallback(int number) { return kPostFunctionRows[number].fallback; }

using PostFunctionTable = std::array<int, kPostFunctionSlots>;

inline void ClearPostFunctions(PostFunctionTable& table) { table.fill(kNoFunction); }

inline bool IsDefined(const PostFunctionTable& table, int number) {
  return table[number] != kNoFunction;
}

// The number that runs for `number`: itself when the post file defines it,
// else the first defined one along its fallbacks, else the last of the
// chain (which the post does not define either).
int ResolvedPostFunction(const PostFunctionTable& table, int number);

// The label that runs for `number` (kNoFunction: none along the chain).
inline int ResolvedLabel(const PostFunctionTable& table, int number) {
  return table[ResolvedPostFunction(table, number)];
}

// The number of a post function name (any case), or kNotAPostFunction.
int PostFunctionNumber(std::string_view name);

// Records `label` as the handler of `number` unless the slot has one: the
// first definition in the post file wins.  True when recorded.
bool DefinePostFunction(PostFunctionTable& table, int number, int label);

// The handler of each kind of move, as labels (kNoFunction: none at all),
// each resolved along its fallbacks: rapid and line to Move, arc to Move,
// radius and centre arcs to the arc handler, helical arcs to the centre-arc
// handler.
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
