#include "tornel/compiler/labels_pass.h"

#include <map>
#include <string_view>
#include <utility>

#include "tornel/compiler/location_prefix.h"
#include "tornel/compiler/preprocessor.h"
#include "tornel/compiler/tokens.h"
#include "tornel/compiler/words.h"

namespace tornel {

namespace {

constexpr std::string_view kLabelKeyword = "label";
constexpr std::string_view kJumpWord = "jump ";

struct Label {
  std::string name;
  int number;
};

// Scope 0 is MAIN; function k (counting function start records) is scope k.
struct ScopeTracker {
  int functions = 0;
  int scope = 0;

  void See(std::string_view statement) {
    if (statement.size() != 1) return;
    if (statement[0] == kTokMainStart) scope = 0;
    if (statement[0] == kTokFuncStart) scope = ++functions;
  }
};

// The name of a LABEL statement, or empty for any other statement.  A
// statement that holds the keyword elsewhere, or no name of name characters
// to its end, is reported.
std::string_view LabelName(Diagnostics& diag, std::string_view statement) {
  if (FindWholeWord(statement, kLabelKeyword) == std::string_view::npos) return {};
  std::string_view name;
  if (statement.substr(0, kLabelKeyword.size()) == kLabelKeyword &&
      statement.size() > kLabelKeyword.size() + 1 && statement[kLabelKeyword.size()] == ' ')
    name = statement.substr(kLabelKeyword.size() + 1);
  bool valid = !name.empty();
  for (char c : name) valid = valid && IsNameChar(c);
  if (!valid) FatalAt(diag, FormatMessage(kMsgInvalidStatement, {"LABEL"}));
  return name;
}

}  // namespace

std::vector<std::string> LabelsPass(Diagnostics& diag, CompilerState& compiler,
                                    const std::vector<std::string>& lines) {
  // Per scope, its labels in definition order.
  std::map<int, std::vector<Label>> scopes;
  std::map<std::pair<int, std::string_view>, int> numbers;
  ScopeTracker tracker;
  for (const std::string& line : lines) {
    Location loc;
    std::string_view statement;
    if (!SplitLocation(line, loc, statement)) continue;
    diag.loc = loc;
    tracker.See(statement);
    std::string_view name = LabelName(diag, statement);
    if (name.empty()) continue;
    int number = compiler.label_counter;
    if (!numbers.emplace(std::make_pair(tracker.scope, name), number).second)
      FatalAt(diag, FormatMessage(kMsgLabelInUse, {name}));
    NewLabel(compiler);
    scopes[tracker.scope].push_back({std::string(name), number});
  }

  std::vector<std::string> out;
  out.reserve(lines.size());
  tracker = ScopeTracker{};
  for (const std::string& line : lines) {
    Location loc;
    std::string_view statement;
    if (!SplitLocation(line, loc, statement)) {
      out.push_back(line);
      continue;
    }
    diag.loc = loc;
    tracker.See(statement);
    std::string_view name = LabelName(diag, statement);
    if (!name.empty()) {
      out.push_back(kTokLabelLine + std::to_string(numbers.at({tracker.scope, name})));
      continue;
    }
    auto scope = scopes.find(tracker.scope);
    if (scope == scopes.end() || statement.find(kJumpWord) == std::string_view::npos) {
      out.push_back(line);
      continue;
    }
    std::string text(statement);
    for (const Label& label : scope->second) {
      std::string jump = std::string(kJumpWord) + label.name;
      std::string target = kTokJump + std::to_string(label.number);
      for (size_t pos = FindWholeWord(text, jump); pos != std::string::npos;
           pos = FindWholeWord(text, jump, pos + target.size())) {
        if (pos + jump.size() != text.size())
          FatalAt(diag, FormatMessage(kMsgInvalidStatement, {"JUMP"}));
        text.replace(pos, jump.size(), target);
      }
    }
    out.push_back(WithLocation(loc, text));
  }
  return out;
}

}  // namespace tornel
