#include "tornel/sysvars/init_statement.h"

#include <string_view>

#include "tornel/compiler/preprocessor.h"
#include "tornel/compiler/tokens.h"
#include "tornel/compiler/words.h"

namespace tornel {

namespace {

constexpr std::string_view kInitKeyword = "init:";
constexpr const char* kInitDisplayName = "Init";
constexpr const char* kMsgParametersMissing = "Parameters missing in Init statement in";
constexpr const char* kMsgParameter2Missing = "Parameter 2 missing in Init statement in";
constexpr const char* kMsgTooManyParameters =
    "Too many parameters (must be only two: variable and value) in Init statement in";
constexpr const char* kMsgNotVariable = "Parameter 1 must be variable in Init statement in";

constexpr const char* kStringInit = "if(strlen(%s)=0)%s=%s";
constexpr const char* kNumberInit = "if(%s=0)%s=%s";

// Normalising drops the blank in "srfeed -1" ("srfeed-1"): with no blank and
// no string to end the variable, a sign outside brackets ends it instead.
size_t SignAfterVariable(std::string_view params) {
  int depth = 0;
  for (size_t k = 1; k < params.size(); ++k) {
    char c = params[k];
    if (c == '(' || c == '[') ++depth;
    if (c == ')' || c == ']') --depth;
    if (depth == 0 && (c == '+' || c == '-')) return k;
  }
  return std::string_view::npos;
}

}  // namespace

std::string RewriteInitStatement(Diagnostics& diag, std::string statement) {
  size_t at = FindWholeWord(statement, kInitKeyword);
  if (at == std::string::npos) return statement;
  if (at != 0) FatalAt(diag, FormatMessage(kMsgInvalidStatement, {kInitDisplayName}));

  std::string_view params = std::string_view(statement).substr(kInitKeyword.size());
  if (params.empty()) FatalAt(diag, kMsgParametersMissing);
  const char ends[] = {' ', kTokStringRef};  // the variable ends at a blank or a string
  size_t end = params.find_first_of(std::string_view(ends, sizeof ends));
  if (end == std::string_view::npos) end = SignAfterVariable(params);
  if (end == std::string_view::npos) FatalAt(diag, kMsgParameter2Missing);
  std::string_view variable = params.substr(0, end);
  std::string_view value = params.substr(end);
  if (value.starts_with(' ')) value.remove_prefix(1);
  if (value.find(' ') != std::string_view::npos ||
      value.find(kTokStringRef, 1) != std::string_view::npos)
    FatalAt(diag, kMsgTooManyParameters);

  // A global variable: system (s..) or the post file's own (u..), typed by
  // its second letter.
  if (variable.size() < 2 || (variable[0] != 's' && variable[0] != 'u') ||
      (variable[1] != 'i' && variable[1] != 'r' && variable[1] != 's'))
    FatalAt(diag, kMsgNotVariable);
  return FormatMessage(variable[1] == 's' ? kStringInit : kNumberInit, {variable, variable, value});
}

}  // namespace tornel
