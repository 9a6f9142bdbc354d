#include "tornel/compiler/final_pass.h"

#include <algorithm>
#include <string_view>

#include "tornel/compiler/location_prefix.h"
#include "tornel/compiler/tokens.h"
#include "tornel/compiler/words.h"

namespace tornel {

namespace {

struct Replacement {
  std::string_view text;
  char token;
};

// Whole words, so that "uiorder" and "bandwidth" stay names.
constexpr Replacement kOperatorWords[] = {{"or", kTokOr}, {"and", kTokAnd}};
// Anywhere in the statement.
constexpr Replacement kComparisons[] = {
    {"<>", kTokNotEqual}, {">=", kTokGreaterEqual}, {"<=", kTokLessEqual}};
constexpr Replacement kReturnWord{"return", kTokReturn};

constexpr std::string_view kNoWord = "no";
constexpr std::string_view kNoValue = "0";
constexpr std::string_view kYesWord = "yes";
constexpr std::string_view kYesValue = "1";

void ReplaceWord(std::string& s, const Replacement& r) {
  ReplaceWholeWords(s, r.text, std::string_view(&r.token, 1));
}

void ReplaceEverywhere(std::string& s, const Replacement& r) {
  for (size_t pos = s.find(r.text); pos != std::string::npos; pos = s.find(r.text, pos + 1))
    s.replace(pos, r.text.size(), 1, r.token);
}

void BlankAfterColons(std::string& s) {
  for (size_t pos = s.find(':'); pos != std::string::npos; pos = s.find(':', pos + 2))
    s.insert(pos + 1, 1, ' ');
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The bytes whose reference carries a decimal number right after them.
bool IsNumberedReference(char c) {
  return c == kTokIntVar || c == kTokRealVar || c == kTokStringRef || c == kTokAddress ||
         c == kTokModalGroup || c == kTokJump || c == kTokJumpIfFalse || c == kTokJumpIfTrue;
}

// True when a number stands after a blank right behind a reference's
// number (an array's size included), where removing the blanks would join
// the two.
bool NumberJoinsReference(std::string_view s) {
  for (size_t i = 0; i < s.size(); ++i) {
    size_t digits;
    if (IsNumberedReference(s[i])) {
      digits = i + 1;
    } else if (i + 1 < s.size() && IsUserFunctionReference(s[i], s[i + 1])) {
      digits = i + 2;
    } else {
      continue;
    }
    size_t end = digits;
    while (end < s.size() && IsDigit(s[end])) ++end;
    if (end == digits) continue;  // "_addr[...]": no number of its own
    bool variable = s[i] == kTokIntVar || s[i] == kTokRealVar || s[i] == kTokStringRef;
    if (variable && end < s.size() && s[end] == '|') {
      ++end;
      while (end < s.size() && IsDigit(s[end])) ++end;
    }
    size_t next = end;
    while (next < s.size() && s[next] == ' ') ++next;
    if (next > end && next < s.size() && (IsDigit(s[next]) || s[next] == '.')) return true;
    i = end - 1;
  }
  return false;
}

void Finish(Diagnostics& diag, std::string& s) {
  ReplaceWholeWords(s, kNoWord, kNoValue);
  ReplaceWholeWords(s, kYesWord, kYesValue);
  if (NumberJoinsReference(s)) FatalAt(diag, kMsgInvalidExpression);
  s.erase(std::remove(s.begin(), s.end(), ' '), s.end());
}

}  // namespace

std::vector<std::string> FinalTextPass(Diagnostics& diag, const std::vector<std::string>& lines,
                                       const FinalPassHooks& hooks) {
  std::vector<std::string> out;
  out.reserve(lines.size());
  std::vector<std::string> statements;
  for (const std::string& line : lines) {
    Location loc;
    std::string_view text;
    if (!SplitLocation(line, loc, text)) {
      out.push_back(line);
      continue;
    }
    diag.loc = loc;
    std::string s(text);
    for (const Replacement& r : kOperatorWords) ReplaceWord(s, r);
    for (const Replacement& r : kComparisons) ReplaceEverywhere(s, r);
    ReplaceWord(s, kReturnWord);
    BlankAfterColons(s);
    statements.assign(1, std::move(s));
    for (const StatementHook* hook : {&hooks.builtins, &hooks.settings, &hooks.output})
      if (*hook) (*hook)(diag, statements);
    for (std::string& statement : statements) {
      Finish(diag, statement);
      out.push_back(WithLocation(loc, statement));
    }
  }
  return out;
}

}  // namespace tornel
