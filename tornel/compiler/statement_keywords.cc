#include "tornel/compiler/statement_keywords.h"

#include "tornel/compiler/preprocessor.h"
#include "tornel/compiler/words.h"

namespace tornel {

bool IsLoneStatement(Diagnostics& diag, std::string_view statement, std::string_view keyword,
                     std::string_view name) {
  if (FindWholeWord(statement, keyword) == std::string_view::npos) return false;
  if (statement != keyword) FatalAt(diag, FormatMessage(kMsgInvalidStatement, {name}));
  return true;
}

}  // namespace tornel
