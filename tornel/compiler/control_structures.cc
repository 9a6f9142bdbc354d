#include "tornel/compiler/control_structures.h"

#include <algorithm>
#include <string_view>

#include "tornel/compiler/location_prefix.h"
#include "tornel/compiler/tokens.h"
#include "tornel/compiler/words.h"

namespace tornel {

namespace {

// Codes of the control statements; the open ones are kept on a stack row.
enum StatementCode : int {
  kCodeIf = 171,
  kCodeElse = 172,
  kCodeElseIf = 173,
  kCodeEnd = 174,
  kCodeWhile = 175,
  kCodeRepeat = 176,
  kCodeUntil = 177,
  kCodeFor = 178,
  kCodeCase = 179,
  kCodeWhen = 180,
  kCodeWhenOther = 181,
  kCodeBreak = 182,
  kCodeContinue = 183,
};

struct Keyword {
  std::string_view word;
  StatementCode code;
};

// The two-word keywords become one name before keywords are looked for.
constexpr std::string_view kElseIfWords = "else if";
constexpr std::string_view kElseIfName = "else_if";
constexpr std::string_view kWhenOtherWords = "when other";
constexpr std::string_view kWhenOtherName = "when_other";

// Reserved wherever they stand as whole words.
constexpr Keyword kKeywords[] = {
    {"if", kCodeIf},         {"else", kCodeElse},             {kElseIfName, kCodeElseIf},
    {"end", kCodeEnd},       {"while", kCodeWhile},           {"repeat", kCodeRepeat},
    {"until", kCodeUntil},   {"for", kCodeFor},               {"case", kCodeCase},
    {"when", kCodeWhen},     {kWhenOtherName, kCodeWhenOther}, {"break", kCodeBreak},
    {"continue", kCodeContinue},
};

// Inside a FOR statement.
constexpr std::string_view kForTo = "to";
constexpr std::string_view kForStep = "step";
constexpr std::string_view kForDefaultStep = "1";
constexpr std::string_view kForSign = "sign";

// Stack rows of the open structures.
constexpr StackRow kPendingLabels{1};  // jump targets still to be placed
constexpr StackRow kOpenCodes{2};      // codes of the open statements
constexpr StackRow kBranchCounts{3};   // per IF chain or CASE: branch-end labels for its END
constexpr StackRow kLoopLabels{4};     // per loop: exit label, then continue label (top)
constexpr StackRow kOpenLocations{5};  // per open statement: file number, then line number
constexpr StackRow kOpenTexts{1};      // per FOR: loop-back test, increment; per CASE: selector

constexpr const char* kMsgLeftParen = "Left parenthesis ( is missing from";
constexpr const char* kMsgElseIfWithoutIf = "ELSE IF statement without preceding IF statement in";
constexpr const char* kMsgInvalidElse = "Invalid ELSE statement in";
constexpr const char* kMsgElseWithoutIf = "ELSE statement without preceding IF statement in";
constexpr const char* kMsgWhenWithoutCase = "WHEN statement without preceding CASE statement in";
constexpr const char* kMsgInvalidWhen = "Invalid WHEN statement in";
constexpr const char* kMsgInvalidWhenOther = "Invalid WHEN OTHER statement in";
constexpr const char* kMsgWhenOtherWithoutWhen =
    "WHEN OTHER statement without preceding WHEN statement in";
constexpr const char* kMsgCaseWithoutWhen = "CASE statement without WHEN in";
constexpr const char* kMsgWhenInternal = "Tornel internal error with WHEN in CompContr";
constexpr const char* kMsgInvalidRepeat = "Invalid REPEAT statement in";
constexpr const char* kMsgUntilWithoutRepeat = "UNTIL statement without preceding REPEAT statement in";
constexpr const char* kMsgForNoEquals = "Missing = parameter in FOR statement in";
constexpr const char* kMsgForManyEquals = "More than one = parameters in FOR statement in";
constexpr const char* kMsgForNoTo = "Missing TO parameter in FOR statement in";
constexpr const char* kMsgForManyTo = "More than one TO parameters in FOR statement in";
constexpr const char* kMsgForManySteps = "More than one STEP parameters in FOR statement in";
constexpr const char* kMsgForNotNumeric = "First parameter of FOR statement not numeric variable";
constexpr const char* kMsgInvalidBreak = "Invalid BREAK statement in";
constexpr const char* kMsgInvalidContinue = "Invalid CONTINUE statement in";
constexpr const char* kMsgBreakOutside = "BREAK statement outside of loop in";
constexpr const char* kMsgContinueOutside = "CONTINUE statement outside of loop in";
constexpr const char* kMsgInvalidEnd = "Invalid END statement in";
constexpr const char* kMsgEndWithoutUse = "END without use in";
constexpr const char* kMsgConditionWithoutEnd = "Condition statement without END in";
constexpr const char* kMsgWhileWithoutEnd = "WHILE statement without END in";
constexpr const char* kMsgRepeatWithoutUntil = "REPEAT statement without UNTIL in";
constexpr const char* kMsgForWithoutEnd = "FOR statement without END in";
constexpr const char* kMsgCaseWithoutEnd = "CASE statement without END in";

// The report for a control keyword that does not begin its statement.
const char* MisplacedMessage(StatementCode code) {
  switch (code) {
    case kCodeElse: return kMsgInvalidElse;
    case kCodeEnd: return kMsgInvalidEnd;
    case kCodeRepeat: return kMsgInvalidRepeat;
    case kCodeWhenOther: return kMsgInvalidWhenOther;
    case kCodeBreak: return kMsgInvalidBreak;
    case kCodeContinue: return kMsgInvalidContinue;
    default: return kMsgInvalidCondition;
  }
}

// The report for a statement still open when the text ends.
const char* UnclosedMessage(int code) {
  switch (code) {
    case kCodeWhile: return kMsgWhileWithoutEnd;
    case kCodeRepeat: return kMsgRepeatWithoutUntil;
    case kCodeFor: return kMsgForWithoutEnd;
    case kCodeCase: return kMsgCaseWithoutWhen;
    case kCodeWhen:
    case kCodeWhenOther: return kMsgCaseWithoutEnd;
    default: return kMsgConditionWithoutEnd;
  }
}

struct Occurrence {
  size_t pos;
  const Keyword* keyword;
};

// Every whole-word control keyword of the statement, in text order.
std::vector<Occurrence> FindKeywords(std::string_view s) {
  std::vector<Occurrence> found;
  for (const Keyword& k : kKeywords)
    for (size_t pos = FindWholeWord(s, k.word); pos != std::string_view::npos;
         pos = FindWholeWord(s, k.word, pos + k.word.size()))
      found.push_back({pos, &k});
  std::sort(found.begin(), found.end(),
            [](const Occurrence& a, const Occurrence& b) { return a.pos < b.pos; });
  return found;
}

int CountWholeWords(std::string_view s, std::string_view word) {
  int n = 0;
  for (size_t pos = FindWholeWord(s, word); pos != std::string_view::npos;
       pos = FindWholeWord(s, word, pos + word.size()))
    ++n;
  return n;
}

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

bool IsNumericLoopVariable(std::string_view var) {
  if (var.empty()) return false;
  if (var[0] == kTokIntVar || var[0] == kTokRealVar) return true;
  for (std::string_view prefix : {"ui", "ur", "si", "sr"})
    if (var.starts_with(prefix)) return true;
  return false;
}

// The values of a WHEN: separated by blanks, and a string reference always
// starts a new value.
std::vector<std::string_view> SplitWhenValues(std::string_view list) {
  std::vector<std::string_view> values;
  size_t start = 0;
  for (size_t i = 0; i < list.size(); ++i) {
    if (list[i] == ' ') {
      if (i > start) values.push_back(list.substr(start, i - start));
      start = i + 1;
    } else if (list[i] == kTokStringRef && i > start) {
      values.push_back(list.substr(start, i - start));
      start = i;
    }
  }
  if (start < list.size()) values.push_back(list.substr(start));
  return values;
}

struct ControlPass {
  Diagnostics& diag;
  CompilerState& state;
  std::vector<std::string> out;

  [[noreturn]] void Fail(const char* message) { FatalAt(diag, message); }

  void Push(StackRow row, int value) { PushInt(diag, state.stacks, row, value); }
  // The rows are pushed and popped in step with the open codes, so a pop
  // that the open code allows always finds its entry.
  int Pop(StackRow row) { return PopInt(state.stacks, row).value_or(-1); }

  void OpenCode(int code) {
    Push(kOpenCodes, code);
    Push(kOpenLocations, diag.loc.file);
    Push(kOpenLocations, diag.loc.line);
  }
  // The innermost open statement's code, taken off its row; -1 when none.
  int CloseCode() {
    if (IntCount(state.stacks, kOpenCodes) == 0) return -1;
    Pop(kOpenLocations);
    Pop(kOpenLocations);
    return Pop(kOpenCodes);
  }

  void WriteStatement(std::string_view statement) {
    out.push_back(WithLocation(diag.loc, statement));
  }
  void WriteLabel(int label) {
    std::string line(1, kTokLabelLine);
    line += std::to_string(label);
    out.push_back(std::move(line));
  }
  void WriteJump(int label) {
    std::string s(1, kTokJump);
    s += std::to_string(label);
    WriteStatement(s);
  }
  // `condition` includes its parentheses.
  std::string FalseJump(std::string_view condition, int label) {
    std::string s(1, kTokCondition);
    s += condition;
    s += kTokJumpIfFalse;
    s += std::to_string(label);
    return WithLocation(diag.loc, s);
  }

  // The position of the ')' that closes the '(' at `open`.
  size_t MatchingParen(std::string_view s, size_t open) {
    if (open >= s.size() || s[open] != '(') Fail(kMsgLeftParen);
    int depth = 0;
    for (size_t i = open; i < s.size(); ++i) {
      if (s[i] == '(') {
        ++depth;
      } else if (s[i] == ')' && --depth == 0) {
        return i;
      }
    }
    Fail(kMsgRightParen);
  }

  // The parenthesised condition of WHILE and UNTIL, which must end the line.
  std::string_view WholeLineCondition(std::string_view s, size_t open) {
    size_t close = MatchingParen(s, open);
    if (close + 1 != s.size()) Fail(kMsgInvalidCondition);
    return s.substr(open, close - open + 1);
  }

  // FOR and CASE: everything between the '(' and the last ')' of the line.
  std::string_view Parenthesised(std::string_view s, size_t open) {
    MatchingParen(s, open);
    size_t last = s.rfind(')');
    // Text after the last ')' would be lost without a word.
    if (last + 1 != s.size()) Fail(kMsgInvalidCondition);
    return s.substr(open + 1, last - open - 1);
  }

  // IF chains and CASEs: a branch opens with a false-jump past it.
  void OpenBranch(int code, std::string_view condition) {
    int skip = NewLabel(state);
    Push(kPendingLabels, skip);
    OpenCode(code);
    out.push_back(FalseJump(condition, skip));
  }
  // The branch before ends with a jump past the chain's END, and the label
  // its condition jumps to is placed.
  void NextBranch() {
    int skip = Pop(kPendingLabels);
    int end = NewLabel(state);
    Push(kPendingLabels, end);
    WriteJump(end);
    WriteLabel(skip);
  }
  void CountBranch() { Push(kBranchCounts, Pop(kBranchCounts) + 1); }
  void CloseChain() {
    for (int n = Pop(kBranchCounts); n > 0; --n) WriteLabel(Pop(kPendingLabels));
  }

  void Line(const std::string& line) {
    Location loc;
    std::string_view text;
    if (!SplitLocation(line, loc, text)) {
      out.push_back(line);
      return;
    }
    diag.loc = loc;
    std::string s(text);
    ReplaceWholeWords(s, kElseIfWords, kElseIfName);
    ReplaceWholeWords(s, kWhenOtherWords, kWhenOtherName);
    std::vector<Occurrence> found = FindKeywords(s);
    if (found.empty()) {
      out.push_back(line);
      return;
    }
    Statement(s, found);
  }

  void Statement(std::string_view s, const std::vector<Occurrence>& found) {
    const Keyword& k = *found[0].keyword;
    if (found[0].pos != 0) Fail(MisplacedMessage(k.code));
    size_t after = k.word.size();
    switch (k.code) {
      case kCodeIf:
      case kCodeElseIf: return IfStatement(k.code, s, found);
      case kCodeBreak:
      case kCodeContinue: return BreakOrContinue(k, s);
      case kCodeElse:
      case kCodeEnd:
      case kCodeRepeat:
      case kCodeWhenOther:
        // These stand alone on their line.
        if (s != k.word) Fail(MisplacedMessage(k.code));
        if (k.code == kCodeElse) return Else();
        if (k.code == kCodeEnd) return End();
        if (k.code == kCodeRepeat) return Repeat();
        return WhenOther();
      default: break;
    }
    if (found.size() != 1) Fail(kMsgInvalidCondition);
    switch (k.code) {
      case kCodeWhile: return While(WholeLineCondition(s, after));
      case kCodeUntil: return Until(WholeLineCondition(s, after));
      case kCodeFor: return For(Parenthesised(s, after));
      case kCodeCase:
        PushText(diag, state.stacks, kOpenTexts, Parenthesised(s, after));
        return OpenCode(kCodeCase);
      default: return When(s.substr(after));
    }
  }

  void IfStatement(StatementCode code, std::string_view s, const std::vector<Occurrence>& found) {
    size_t open = found[0].keyword->word.size();
    size_t close = MatchingParen(s, open);
    // A second keyword may only be the BREAK or CONTINUE of a one-line form.
    for (size_t i = 1; i < found.size(); ++i) {
      StatementCode c = found[i].keyword->code;
      if (found[i].pos <= close || (c != kCodeBreak && c != kCodeContinue))
        Fail(kMsgInvalidCondition);
    }
    std::string_view condition = s.substr(open, close - open + 1);
    if (code == kCodeIf) {
      OpenBranch(kCodeIf, condition);
      Push(kBranchCounts, 1);
    } else {
      int open_code = CloseCode();
      if (open_code != kCodeIf && open_code != kCodeElseIf) Fail(kMsgElseIfWithoutIf);
      NextBranch();
      CountBranch();
      OpenBranch(kCodeElseIf, condition);
    }
    std::string_view one_line = s.substr(close + 1);
    if (one_line.empty()) return;
    // The one-line form: its statement, then an END that closes the chain.
    if (found.size() > 1)
      BreakOrContinue(*found[1].keyword, one_line);
    else
      WriteStatement(one_line);
    End();
  }

  void Else() {
    int open_code = CloseCode();
    if (open_code != kCodeIf && open_code != kCodeElseIf) Fail(kMsgElseWithoutIf);
    NextBranch();
    OpenCode(kCodeElse);
  }

  void When(std::string_view list) {
    int open_code = CloseCode();
    if (open_code != kCodeCase && open_code != kCodeWhen) Fail(kMsgWhenWithoutCase);
    if (list.starts_with(' ')) list.remove_prefix(1);
    if (list.empty()) Fail(kMsgInvalidWhen);
    std::vector<std::string_view> values = SplitWhenValues(list);
    if (values.empty()) FatalPlain(diag, kMsgWhenInternal, true);
    const std::string& selector =
        *GetText(state.stacks, kOpenTexts,
                 static_cast<long long>(TextCount(state.stacks, kOpenTexts)) - 1);
    std::string condition = "(";
    for (size_t i = 0; i < values.size(); ++i) {
      if (i > 0) condition += "or";
      condition += '(';
      condition += selector;
      condition += ")=(";
      condition += values[i];
      condition += ')';
    }
    condition += ')';
    if (open_code == kCodeCase) {
      OpenBranch(kCodeWhen, condition);
      Push(kBranchCounts, 1);
    } else {
      NextBranch();
      CountBranch();
      OpenBranch(kCodeWhen, condition);
    }
  }

  void WhenOther() {
    if (CloseCode() != kCodeWhen) Fail(kMsgWhenOtherWithoutWhen);
    NextBranch();
    OpenCode(kCodeWhenOther);
  }

  void While(std::string_view condition) {
    int top = NewLabel(state);
    WriteLabel(top);
    Push(kPendingLabels, top);
    int exit = NewLabel(state);
    Push(kLoopLabels, exit);
    Push(kLoopLabels, top);
    Push(kPendingLabels, exit);
    OpenCode(kCodeWhile);
    out.push_back(FalseJump(condition, exit));
  }

  void Repeat() {
    int exit = NewLabel(state);
    int top = NewLabel(state);
    int next = NewLabel(state);
    Push(kPendingLabels, exit);
    Push(kPendingLabels, top);
    Push(kPendingLabels, next);
    Push(kLoopLabels, exit);
    Push(kLoopLabels, next);
    OpenCode(kCodeRepeat);
    WriteLabel(top);
  }

  void Until(std::string_view condition) {
    if (CloseCode() != kCodeRepeat) Fail(kMsgUntilWithoutRepeat);
    WriteLabel(Pop(kPendingLabels));
    out.push_back(FalseJump(condition, Pop(kPendingLabels)));
    WriteLabel(Pop(kPendingLabels));
    Pop(kLoopLabels);
    Pop(kLoopLabels);
  }

  void For(std::string_view inner) {
    auto equals = std::count(inner.begin(), inner.end(), '=');
    if (equals == 0) Fail(kMsgForNoEquals);
    if (equals > 1) Fail(kMsgForManyEquals);
    int tos = CountWholeWords(inner, kForTo);
    if (tos == 0) Fail(kMsgForNoTo);
    if (tos > 1) Fail(kMsgForManyTo);
    if (CountWholeWords(inner, kForStep) > 1) Fail(kMsgForManySteps);
    size_t eq = inner.find('=');
    size_t to = FindWholeWord(inner, kForTo, eq + 1);
    if (to == std::string_view::npos) Fail(kMsgForNoTo);  // the one TO stands before the '='
    size_t step_at = FindWholeWord(inner, kForStep, to + kForTo.size());
    std::string var(TrimBlanks(inner.substr(0, eq)));
    std::string_view start = TrimBlanks(inner.substr(eq + 1, to - eq - 1));
    std::string_view end = TrimBlanks(inner.substr(
        to + kForTo.size(),
        step_at == std::string_view::npos ? std::string_view::npos : step_at - to - kForTo.size()));
    std::string_view step = step_at == std::string_view::npos
                                ? kForDefaultStep
                                : TrimBlanks(inner.substr(step_at + kForStep.size()));
    if (!IsNumericLoopVariable(var)) Fail(kMsgForNotNumeric);

    std::string sign = "*";
    sign += kForSign;
    sign += '(';
    sign += step;
    sign += ')';
    std::string bound = "<=((" + std::string(end) + ")" + sign + "))";
    std::string stepped = "(" + var + ")+(" + std::string(step) + ")";

    WriteStatement(var + "=" + std::string(start));
    int exit = NewLabel(state);
    out.push_back(FalseJump("((" + var + sign + ")" + bound, exit));
    PushText(diag, state.stacks, kOpenTexts, FalseJump("(((" + stepped + ")" + sign + ")" + bound, exit));
    PushText(diag, state.stacks, kOpenTexts, WithLocation(diag.loc, var + "=" + stepped));
    Push(kPendingLabels, exit);
    Push(kLoopLabels, exit);
    OpenCode(kCodeFor);
    int top = NewLabel(state);
    WriteLabel(top);
    Push(kPendingLabels, top);
    Push(kLoopLabels, NewLabel(state));
  }

  void BreakOrContinue(const Keyword& k, std::string_view s) {
    bool is_break = k.code == kCodeBreak;
    if (s != k.word) Fail(is_break ? kMsgInvalidBreak : kMsgInvalidContinue);
    if (IntCount(state.stacks, kLoopLabels) < 2)
      Fail(is_break ? kMsgBreakOutside : kMsgContinueOutside);
    int next = Pop(kLoopLabels);
    int exit = Pop(kLoopLabels);
    Push(kLoopLabels, exit);
    Push(kLoopLabels, next);
    WriteJump(is_break ? exit : next);
  }

  void End() {
    switch (CloseCode()) {
      case kCodeIf:
      case kCodeElse:
      case kCodeElseIf:
        CloseChain();
        break;
      case kCodeWhen:
      case kCodeWhenOther:
        CloseChain();
        PopText(state.stacks, kOpenTexts);  // the selector
        break;
      case kCodeCase:
        Fail(kMsgCaseWithoutWhen);
      case kCodeWhile: {
        int exit = Pop(kPendingLabels);
        WriteJump(Pop(kPendingLabels));
        WriteLabel(exit);
        Pop(kLoopLabels);
        Pop(kLoopLabels);
        break;
      }
      case kCodeFor: {
        int top = Pop(kPendingLabels);
        int exit = Pop(kPendingLabels);
        WriteLabel(Pop(kLoopLabels));
        Pop(kLoopLabels);
        std::string increment = PopText(state.stacks, kOpenTexts).value_or("");
        out.push_back(PopText(state.stacks, kOpenTexts).value_or(""));
        out.push_back(std::move(increment));
        WriteJump(top);
        WriteLabel(exit);
        break;
      }
      default:  // nothing open, or a REPEAT, which UNTIL closes
        Fail(kMsgEndWithoutUse);
    }
  }

  void Finish() {
    if (IntCount(state.stacks, kOpenCodes) > 0) {
      int line = Pop(kOpenLocations);
      int file = Pop(kOpenLocations);
      int code = Pop(kOpenCodes);
      diag.loc = {file, line};
      Fail(UnclosedMessage(code));
    }
    ReleaseIntRows(state.stacks);
    ReleaseTextRow(state.stacks, kOpenTexts);
  }
};

}  // namespace

std::vector<std::string> CompileControlStructures(Diagnostics& diag, CompilerState& state,
                                                  const std::vector<std::string>& lines) {
  ControlPass pass{diag, state, {}};
  pass.out.reserve(lines.size());
  for (const std::string& line : lines) pass.Line(line);
  pass.Finish();
  return std::move(pass.out);
}

}  // namespace tornel
