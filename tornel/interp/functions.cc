#include "tornel/interp/functions.h"

#include <algorithm>

#include "tornel/compiler/tokens.h"
#include "tornel/interp/arguments.h"
#include "tornel/interp/expression.h"
#include "tornel/interp/statements.h"
#include "tornel/interp/token_reader.h"

namespace tornel {

namespace {

bool IsUserFunction(unsigned char cls, char kind) {
  if (cls == TokenValue(kTokNumFunc)) return kind == kTokFuncUser || kind == kTokFuncUserReal;
  if (cls == TokenValue(kTokStrFunc)) return kind == kTokFuncUser;
  if (cls == TokenValue(kTokProc)) return kind == kTokFuncUser || kind == kTokFuncPost;
  return false;
}

const char* DisplayName(unsigned char cls, char kind) {
  if (cls == TokenValue(kTokNumFunc)) return kind == kTokFuncUser ? kNameUserInt : kNameUserReal;
  if (cls == TokenValue(kTokStrFunc)) return kNameUserString;
  return kind == kTokFuncUser ? kNameUserVoid : kNamePostFunction;
}

// The arguments of one call, held in the reused argument storage while the
// call's remaining arguments are evaluated.
class ArgumentFrame {
 public:
  ArgumentFrame(InterpState& s, int n) : s_(s), base_(s.arg_top) {
    s.arg_top += static_cast<size_t>(n);
    if (s.arg_numbers.size() < s.arg_top) {
      s.arg_numbers.resize(s.arg_top);
      s.arg_strings.resize(s.arg_top);
      s.arg_refs.resize(s.arg_top);
    }
  }
  ~ArgumentFrame() { s_.arg_top = base_; }
  ArgumentFrame(const ArgumentFrame&) = delete;
  ArgumentFrame& operator=(const ArgumentFrame&) = delete;

  double& number(int k) { return s_.arg_numbers[base_ + static_cast<size_t>(k)]; }
  std::string& text(int k) { return s_.arg_strings[base_ + static_cast<size_t>(k)]; }
  VarRef& var(int k) { return s_.arg_refs[base_ + static_cast<size_t>(k)]; }

 private:
  InterpState& s_;
  size_t base_;
};

// The descriptor at `offset`.  The loader has checked every reference;
// this stays as the last guard, in 64 bits so that no sum overflows.
const int32_t* Descriptor(Interp& in, int offset) {
  const FunctionTables& f = in.functions;
  const int64_t end = f.descriptor_end;
  if (offset < 0 || int64_t{offset} + kDescParams > end) IllegalToken(in);
  const int32_t* d = f.descriptors.data() + offset;
  const int64_t params = d[kDescParamCount];
  if (params < 0 || int64_t{offset} + kDescParams + kDescParamSize * params > end)
    IllegalToken(in);
  return d;
}

void ClearLocals(ValueTables& t, const int32_t* d) {
  std::fill(t.ints.begin() + d[kDescIntFirst], t.ints.begin() + d[kDescIntEnd], 0);
  std::fill(t.reals.begin() + d[kDescRealFirst], t.reals.begin() + d[kDescRealEnd], 0.0);
  for (int i = d[kDescStringFirst]; i < d[kDescStringEnd]; ++i)
    t.strings[static_cast<size_t>(i)].clear();
}

// The user function whose kind byte stands at the position (its class
// token read).
double CallUserFunction(Interp& in, unsigned char cls, char kind) {
  NestingLevel level(in);
  InterpState& s = in.st;
  ValueTables& t = in.values;
  ++s.pos;
  const int32_t* d = Descriptor(in, ReadDecimal(in));
  const int n = d[kDescParamCount];
  const char* name = DisplayName(cls, kind);
  s.func_name = name;

  // Every argument is evaluated before the locals are touched.
  ArgumentFrame args(s, n);
  for (int k = 0; k < n; ++k) {
    char param = static_cast<char>(d[kDescParams + kDescParamSize * k]);
    if (param == kTokIntVar || param == kTokRealVar) {
      args.number(k) = FetchNumber(in, k + 1, n);
    } else if (param == kTokStringRef) {
      args.text(k) = FetchString(in, k + 1, n);
    } else if (param == kTokInOutString) {
      VarRef var = FetchVariable(in, k + 1, n, VariableKind::kString);
      args.var(k) = var;
      args.text(k) = t.strings[static_cast<size_t>(var.index)];
    } else {
      VarRef var = FetchVariable(in, k + 1, n, VariableKind::kNumeric);
      args.var(k) = var;
      args.number(k) = NumericValue(in, var);
    }
    s.func_name = name;
  }

  ClearLocals(t, d);
  for (int k = 0; k < n; ++k) {
    char param = static_cast<char>(d[kDescParams + kDescParamSize * k]);
    size_t slot = static_cast<size_t>(d[kDescParams + kDescParamSize * k + 1]);
    if (param == kTokIntVar || param == kTokInOutInt)
      t.ints[slot] = TruncateToInt32(args.number(k));
    else if (param == kTokRealVar || param == kTokInOutReal)
      t.reals[slot] = args.number(k);
    else
      t.strings[slot].swap(args.text(k));
  }

  size_t back = s.pos;
  s.pos = LabelPosition(in, d[kDescLabel]);
  unsigned char stop = RunStatements(in);
  double result = 0;
  if (cls == TokenValue(kTokProc)) {
    if (stop == TokenValue(kTokReturn)) {
      ReadToken(in);
      if (s.tok.code != kCodeEnd)
        FatalAt(in.diag, kind == kTokFuncPost ? kMsgReturnFromPost : kMsgReturnFromVoid);
    }
  } else {
    if (stop != TokenValue(kTokReturn))
      FatalAt(in.diag, FormatMessage(kMsgNoValueReturned, {name}));
    result = Evaluate(in);
    if (s.type != (cls == TokenValue(kTokStrFunc) ? kTypeString : kTypeNumber))
      FatalAt(in.diag, kMsgReturnedWrongType);
    if (s.tok.code != kCodeEnd) FatalAt(in.diag, kMsgInvalidExpression);
  }
  s.pos = back;

  // "!" parameters go back into the variables they came from.
  for (int k = 0; k < n; ++k) {
    char param = static_cast<char>(d[kDescParams + kDescParamSize * k]);
    size_t slot = static_cast<size_t>(d[kDescParams + kDescParamSize * k + 1]);
    if (param != kTokInOutInt && param != kTokInOutReal && param != kTokInOutString) continue;
    VarRef var = args.var(k);
    size_t target = static_cast<size_t>(var.index);
    if (param == kTokInOutString) {
      t.strings[target] = t.strings[slot];
      continue;
    }
    double value = param == kTokInOutInt ? t.ints[slot] : t.reals[slot];
    if (var.type == kTokIntVar)
      t.ints[target] = TruncateToInt32(value);
    else
      t.reals[target] = value;
  }
  return result;
}

}  // namespace

double CallFunctionToken(Interp& in) {
  InterpState& s = in.st;
  const unsigned char cls = s.tok.code;
  const Location loc = in.diag.loc;
  const unsigned char first_class = s.first_class;
  const std::string_view name = s.func_name;

  char kind = in.bytes[s.pos];
  double v;
  if (IsUserFunction(cls, kind)) {
    v = CallUserFunction(in, cls, kind);
  } else {
    ++s.pos;
    if (!in.host) IllegalToken(in);
    v = in.host->CallBuiltin(in, cls, static_cast<unsigned char>(kind));
  }
  s.type = cls == TokenValue(kTokStrFunc) ? kTypeString : kTypeNumber;

  in.diag.loc = loc;
  s.first_class = first_class;
  s.func_name = name;
  ReadToken(in);
  if (s.tok.code == kCodeAssign) FatalAt(in.diag, kMsgInvalidAssignation);
  return v;
}

}  // namespace tornel

namespace tornel {

int FetchVoidFunction(Interp& in, int k, int n) {
  InterpState& s = in.st;
  auto refuse = [&] {
    FatalAt(in.diag, FormatMessage(kMsgArgVoidFunction, {std::to_string(k), s.func_name}));
  };
  if (k == 1) {
    ReadToken(in);
    if (s.tok.code != '(') FatalAt(in.diag, FormatMessage(kMsgArgLeftParen, {s.func_name}));
  } else if (s.tok.code != ',') {
    FatalAt(in.diag, FormatMessage(kMsgArgMissing, {std::to_string(k), s.func_name}));
  }
  ReadToken(in);
  if (s.tok.code != TokenValue(kTokProc) || in.bytes[s.pos] != kTokFuncUser) refuse();
  ++s.pos;
  const int32_t* d = Descriptor(in, ReadDecimal(in));
  if (d[kDescParamCount] != 0) refuse();
  int label = d[kDescLabel];
  ReadToken(in);
  if (s.tok.code == '(') refuse();  // a call, not a name
  if (k == n) CloseArguments(in, n);
  return label;
}

}  // namespace tornel
