#include "tornel/compiler/declarations_pass.h"

#include <algorithm>
#include <cassert>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "tornel/compiler/function_header.h"
#include "tornel/compiler/location_prefix.h"
#include "tornel/compiler/preprocessor.h"
#include "tornel/compiler/statement_keywords.h"
#include "tornel/compiler/tokens.h"
#include "tornel/compiler/variable_declarations.h"
#include "tornel/compiler/words.h"

namespace tornel {

namespace {

constexpr std::string_view kFuncKeyword = "func";

// Replaces every whole name of `text` (a maximal run of name characters)
// for which `lookup` gives a reference.  A reference ends in digits and the
// character after a whole name is none, so a replacement never makes a new
// name: one scan does what replacing the names one after the other would.
template <class Lookup>
void ReplaceNames(std::string& text, Lookup lookup) {
  size_t i = 0;
  while (i < text.size()) {
    if (!IsNameChar(text[i])) {
      ++i;
      continue;
    }
    size_t end = i;
    while (end < text.size() && IsNameChar(text[end])) ++end;
    const std::string* ref = lookup(std::string_view(text).substr(i, end - i));
    if (ref) {
      text.replace(i, end - i, *ref);
      i += ref->size();
    } else {
      i = end;
    }
  }
}

// Applies `edit` to the statement of a record; other lines stay.
template <class Edit>
void EditStatement(std::string& line, Edit edit) {
  Location loc;
  std::string_view statement;
  if (!SplitLocation(line, loc, statement)) return;
  size_t start = line.size() - statement.size();
  std::string text(statement);
  edit(text);
  line.replace(start, std::string::npos, text);
}

std::string FunctionReference(FunctionKind kind, int offset) {
  static constexpr char kBytes[][2] = {
      {kTokNumFunc, kTokFuncUser},   {kTokNumFunc, kTokFuncUserReal}, {kTokStrFunc, kTokFuncUser},
      {kTokProc, kTokFuncUser},      {kTokProc, kTokFuncPost},        {kTokProc, kTokFuncOnApt},
      {kTokProc, kTokFuncOnAddr},    {kTokProc, kTokFuncOnAddrOut}};
  const char* bytes = kBytes[static_cast<int>(kind)];
  return std::string(bytes, 2) + std::to_string(offset);
}

char ParamKind(VarType type, bool in_out) {
  static constexpr char kByValue[kVarTypes] = {kTokIntVar, kTokRealVar, kTokStringRef};
  static constexpr char kInOut[kVarTypes] = {kTokInOutInt, kTokInOutReal, kTokInOutString};
  return (in_out ? kInOut : kByValue)[static_cast<int>(type)];
}

struct DeclarationsState {
  Diagnostics& diag;
  CompilerState& compiler;
  VariableTable& variables;
  PostFunctionTable& post_functions;

  int file = -1;
  bool in_main = false;
  bool in_function = false;
  bool in_variable_block = false;

  std::unordered_set<std::string> file_variables{};  // globals declared in the current file
  // The function list: the name of a user or post function, or the kind and
  // bracket text of an event function, and the reference calls are given.
  std::unordered_map<std::string, std::string> functions{};
  std::unordered_set<std::string> file_functions{};  // keys defined in the current file
  LocalVariables locals{};

  // The function being compiled: its descriptor so far, and where it goes
  // (-1 for a later file's definition of a function it doesn't replace).
  std::vector<int32_t> descriptor{};
  int descriptor_offset = -1;

  std::vector<std::string> out{};
};

std::string Line(Location loc, char token) { return WithLocation(loc, std::string_view(&token, 1)); }

std::string LabelLine(int label) { return kTokLabelLine + std::to_string(label); }

// The function list key and the message for a second definition in one file.
std::string FunctionKey(const FunctionHeader& h) {
  switch (h.kind) {
    case FunctionKind::kOnApt: return "onapt[" + h.target + "]";
    case FunctionKind::kOnAddr: return "onaddr[" + h.target + "]";
    case FunctionKind::kOnAddrOut: return "onaddrout[" + h.target + "]";
    default: return h.name;
  }
}

[[noreturn]] void ReportRedefinition(Diagnostics& diag, const FunctionHeader& h) {
  switch (h.kind) {
    case FunctionKind::kPost:
      FatalAt(diag, FormatMessage(kMsgPostFunctionDefined, {PostFunctionName(h.post_number)}));
    case FunctionKind::kOnApt: FatalAt(diag, FormatMessage(kMsgOnAptDefined, {h.target}));
    case FunctionKind::kOnAddr: FatalAt(diag, FormatMessage(kMsgOnAddrDefined, {h.target}));
    case FunctionKind::kOnAddrOut: FatalAt(diag, FormatMessage(kMsgOnAddrOutDefined, {h.target}));
    default: FatalAt(diag, FormatMessage(kMsgUserFunctionDefined, {h.name}));
  }
}

void StartFunction(DeclarationsState& s, Location loc, std::string_view statement) {
  Diagnostics& diag = s.diag;
  if (statement.substr(0, kFuncKeyword.size()) != kFuncKeyword ||
      FindWholeWord(statement, kFuncKeyword, 1) != std::string_view::npos)
    FatalAt(diag, FormatMessage(kMsgInvalidStatement, {"FUNC"}));
  if (s.in_main) FatalAt(diag, kMsgFunctionInMain);
  if (s.in_function) FatalAt(diag, kMsgFunctionInFunction);

  std::string_view header = statement.substr(kFuncKeyword.size());
  if (!header.empty() && header[0] == ' ') header.remove_prefix(1);
  int label = NewLabel(s.compiler);
  s.descriptor = {label,
                  0,
                  SlotsUsed(s.variables, VarType::kInteger),
                  0,
                  SlotsUsed(s.variables, VarType::kReal),
                  0,
                  SlotsUsed(s.variables, VarType::kString),
                  0};
  FunctionHeader h = ParseFunctionHeader(diag, header, [&](std::string_view name, bool in_out) {
    const LocalVariable& v = DefineLocalVariable(diag, s.variables, s.locals, name);
    s.descriptor.push_back(static_cast<unsigned char>(ParamKind(v.type, in_out)));
    s.descriptor.push_back(v.slot);
  });
  int params = static_cast<int>(s.descriptor.size() - kDescParams) / kDescParamSize;
  bool hooks_address = h.kind == FunctionKind::kOnAddr || h.kind == FunctionKind::kOnAddrOut;
  s.descriptor[kDescParamCount] = hooks_address ? loc.line : params;
  if (h.kind == FunctionKind::kPost) DefinePostFunction(s.post_functions, h.post_number, label);

  std::string key = FunctionKey(h);
  if (!s.file_functions.insert(key).second) ReportRedefinition(diag, h);
  s.descriptor_offset = -1;
  if (!s.functions.count(key)) {
    FunctionTables& tables = s.compiler.functions;
    s.descriptor_offset = ReserveDescriptor(diag, tables, params);
    s.functions.emplace(std::move(key), FunctionReference(h.kind, s.descriptor_offset));
    if (h.kind == FunctionKind::kOnApt) AddOnApt(diag, tables, label, h.target);
    if (hooks_address)
      tables.address_hooks.push_back(
          {h.kind == FunctionKind::kOnAddrOut, h.target, s.descriptor_offset, loc});
  }
  s.in_function = true;
  s.out.push_back(Line(loc, kTokFuncStart));
  s.out.push_back(LabelLine(label));
}

void EndFunction(DeclarationsState& s, Location loc) {
  s.descriptor[kDescIntEnd] = SlotsUsed(s.variables, VarType::kInteger);
  s.descriptor[kDescRealEnd] = SlotsUsed(s.variables, VarType::kReal);
  s.descriptor[kDescStringEnd] = SlotsUsed(s.variables, VarType::kString);
  if (s.descriptor_offset >= 0) {
    std::copy(s.descriptor.begin(), s.descriptor.end(),
              s.compiler.functions.descriptors.begin() + s.descriptor_offset);
  }
  s.locals = LocalVariables{};
  s.in_function = false;
  s.out.push_back(Line(loc, kTokFuncEnd));
}

void DefineVariableLine(DeclarationsState& s, std::string_view text) {
  CheckVariablePrefix(s.diag, text, s.in_function);
  if (s.in_function)
    DefineLocalVariable(s.diag, s.variables, s.locals, text);
  else
    DefineGlobalVariable(s.diag, s.variables, s.file_variables, text, s.file);
}

void CompileLine(DeclarationsState& s, Location loc, std::string statement) {
  Diagnostics& diag = s.diag;
  if (s.in_variable_block) {
    if (statement == "end")
      s.in_variable_block = false;
    else
      DefineVariableLine(s, statement);
    return;
  }
  ReplaceWholeWords(statement, "end main", "end_main");
  ReplaceWholeWords(statement, "end func", "end_func");

  if (IsLoneStatement(diag, statement, "main", "MAIN")) {
    if (s.in_main) FatalAt(diag, kMsgMainInMain);
    if (s.in_function) FatalAt(diag, kMsgMainInFunction);
    s.in_main = true;
    s.out.push_back(Line(loc, kTokMainStart));
  } else if (IsLoneStatement(diag, statement, "end_main", "END MAIN")) {
    if (!s.in_main) FatalAt(diag, kMsgEndMainAlone);
    s.in_main = false;
    s.out.push_back(Line(loc, kTokMainEnd));
  } else if (FindWholeWord(statement, kFuncKeyword) != std::string::npos) {
    StartFunction(s, loc, statement);
  } else if (IsLoneStatement(diag, statement, "end_func", "END FUNC")) {
    if (!s.in_function) FatalAt(diag, kMsgEndFuncAlone);
    EndFunction(s, loc);
  } else if (IsLoneStatement(diag, statement, "variable", "VARIABLE")) {
    if (!s.in_main && !s.in_function) FatalAt(diag, kMsgVariableOutside);
    s.in_variable_block = true;
  } else {
    if (!s.in_main && !s.in_function) FatalAt(diag, kMsgCodeOutside);
    if (s.in_function) {
      ReplaceNames(statement, [&](std::string_view name) -> const std::string* {
        auto it = s.locals.by_name.find(std::string(name));
        return it == s.locals.by_name.end() ? nullptr : &s.locals.list[it->second].reference;
      });
    }
    s.out.push_back(WithLocation(loc, statement));
  }
}

// Every global variable name (system variables included), then every
// function name, replaced on every line.
void ReplaceGlobalNames(DeclarationsState& s) {
  std::string key;
  std::string ref;
  auto lookup = [&](std::string_view name) -> const std::string* {
    key.assign(name);
    if (auto v = s.variables.by_name.find(key); v != s.variables.by_name.end()) {
      ref = VariableReference(s.variables.entries[v->second]);
      return &ref;
    }
    auto f = s.functions.find(key);
    return f == s.functions.end() ? nullptr : &f->second;
  };
  for (std::string& line : s.out)
    EditStatement(line, [&](std::string& text) { ReplaceNames(text, lookup); });
}

}  // namespace

std::vector<std::string> DeclarationsPass(Diagnostics& diag, CompilerState& compiler,
                                          VariableTable& variables,
                                          PostFunctionTable& post_functions,
                                          const std::vector<std::string>& lines) {
  // The literals take the string slots right behind the system strings, the
  // numbers the preprocessor gave them.
  compiler.string_literals = static_cast<int>(TextCount(compiler.stacks, kStringLiteralRow));
  int first = AllocateSlots(variables, VarType::kString, compiler.string_literals);
  if (first < 0) ReportTooManyVariables(diag);
  assert(compiler.string_literals == 0 || first == variables.system_string_slots);
  compiler.first_literal = compiler.string_literals == 0 ? variables.system_string_slots : first;

  DeclarationsState s{diag, compiler, variables, post_functions};
  s.out.reserve(lines.size() + lines.size() / 8);
  for (const std::string& line : lines) {
    Location loc;
    std::string_view statement;
    if (!SplitLocation(line, loc, statement)) {
      s.out.push_back(line);
      continue;
    }
    diag.loc = loc;
    if (loc.file != s.file) {
      s.file = loc.file;
      s.file_variables.clear();
      s.file_functions.clear();
    }
    CompileLine(s, loc, std::string(statement));
  }
  if (s.in_main) FatalAt(diag, kMsgMainNotEnded);
  if (s.in_function) FatalAt(diag, kMsgFunctionNotEnded);

  ReplaceGlobalNames(s);
  return std::move(s.out);
}

}  // namespace tornel
