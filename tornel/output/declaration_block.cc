#include "tornel/output/declaration_block.h"

#include "tornel/compiler/statement_keywords.h"
#include "tornel/compiler/words.h"
#include "tornel/output/address_pass.h"

namespace tornel {

namespace {
constexpr std::string_view kEndWord = "end";
}

BlockLine ClassifyBlockLine(Diagnostics& diag, BlockState& state, std::string_view s) {
  bool starts_with_end = FindWholeWord(s, kEndWord) == 0;
  if (!state.inside) {
    // A stray END line is the control structures' to report.
    if (starts_with_end) return BlockLine::kOutside;
    if (!IsLoneStatement(diag, s, state.keyword, state.name)) return BlockLine::kOutside;
    state.inside = true;
    return BlockLine::kOpen;
  }
  if (!starts_with_end) return BlockLine::kDefinition;
  std::string_view rest = s.substr(kEndWord.size());
  if (!rest.empty() && rest[0] == ' ') rest.remove_prefix(1);
  if (rest != state.keyword) FatalAt(diag, kMsgInvalidEndStatement);
  state.inside = false;
  return BlockLine::kClose;
}

}  // namespace tornel
