#include "tornel/builtins/program_args.h"

#include "tornel/builtins/builtin_dispatch.h"
#include "tornel/compiler/tokens.h"
#include "tornel/interp/arguments.h"
#include "tornel/interp/expression.h"
#include "tornel/interp/functions.h"
#include "tornel/interp/token_reader.h"
#include "tornel/output/program_format.h"

namespace tornel {

namespace {

// Arguments fetched from the program text at the interpreter's position.
class ProgramArgs final : public BuiltinArgs {
 public:
  ProgramArgs(Interp& in, AddressTable& addresses) : in_(in), addresses_(addresses) {}

  void SetDisplayName(std::string_view display) override { in_.st.func_name = display; }
  double Number(int k, int n) override { return FetchNumber(in_, k, n); }
  std::string Text(int k, int n) override { return FetchString(in_, k, n); }
  bool More() override {
    if (in_.st.tok.code == ',') return true;
    CloseArguments(in_, 0);  // anything but ")" is a missing ")"
    return false;
  }
  int StringVariable(int k, int n) override {
    return FetchVariable(in_, k, n, VariableKind::kString).index;
  }
  bool Any(int k, int n, double& number, std::string& text) override {
    return FetchAny(in_, k, n, number, text);
  }
  int RealVariable(int k, int n) override {
    return FetchVariable(in_, k, n, VariableKind::kReal).index;
  }
  NumericVar NumericVariable(int k, int n) override {
    VarRef var = FetchVariable(in_, k, n, VariableKind::kNumeric);
    return {var.type == kTokIntVar, var.index};
  }
  BoundVar BoundVariable(int k, int n, Bind kind) override {
    VariableKind v = kind == Bind::kString ? VariableKind::kString
                     : kind == Bind::kAny  ? VariableKind::kAny
                                           : VariableKind::kNumeric;
    MarkedVar m = FetchMarkedVariable(in_, k, n, v);
    return {m.var.type, m.var.index, m.mark};
  }
  bool NextIsNumericVariable() override {
    const InterpState& s = in_.st;
    if (in_.bytes[s.pos] != '(') return false;
    char next = in_.bytes[s.pos + 1];  // bytes end in a 0: pos + 1 is inside
    return next == kTokIntVar || next == kTokRealVar;
  }
  int VoidFunction(int k, int n) override { return FetchVoidFunction(in_, k, n); }
  bool HasArgument() override {
    InterpState& s = in_.st;
    if (in_.bytes[s.pos] != '(') return false;
    if (in_.bytes[s.pos + 1] == ')') {  // bytes end in a 0: pos + 1 is inside
      NoArguments();
      return false;
    }
    return true;
  }
  void NoArguments() override {
    InterpState& s = in_.st;
    if (in_.bytes[s.pos] != '(') return;
    ReadToken(in_);
    ReadToken(in_);
    CloseArguments(in_, 0);
  }
  const AddressRecord& NumberFormat(AddressRecord& scratch) override {
    InterpState& s = in_.st;
    if (in_.bytes[s.pos] != '(') FatalAt(in_.diag, kMsgStrWriLeftParen);
    ++s.pos;
    scratch = NewAddressRecord(0);
    const AddressRecord& format =
        ReadProgramFormat(in_, addresses_, scratch, {kMsgStrWriAddress, kMsgStrWriBrace, true});
    ReadToken(in_);  // the "," before x
    return format;
  }

 private:
  Interp& in_;
  AddressTable& addresses_;
};

}  // namespace

double CallBuiltin(Interp& in, BuiltinContext& ctx, unsigned char cls, unsigned char code) {
  ProgramArgs args(in, ctx.cl.nc.output.addresses);
  switch (cls) {
    case TokenValue(kTokNumFunc):
      return CallNumericBuiltin(ctx, code, args);
    case TokenValue(kTokStrFunc):
      in.st.str = CallStringBuiltin(ctx, code, args);
      return 0;
    case TokenValue(kTokProc):
      CallProcedureBuiltin(ctx, code, args);
      return 0;
    case TokenValue(kTokDialogProc):
      CallDialogBuiltin(ctx, code, args);
      return 0;
    default:
      IllegalToken(in);
  }
}

}  // namespace tornel
