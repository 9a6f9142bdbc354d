#include "tornel/builtins/builtin_table.h"

#include "tornel/compiler/words.h"

namespace tornel {

void ReplaceBuiltinNames(std::string& statement) {
  std::string out;
  size_t copied = 0;  // statement[copied, run) is still to be copied
  for (size_t run = 0; run < statement.size();) {
    if (!IsNameChar(statement[run])) {
      ++run;
      continue;
    }
    size_t end = run;
    while (end < statement.size() && IsNameChar(statement[end])) ++end;
    if (const BuiltinEntry* e =
            FindBuiltinByName(std::string_view(statement).substr(run, end - run))) {
      out.append(statement, copied, run - copied);
      out += BuiltinToken(e->id);
      copied = end;
    }
    run = end;
  }
  if (copied == 0) return;
  out.append(statement, copied, std::string::npos);
  statement = std::move(out);
}

}  // namespace tornel
