#include "tornel/compiler/constants_pass.h"

#include <string_view>
#include <unordered_set>

#include "tornel/compiler/location_prefix.h"
#include "tornel/compiler/statement_keywords.h"
#include "tornel/compiler/words.h"

namespace tornel {

namespace {

constexpr std::string_view kConstantKeyword = "constant";
constexpr std::string_view kEndKeyword = "end";

struct Constant {
  std::string name;  // with its '#'
  std::string value;
};

// "#name=value": the name all name characters, the value not empty.
bool SplitDefinition(std::string_view statement, Constant& def) {
  size_t eq = statement.find('=');
  if (statement.empty() || statement[0] != '#' || eq == std::string_view::npos || eq < 2 ||
      eq + 1 == statement.size())
    return false;
  std::string_view name = statement.substr(0, eq);
  for (char c : name)
    if (!IsNameChar(c)) return false;
  def.name = name;
  def.value = statement.substr(eq + 1);
  return true;
}

}  // namespace

std::vector<std::string> ConstantsPass(Diagnostics& diag, const std::vector<std::string>& lines) {
  std::vector<Constant> constants;             // the whole list, first definitions only
  std::unordered_set<std::string> all_names;   // names in `constants`
  std::unordered_set<std::string> file_names;  // names defined in the current file
  int file = -1;
  bool in_block = false;

  std::vector<std::string> scratch;
  scratch.reserve(lines.size());
  for (const std::string& line : lines) {
    Location loc;
    std::string_view statement;
    if (!SplitLocation(line, loc, statement)) {
      scratch.push_back(line);
      continue;
    }
    diag.loc = loc;
    if (loc.file != file) {
      file = loc.file;
      file_names.clear();
    }
    if (!in_block) {
      if (IsLoneStatement(diag, statement, kConstantKeyword, "CONSTANT"))
        in_block = true;
      else
        scratch.push_back(line);
      continue;
    }
    if (IsLoneStatement(diag, statement, kEndKeyword, "END")) {
      in_block = false;
      continue;
    }
    Constant def;
    if (!SplitDefinition(statement, def)) FatalAt(diag, kMsgInvalidConstant);
    if (!file_names.insert(def.name).second)
      FatalAt(diag, FormatMessage(kMsgConstantInUse, {def.name}));
    if (all_names.insert(def.name).second) constants.push_back(std::move(def));
  }

  for (std::string& line : scratch) {
    Location loc;
    std::string_view statement;
    // Every name begins with '#': a line without one has nothing to replace.
    if (!SplitLocation(line, loc, statement) || statement.find('#') == std::string_view::npos)
      continue;
    size_t start = line.size() - statement.size();
    std::string text(statement);
    for (const Constant& c : constants) ReplaceWholeWords(text, c.name, c.value);
    line.replace(start, std::string::npos, text);
  }
  return scratch;
}

}  // namespace tornel
