#include "tornel/interp/arguments.h"

#include "tornel/compiler/tokens.h"
#include "tornel/interp/expression.h"
#include "tornel/interp/token_reader.h"

namespace tornel {

namespace {

[[noreturn]] void Refuse(Interp& in, const char* message, int number) {
  FatalAt(in.diag, FormatMessage(message, {std::to_string(number), in.st.func_name}));
}

// Step 1: "(" before the first argument, "," before every other.
void OpenArgument(Interp& in, int k) {
  if (k == 1) {
    ReadToken(in);
    if (in.st.tok.code != '(')
      FatalAt(in.diag, FormatMessage(kMsgArgLeftParen, {in.st.func_name}));
  } else if (in.st.tok.code != ',') {
    Refuse(in, kMsgArgMissing, k);
  }
}

bool KindTakes(VariableKind kind, char type) {
  switch (kind) {
    case VariableKind::kNumeric: return type == kTokIntVar || type == kTokRealVar;
    case VariableKind::kInteger: return type == kTokIntVar;
    case VariableKind::kReal: return type == kTokRealVar;
    case VariableKind::kString: return type == kTokStringRef;
    case VariableKind::kAny:
      return type == kTokIntVar || type == kTokRealVar || type == kTokStringRef;
  }
  return false;
}

const char* KindMessage(VariableKind kind) {
  switch (kind) {
    case VariableKind::kNumeric: return kMsgArgNumericVariable;
    case VariableKind::kInteger: return kMsgArgIntVariable;
    case VariableKind::kReal: return kMsgArgRealVariable;
    case VariableKind::kString: return kMsgArgStringVariable;
    case VariableKind::kAny: return kMsgArgNoVariable;
  }
  return kMsgArgNumericVariable;
}

}  // namespace

void CloseArguments(Interp& in, int n) {
  if (in.st.tok.code == ',') Refuse(in, kMsgArgTooMany, n);
  if (in.st.tok.code != ')')
    FatalAt(in.diag, FormatMessage(kMsgArgRightParen, {in.st.func_name}));
}

double FetchNumber(Interp& in, int k, int n) {
  OpenArgument(in, k);
  double v = Evaluate(in);
  if (in.st.type != kTypeNumber) Refuse(in, kMsgArgWrongType, k);
  if (k == n) CloseArguments(in, n);
  return v;
}

const std::string& FetchString(Interp& in, int k, int n) {
  OpenArgument(in, k);
  Evaluate(in);
  if (in.st.type != kTypeString) Refuse(in, kMsgArgWrongType, k);
  if (k == n) CloseArguments(in, n);
  return in.st.str;
}

bool FetchAny(Interp& in, int k, int n, double& number, std::string& text) {
  OpenArgument(in, k);
  double v = Evaluate(in);
  bool is_number = in.st.type == kTypeNumber;
  if (is_number) number = v;
  else text = in.st.str;
  if (k == n) CloseArguments(in, n);
  return is_number;
}

VarRef FetchVariable(Interp& in, int k, int n, VariableKind kind) {
  OpenArgument(in, k);
  ReadToken(in);
  InterpState& s = in.st;
  auto type = static_cast<char>(s.tok.code);
  if (!KindTakes(kind, type)) Refuse(in, KindMessage(kind), k);
  // A quoted text is a string table entry too, but no variable.
  if (kind == VariableKind::kString && s.var_index >= s.literal_first &&
      s.var_index < s.literal_end)
    Refuse(in, kMsgArgStringVariable, k);
  VarRef var{type, AccessVariable(in)};
  ReadToken(in);
  if (k == n) CloseArguments(in, n);
  return var;
}

MarkedVar FetchMarkedVariable(Interp& in, int k, int n, VariableKind kind) {
  OpenArgument(in, k);
  ReadToken(in);
  InterpState& s = in.st;
  auto type = static_cast<char>(s.tok.code);
  bool literal = type == kTokStringRef && s.var_index >= s.literal_first && s.var_index < s.literal_end;
  if (kind == VariableKind::kAny && (!KindTakes(kind, type) || literal))
    FatalAt(in.diag, FormatMessage(kMsgArgNoVariable, {s.func_name}));
  if (!KindTakes(kind, type)) Refuse(in, KindMessage(kind), k);
  if (kind == VariableKind::kString && literal) Refuse(in, kMsgArgStringVariable, k);
  MarkedVar marked{{type, AccessVariable(in)}, 0};
  ReadToken(in);
  if (s.tok.code == '!' || s.tok.code == '?') {
    marked.mark = static_cast<char>(s.tok.code);
    ReadToken(in);
  }
  if (k == n) CloseArguments(in, n);
  return marked;
}

double NumericValue(const Interp& in, VarRef var) {
  size_t i = static_cast<size_t>(var.index);
  return var.type == kTokIntVar ? in.values.ints[i] : in.values.reals[i];
}

}  // namespace tornel
