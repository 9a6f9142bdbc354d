#include "tornel/compiler/program_dump.h"

#include <algorithm>
#include <utility>

#include "tornel/compiler/location_prefix.h"
#include "tornel/compiler/tokens.h"

namespace tornel {

namespace {

// Names of the tokens that stand alone (no number, no second byte).
const char* SingleTokenName(unsigned char c) {
  switch (c) {
    case TokenValue(kTokFuncStart): return "FUNC";
    case TokenValue(kTokFuncEnd): return "END FUNC";
    case TokenValue(kTokReturn): return "RETURN";
    case TokenValue(kTokMainStart): return "MAIN";
    case TokenValue(kTokMainEnd): return "END MAIN";
    case TokenValue(kTokOutput): return "O:";
    case TokenValue(kTokSet): return "SET:";
    case TokenValue(kTokClr): return "CLR:";
    case TokenValue(kTokEnable): return "enable:";
    case TokenValue(kTokDisable): return "disable:";
    case TokenValue(kTokDirect): return "direct:";
    case TokenValue(kTokSwap): return "swap:";
    case TokenValue(kTokRevert): return "revert:";
    case TokenValue(kTokWith): return "with";
    case TokenValue(kTokBind): return "bind";
    case TokenValue(kTokEach): return "each";
    case TokenValue(kTokAll): return "all";
    case TokenValue(kTokWithBind): return "with_bind";
    case TokenValue(kTokPrefixNo): return "NO:";
    case TokenValue(kTokPrefixMinus): return "-O:";
    case TokenValue(kTokPrefixSlash): return "/O:";
    case TokenValue(kTokWordSep): return "_";
    case TokenValue(kTokCom): return "com";
    case TokenValue(kTokCondition): return "test";
    case TokenValue(kTokAnd): return "and";
    case TokenValue(kTokOr): return "or";
    case TokenValue(kTokEqual): return "==";
    case TokenValue(kTokNotEqual): return "<>";
    case TokenValue(kTokGreaterEqual): return ">=";
    case TokenValue(kTokLessEqual): return "<=";
    default: return nullptr;
  }
}

// Tokens followed by a decimal number.
const char* NumberedTokenName(unsigned char c) {
  switch (c) {
    case TokenValue(kTokIntVar): return "int ";
    case TokenValue(kTokRealVar): return "real ";
    case TokenValue(kTokStringRef): return "str ";
    case TokenValue(kTokAddress): return "addr ";
    case TokenValue(kTokModalGroup): return "group ";
    case TokenValue(kTokJump): return "jump L";
    case TokenValue(kTokJumpIfFalse): return "jump-if-false L";
    case TokenValue(kTokJumpIfTrue): return "jump-if-true L";
    case TokenValue(kTokLabelLine): return "label L";
    default: return nullptr;
  }
}

const char* AttributeName(unsigned char c) {
  static constexpr const char* kNames[] = {
      "enable",      "order",       "prefix", "suffix",  "sign",  "decpoint", "leadzero",
      "trailzero",   "numsbef",     "numsaft", "numsbefinch", "numsaftinch", "space",
      "inczero",     "modal",       "inc",    "from",    "direct", "scale",   "trans",
      "val",         "valrnd",      "valstr", "selnum",  "selstr"};
  unsigned first = TokenValue(kTokAttrEnable);
  if (c < first || c > TokenValue(kTokAttrSelStr)) return nullptr;
  return kNames[c - first];
}

// The name of a function reference: the class byte and the byte after it.
std::string FunctionName(unsigned char cls, unsigned char kind, bool& has_offset) {
  has_offset = true;
  if (cls == TokenValue(kTokNumFunc) && kind == TokenValue(kTokFuncUser)) return "int-func ";
  if (cls == TokenValue(kTokNumFunc) && kind == TokenValue(kTokFuncUserReal)) return "real-func ";
  if (cls == TokenValue(kTokStrFunc) && kind == TokenValue(kTokFuncUser)) return "str-func ";
  if (cls == TokenValue(kTokProc)) {
    if (kind == TokenValue(kTokFuncUser)) return "void-func ";
    if (kind == TokenValue(kTokFuncOnApt)) return "onapt-func ";
    if (kind == TokenValue(kTokFuncOnAddr)) return "onaddr-func ";
    if (kind == TokenValue(kTokFuncOnAddrOut)) return "onaddrout-func ";
    if (kind == TokenValue(kTokFuncPost)) return "post-func ";
  }
  has_offset = false;
  static constexpr const char* kBuiltinClass[] = {"num-builtin ", "str-builtin ", "proc-builtin ",
                                                  "dialog-builtin "};
  return kBuiltinClass[cls - TokenValue(kTokNumFunc)] + std::to_string(kind);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Digits at `i` (and an array size after '|'), moving `i` past them.
std::string TakeNumber(std::string_view s, size_t& i, bool allow_size) {
  size_t start = i;
  while (i < s.size() && IsDigit(s[i])) ++i;
  if (allow_size && i + 1 < s.size() && s[i] == '|' && IsDigit(s[i + 1])) {
    ++i;
    while (i < s.size() && IsDigit(s[i])) ++i;
  }
  return std::string(s.substr(start, i - start));
}

}  // namespace

std::string ReadableTokens(std::string_view s) {
  std::string out;
  for (size_t i = 0; i < s.size();) {
    unsigned char c = TokenValue(s[i]);
    if (c == '.' && i + 1 < s.size()) {
      if (const char* attr = AttributeName(TokenValue(s[i + 1]))) {
        out += "{.";
        out += attr;
        out += '}';
        i += 2;
        continue;
      }
    }
    if (c >= 32 && c < 127) {
      out += static_cast<char>(c);
      ++i;
      continue;
    }
    ++i;
    out += '{';
    if (const char* name = SingleTokenName(c)) {
      out += name;
    } else if (const char* numbered = NumberedTokenName(c)) {
      bool is_var = c == TokenValue(kTokIntVar) || c == TokenValue(kTokRealVar) ||
                    c == TokenValue(kTokStringRef);
      out += numbered;
      out += TakeNumber(s, i, is_var);
    } else if (c >= TokenValue(kTokNumFunc) && c <= TokenValue(kTokDialogProc) && i < s.size()) {
      bool has_offset = false;
      out += FunctionName(c, TokenValue(s[i++]), has_offset);
      if (has_offset) out += TakeNumber(s, i, false);
    } else if (c == TokenValue(kTokReplace) && i < s.size() &&
               (s[i] == kTokReplaceText || s[i] == kTokReplaceWord || s[i] == kTokReplaceAddr)) {
      out += s[i] == kTokReplaceText ? "replace:" : s[i] == kTokReplaceWord ? "repword:" : "repaddr:";
      ++i;
    } else {
      out += "byte ";
      out += std::to_string(c);
    }
    out += '}';
  }
  return out;
}

std::string DumpProgram(const Diagnostics& diag, const LoadedProgram& program) {
  std::string_view bytes = program.bytes;
  std::vector<std::pair<int32_t, size_t>> placed;  // position, label
  std::vector<size_t> unplaced;
  for (size_t n = 0; n < program.labels.size(); ++n) {
    if (program.labels[n] == kLabelNotPlaced)
      unplaced.push_back(n);
    else
      placed.push_back({program.labels[n], n});
  }
  std::sort(placed.begin(), placed.end());

  std::string out = "program: " + std::to_string(bytes.size()) + " bytes, " +
                    std::to_string(program.labels.size()) + " labels\n";
  size_t width = std::to_string(bytes.size()).size();
  // A file number without an include list entry is shown as a number, not
  // as the last entry that a report would fall back on.
  int include_count =
      static_cast<int>(std::count(diag.include_list.begin(), diag.include_list.end(), '\n'));
  auto next_label = placed.begin();
  auto labels_up_to = [&](size_t pos) {
    for (; next_label != placed.end() && static_cast<size_t>(next_label->first) <= pos; ++next_label)
      out += "L" + std::to_string(next_label->second) + ":\n";
  };

  for (size_t start = 0; start < bytes.size();) {
    labels_up_to(start);
    size_t end = bytes.find(kTokLineEnd, start);
    if (end == std::string_view::npos) end = bytes.size();
    std::string_view record = bytes.substr(start, end - start);
    std::string pos = std::to_string(start);
    out += std::string(width + 2 - pos.size(), ' ') + pos + "  ";
    Location loc;
    std::string_view statement;
    if (SplitLocation(record, loc, statement)) {
      std::string name = loc.file <= include_count ? LocationFileName(diag, loc.file)
                                                   : "file " + std::to_string(loc.file);
      out += name + ":" + std::to_string(loc.line) + "  " + ReadableTokens(statement);
    } else {
      out += "(no location)  " + ReadableTokens(record);
    }
    out += '\n';
    start = end + 1;
  }
  labels_up_to(std::string::npos);  // at the end, and any beyond it
  for (size_t n : unplaced) out += "L" + std::to_string(n) + ": not placed\n";
  return out;
}

}  // namespace tornel
