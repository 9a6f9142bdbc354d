#include "tornel/sysvars/keyword_pass.h"

#include <string_view>

#include "tornel/compiler/location_prefix.h"
#include "tornel/compiler/words.h"
#include "tornel/sysvars/init_statement.h"
#include "tornel/sysvars/keyword_table.h"

namespace tornel {

namespace {

template <size_t N>
void ReplaceAll(std::string& statement, const KeywordReplacement (&table)[N]) {
  for (const KeywordReplacement& r : table) ReplaceWholeWords(statement, r.word, r.substitute);
}

}  // namespace

std::vector<std::string> KeywordPass(Diagnostics& diag, const std::vector<std::string>& lines) {
  std::vector<std::string> out;
  out.reserve(lines.size());
  for (const std::string& line : lines) {
    Location loc;
    std::string_view text;
    if (!SplitLocation(line, loc, text)) {
      out.push_back(line);
      continue;
    }
    diag.loc = loc;
    std::string statement(text);
    ReplaceAll(statement, kKeywordAliases);
    ReplaceAll(statement, kDirectives);
    ReplaceAll(statement, kDollarConstants);
    if (ReplaceWholeWords(statement, kSeqIni.word, kSeqIni.substitute) > 0)
      out.push_back(WithLocation(loc, kSeqIniOutputLine));
    out.push_back(WithLocation(loc, RewriteInitStatement(diag, std::move(statement))));
  }
  return out;
}

}  // namespace tornel
