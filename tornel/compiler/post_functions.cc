#include "tornel/compiler/post_functions.h"

#include "tornel/compiler/words.h"

namespace tornel {

int ResolvedPostFunction(const PostFunctionTable& table, int number) {
  while (!IsDefined(table, number) && PostFunctionFallback(number) != kPfNone)
    number = PostFunctionFallback(number);
  return number;
}

int PostFunctionNumber(std::string_view name) {
  if (name.empty()) return kNotAPostFunction;
  for (const post_function_detail::Row& row : post_function_detail::kRows) {
    std::string_view known = row.name;
    if (known.size() != name.size()) continue;
    bool same = true;
    for (size_t k = 0; k < name.size() && same; ++k)
      same = LowerAscii(known[k]) == LowerAscii(name[k]);
    if (same) return row.number;
  }
  return kNotAPostFunction;
}

bool DefinePostFunction(PostFunctionTable& table, int number, int label) {
  if (IsDefined(table, number)) return false;
  table[number] = label;
  return true;
}

MoveHandlers ResolveMoveHandlers(const PostFunctionTable& table) {
  MoveHandlers h;
  h.rapid = ResolvedLabel(table, kPfRapidMove);
  h.line = ResolvedLabel(table, kPfLineMove);
  h.arc = ResolvedLabel(table, kPfArcMove);
  h.radius_arc = ResolvedLabel(table, kPfRadiusArcMove);
  h.center_arc = ResolvedLabel(table, kPfCenterArcMove);
  h.helical_arc = ResolvedLabel(table, kPfHelicalArcMove);
  return h;
}

}  // namespace tornel
