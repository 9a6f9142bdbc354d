#include "tornel/compiler/function_header.h"

#include "tornel/compiler/function_table.h"
#include "tornel/compiler/post_functions.h"
#include "tornel/compiler/variable_declarations.h"
#include "tornel/compiler/words.h"

namespace tornel {

namespace {

// The messages that differ only by the event function's kind.
struct EventMessages {
  std::string_view keyword;
  const char* left_bracket;
  const char* not_address;  // OnAddr and OnAddrOut only
  const char* no_target;
  const char* right_bracket;
};

constexpr EventMessages kOnAptMessages{
    "onapt", "Left bracket [ is missing from OnAPT-function definition in", nullptr,
    kMsgNoAptCommand, "Right bracket ] is missing from OnAPT function definition in"};
constexpr EventMessages kOnAddrMessages{
    "onaddr", "Left bracket [ is missing from OnAddr-function definition in",
    "Parameter must be address in OnAddr-function definition.\n"
    "Wrong type OnAddr-function parameter in",
    "No Address specified in OnAddr function in",
    "Right bracket ] is missing from OnAddr function definition in"};
constexpr EventMessages kOnAddrOutMessages{
    "onaddrout", "Left bracket [ is missing from OnAddrOut-function definition in",
    "Parameter must be address in OnAddrOut-function definition.\n"
    "Wrong type OnAddrOut-function parameter in",
    "No Address specified in OnAddrOut function in",
    "Right bracket ] is missing from OnAddrOut function definition in"};

const EventMessages& MessagesOf(FunctionKind kind) {
  return kind == FunctionKind::kOnApt    ? kOnAptMessages
         : kind == FunctionKind::kOnAddr ? kOnAddrMessages
                                         : kOnAddrOutMessages;
}

bool StartsWithWord(std::string_view text, std::string_view word) {
  return text.substr(0, word.size()) == word &&
         (text.size() == word.size() || !IsNameChar(text[word.size()]));
}

bool AllNameChars(std::string_view text) {
  for (char c : text)
    if (!IsNameChar(c)) return false;
  return !text.empty();
}

size_t NameRunEnd(std::string_view text, size_t from) {
  while (from < text.size() && IsNameChar(text[from])) ++from;
  return from;
}

// Step 1: the kind, from the name's first letters, the post function names
// and the event keywords.
FunctionKind KindOf(Diagnostics& diag, std::string_view header, std::string_view name,
                    int& post_number) {
  if (header.size() >= 2 && header[0] == 'f') {
    switch (header[1]) {
      case 'i': return FunctionKind::kInt;
      case 'r': return FunctionKind::kReal;
      case 's': return FunctionKind::kString;
      case 'v': return FunctionKind::kVoid;
      default: break;
    }
  }
  post_number = PostFunctionNumber(name);
  if (post_number != kNotAPostFunction) return FunctionKind::kPost;
  for (FunctionKind kind : {FunctionKind::kOnApt, FunctionKind::kOnAddr, FunctionKind::kOnAddrOut}) {
    const EventMessages& m = MessagesOf(kind);
    if (!StartsWithWord(header, m.keyword)) continue;
    size_t bracket = m.keyword.size();
    if (bracket >= header.size() || header[bracket] != '[') FatalAt(diag, m.left_bracket);
    if (m.not_address && (bracket + 1 >= header.size() || header[bracket + 1] != '_'))
      FatalAt(diag, m.not_address);
    return kind;
  }
  FatalAt(diag, kMsgInvalidFunctionDefinition);
}

// Step 2: the parameters between the parentheses, comma-separated.
void ParseParams(Diagnostics& diag, std::string_view header, size_t open, const ParamSink& define) {
  if (open == std::string_view::npos) {
    if (header.find(')') != std::string_view::npos) FatalAt(diag, kMsgLeftParenMissing);
    return;
  }
  if (header.back() != ')') FatalAt(diag, kMsgRightParenMissing);
  std::string_view list = header.substr(open + 1, header.size() - open - 2);
  if (list.empty()) return;  // fvx() has no parameters
  for (;;) {
    size_t comma = list.find(',');
    std::string_view param = list.substr(0, comma);
    bool in_out = !param.empty() && param[0] == '!';
    if (in_out) param.remove_prefix(1);
    if (param.empty() || param[0] != 'l') FatalAt(diag, kMsgParamNotLocal);
    if (param.size() < 2 || (param[1] != 'i' && param[1] != 'r' && param[1] != 's'))
      FatalAt(diag, kMsgInvalidVariable);
    if (param.find('[') != std::string_view::npos) FatalAt(diag, kMsgArrayParam);
    define(param, in_out);
    if (comma == std::string_view::npos) break;
    list.remove_prefix(comma + 1);
  }
}

// Step 3: the command or address between the brackets; gives the position
// after the closing bracket.
size_t ParseTarget(Diagnostics& diag, FunctionKind kind, std::string_view name, std::string& target) {
  const EventMessages& m = MessagesOf(kind);
  size_t first = m.keyword.size() + 1;  // after the '['
  size_t end = NameRunEnd(name, first);
  std::string_view text = name.substr(first, end - first);
  if (kind == FunctionKind::kOnApt) {
    if (text.empty()) FatalAt(diag, m.no_target);
    if (text.size() > kAptCommandLimit) FatalAt(diag, kMsgAptCommandTooLong);
  } else if (text.size() < 2) {  // the '_' alone
    FatalAt(diag, m.no_target);
  }
  if (end >= name.size() || name[end] != ']') FatalAt(diag, m.right_bracket);
  target = text;
  if (kind == FunctionKind::kOnApt)
    for (char& c : target)
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return end + 1;
}

}  // namespace

FunctionHeader ParseFunctionHeader(Diagnostics& diag, std::string_view header,
                                   const ParamSink& define) {
  FunctionHeader h;
  size_t open = header.find('(');
  std::string_view name = header.substr(0, open);
  h.kind = KindOf(diag, header, name, h.post_number);
  ParseParams(diag, header, open, define);

  bool event = h.kind == FunctionKind::kOnApt || h.kind == FunctionKind::kOnAddr ||
               h.kind == FunctionKind::kOnAddrOut;
  if (event) {
    // Step 4 for events: nothing between the ']' and the parameters.
    if (ParseTarget(diag, h.kind, name, h.target) != name.size()) FatalAt(diag, kMsgInvalidFunctionDefinition);
  } else {
    if (!AllNameChars(name)) FatalAt(diag, kMsgInvalidFunctionDefinition);
    h.name = name;
  }
  return h;
}

}  // namespace tornel
