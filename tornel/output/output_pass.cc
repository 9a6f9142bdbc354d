#include "tornel/output/output_pass.h"

#include <string_view>

#include "tornel/compiler/tokens.h"
#include "tornel/compiler/words.h"

namespace tornel {

namespace {

enum class Family { kOutput, kSet, kClr, kCompanion, kReplace };

struct StatementKeyword {
  std::string_view text;
  char token;
  char second;  // prefix token of O:, kind of replace:, else 0
  Family family;
};

constexpr StatementKeyword kKeywords[] = {
    {"o:", kTokOutput, 0, Family::kOutput},
    {"no:", kTokOutput, kTokPrefixNo, Family::kOutput},
    {"-o:", kTokOutput, kTokPrefixMinus, Family::kOutput},
    {"/o:", kTokOutput, kTokPrefixSlash, Family::kOutput},
    {"set:", kTokSet, 0, Family::kSet},
    {"clr:", kTokClr, 0, Family::kClr},
    {"enable:", kTokEnable, 0, Family::kCompanion},
    {"disable:", kTokDisable, 0, Family::kCompanion},
    {"direct:", kTokDirect, 0, Family::kCompanion},
    {"swap:", kTokSwap, 0, Family::kCompanion},
    {"revert:", kTokRevert, 0, Family::kCompanion},
    {"replace:", kTokReplace, kTokReplaceText, Family::kReplace},
    {"repword:", kTokReplace, kTokReplaceWord, Family::kReplace},
    {"repaddr:", kTokReplace, kTokReplaceAddr, Family::kReplace},
};

// The statements of which a line may hold only one, with their messages.
struct SingleStatement {
  std::string_view text;
  const char* message;
};
constexpr SingleStatement kSingles[] = {{"o:", kMsgInvalidOStatement},
                                        {"set:", kMsgInvalidSetStatement},
                                        {"clr:", kMsgInvalidClrStatement}};

struct WordToken {
  std::string_view word;
  char token;
};
// with_bind before with: a whole word never matches inside another anyway.
constexpr WordToken kListWords[] = {{"with_bind", kTokWithBind}, {"with", kTokWith},
                                    {"bind", kTokBind}, {"all", kTokAll}};
constexpr std::string_view kEachWord = "each";
constexpr std::string_view kEachList = "()";
constexpr std::string_view kComWord = "com";

constexpr int kMaxArrows = 4;

struct ReferenceForm {
  std::string_view word;
  char token;
  bool indexed;  // _addr[i], mgmodgrp[i]; else addr(ref), modgrp(ref)
  const char* invalid;
};
constexpr ReferenceForm kReferenceForms[] = {
    {"addr", kTokAddress, false, kMsgRefInvalidAddress},
    {"modgrp", kTokModalGroup, false, kMsgRefInvalidGroup},
    {"_addr", kTokAddress, true, nullptr},
    {"mgmodgrp", kTokModalGroup, true, nullptr},
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

void Trim(std::string_view& s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
}

// The position of the bracket that closes the one at `open`, or npos.
size_t MatchingClose(std::string_view s, size_t open, char opening, char closing) {
  int depth = 0;
  for (size_t i = open; i < s.size(); ++i) {
    if (s[i] == opening) ++depth;
    else if (s[i] == closing && --depth == 0) return i;
  }
  return std::string_view::npos;
}

void RewriteReferenceForms(Diagnostics& diag, std::string& s) {
  for (const ReferenceForm& f : kReferenceForms) {
    for (size_t pos = FindWholeWord(s, f.word); pos != std::string::npos;
         pos = FindWholeWord(s, f.word, pos + 1)) {
      size_t after = pos + f.word.size();
      if (f.indexed) {
        if (after >= s.size() || s[after] != '[') FatalAt(diag, kMsgRefLeftBracket);
        s.replace(pos, f.word.size(), 1, f.token);
        continue;
      }
      if (after >= s.size() || s[after] != '(') FatalAt(diag, kMsgRefLeftParen);
      size_t p = after + 1;
      if (p >= s.size() || s[p] != f.token || p + 1 >= s.size() || !IsDigit(s[p + 1]))
        FatalAt(diag, f.invalid);
      size_t end = p + 1;
      while (end < s.size() && IsDigit(s[end])) ++end;
      if (end >= s.size() || s[end] != ')') FatalAt(diag, kMsgRefRightParen);
      s.erase(end, 1);
      s.erase(pos, p - pos);
    }
  }
}

void TokenizeWords(std::string& s, bool com) {
  for (const WordToken& w : kListWords) ReplaceWholeWords(s, w.word, std::string_view(&w.token, 1));
  for (size_t pos = FindWholeWord(s, kEachWord); pos != std::string::npos;
       pos = FindWholeWord(s, kEachWord, pos + 1)) {
    size_t end = pos + kEachWord.size();
    if (std::string_view(s).substr(end, kEachList.size()) == kEachList) end += kEachList.size();
    s.replace(pos, end - pos, std::string(1, kTokEach) + std::string(kEachList));
  }
  if (com) ReplaceWholeWords(s, kComWord, std::string_view(&kTokCom, 1));
}

// The offset of a statement and its insert mark, as text for the program.
struct Offset {
  bool present = false;
  std::string text;  // the expression
  bool insert = false;
};

// An offset in brackets at `open`: the expression text; reports a missing "]".
std::string_view Bracketed(Diagnostics& diag, std::string_view s, size_t open, size_t& end) {
  size_t close = MatchingClose(s, open, '[', ']');
  if (close == std::string_view::npos) FatalAt(diag, kMsgShiftBracket);
  end = close + 1;
  return s.substr(open + 1, close - open - 1);
}

void SetOffset(Offset& offset, std::string text) {
  offset.present = true;
  offset.text = std::move(text);
}

void CheckNoFurtherArrow(Diagnostics& diag, std::string_view s, size_t pos) {
  while (pos < s.size() && s[pos] == ' ') ++pos;
  if (pos < s.size() && (s[pos] == '<' || s[pos] == '>')) FatalAt(diag, kMsgTooManyArrows);
}

// Leading arrows of the words: "<" .. "<<<<", "<[n]", "<-[n]", ">[n]".
void TakeLeadingArrows(Diagnostics& diag, std::string_view& words, Offset& offset) {
  if (words.empty()) return;
  size_t pos = 0;
  if (words[0] == '<') {
    size_t k = 0;
    while (k < words.size() && words[k] == '<') ++k;
    if (k > kMaxArrows) FatalAt(diag, kMsgTooManyArrows);
    pos = k;
    if (k == 1 && (words.substr(1, 1) == "[" || words.substr(1, 2) == "-[")) {
      // "<[" is "[-", "<[-" is "[", and "<-[" inserts.
      offset.insert = words[1] == '-';
      std::string_view inner = Bracketed(diag, words, offset.insert ? 2 : 1, pos);
      SetOffset(offset, inner.substr(0, 1) == "-" ? std::string(inner.substr(1))
                                                  : "-" + std::string(inner));
    } else {
      SetOffset(offset, "-" + std::to_string(k));
    }
  } else if (words.substr(0, 2) == ">[") {
    SetOffset(offset, std::string(Bracketed(diag, words, 1, pos)));
  } else {
    return;
  }
  CheckNoFurtherArrow(diag, words, pos);
  words.remove_prefix(pos);
  Trim(words);
}

// Trailing arrows: ">" .. ">>>>" or ">[n]"; true when found, `w` then
// without them.
bool TakeTrailingArrows(Diagnostics& diag, std::string_view& w, Offset& offset) {
  size_t start = std::string_view::npos;
  if (!w.empty() && w.back() == ']') {
    size_t open = w.rfind('[');
    while (open != std::string_view::npos && MatchingClose(w, open, '[', ']') != w.size() - 1)
      open = open == 0 ? std::string_view::npos : w.rfind('[', open - 1);
    if (open == std::string_view::npos || open == 0 || w[open - 1] != '>') return false;
    start = open - 1;
    SetOffset(offset, std::string(w.substr(open + 1, w.size() - open - 2)));
  } else if (!w.empty() && w.back() == '>') {
    size_t k = 0;
    while (k < w.size() && w[w.size() - 1 - k] == '>') ++k;
    if (k > kMaxArrows) FatalAt(diag, kMsgTooManyArrows);
    start = w.size() - k;
    SetOffset(offset, std::to_string(k));
  } else {
    return false;
  }
  if (start > 0 && (w[start - 1] == '<' || w[start - 1] == '>')) FatalAt(diag, kMsgTooManyArrows);
  w = w.substr(0, start);
  Trim(w);
  return true;
}

// The arrows around the words, and a "-" that ends the statement of an
// offset statement: insert.
void TakeArrows(Diagnostics& diag, std::string_view& words, Offset& offset) {
  if (!offset.present) TakeLeadingArrows(diag, words, offset);
  std::string_view w = words;
  bool minus = !w.empty() && w.back() == '-';
  if (minus) {
    w.remove_suffix(1);
    Trim(w);
  }
  bool took = !offset.present && TakeTrailingArrows(diag, w, offset);
  if (took || (minus && offset.present)) {
    words = w;
    if (minus) offset.insert = true;
  }
}

void AppendOffset(std::string& out, const Offset& offset) {
  if (!offset.present) return;
  out += '[';
  out += offset.text;
  out += ']';
  if (offset.insert) out += '-';
}

// Steps over a token and the byte that belongs to it (a function class and
// its code, "." and its attribute), so that a code byte is not taken for a
// keyword.
size_t NextToken(std::string_view s, size_t i) {
  char c = s[i];
  bool pair = c == kTokNumFunc || c == kTokStrFunc || c == kTokProc || c == kTokDialogProc || c == '.';
  return pair && i + 1 < s.size() ? i + 2 : i + 1;
}

// O: after its keyword: flags, offset, WITH/BIND/EACH, words.
std::string RewriteOutput(Diagnostics& diag, std::string_view rest) {
  Trim(rest);
  size_t pos = 0;
  while (pos < rest.size() && (rest[pos] == ':' || rest[pos] == '|' || rest[pos] == '!' ||
                               rest[pos] == '?' || rest[pos] == ' '))
    ++pos;
  std::string flags;
  for (char c : rest.substr(0, pos))
    if (c != ' ') flags += c;

  Offset offset;
  if (pos < rest.size() && rest[pos] == '[') {
    SetOffset(offset, std::string(Bracketed(diag, rest, pos, pos)));
    if (pos < rest.size() && rest[pos] == '-') offset.insert = true, ++pos;
  }
  while (pos < rest.size() && rest[pos] == ' ') ++pos;

  // A trigger keyword stands right after the flags and the offset.
  std::string trigger;
  std::string_view words = rest.substr(pos);
  char first = words.empty() ? '\0' : words[0];
  if (first == kTokWith || first == kTokBind) {
    if (words.find(')') == std::string_view::npos) FatalAt(diag, kMsgInvalidWithBind);
    size_t end = 1;
    if (words.size() > 1 && words[1] == '(') {
      size_t close = MatchingClose(words, 1, '(', ')');
      if (close != std::string_view::npos) end = close + 1;
    }
    trigger = std::string(words.substr(0, end));
    words.remove_prefix(end);
  } else if (first == kTokEach) {
    trigger = std::string(words.substr(0, 1 + kEachList.size()));
    words.remove_prefix(trigger.size());
  }
  for (size_t i = 0; i < words.size(); i = NextToken(words, i)) {
    char c = words[i];
    if (c == kTokWith || c == kTokBind || c == kTokWithBind) FatalAt(diag, kMsgInvalidWithBind);
    if (c == kTokEach) FatalAt(diag, kMsgInvalidEach);
  }
  Trim(words);
  TakeArrows(diag, words, offset);

  std::string out = flags;
  AppendOffset(out, offset);
  out += trigger;
  out += words;
  return out;
}

// The companion statements take an offset only to refuse it at run time.
std::string RewriteCompanion(Diagnostics& diag, std::string_view rest) {
  Trim(rest);
  Offset offset;
  size_t pos = 0;
  if (!rest.empty() && rest[0] == '[') {
    SetOffset(offset, std::string(Bracketed(diag, rest, 0, pos)));
    if (pos < rest.size() && rest[pos] == '-') offset.insert = true, ++pos;
  }
  std::string_view words = rest.substr(pos);
  Trim(words);
  TakeArrows(diag, words, offset);
  std::string out;
  AppendOffset(out, offset);
  out += words;
  return out;
}

bool StartsWithKeyword(std::string_view s, std::string_view keyword) {
  return s.substr(0, keyword.size()) == keyword;
}

}  // namespace

void RewriteOutputStatement(Diagnostics& diag, std::string& s) {
  RewriteReferenceForms(diag, s);

  const StatementKeyword* keyword = nullptr;
  for (const StatementKeyword& k : kKeywords)
    if (StartsWithKeyword(s, k.text)) keyword = &k;
  size_t body = keyword ? keyword->text.size() : 0;
  for (const SingleStatement& single : kSingles)
    if (FindWholeWord(s, single.text, body) != std::string::npos) FatalAt(diag, single.message);
  if (!keyword) return;

  std::string rest = s.substr(body);
  while (!rest.empty() && rest.front() == ' ') rest.erase(0, 1);
  TokenizeWords(rest, keyword->family == Family::kOutput || keyword->family == Family::kReplace);
  std::string out(1, keyword->token);
  if (keyword->second) out += keyword->second;
  switch (keyword->family) {
    case Family::kOutput: out += RewriteOutput(diag, rest); break;
    case Family::kReplace: out += rest; break;
    default: out += RewriteCompanion(diag, rest); break;
  }
  s = std::move(out);
}

void OutputStatementHook(Diagnostics& diag, std::vector<std::string>& statements) {
  for (std::string& s : statements) RewriteOutputStatement(diag, s);
}

}  // namespace tornel
