#include "tornel/interp/builtin_calls.h"

#include "tornel/builtins/builtin_dispatch.h"
#include "tornel/compiler/tokens.h"
#include "tornel/interp/arguments.h"
#include "tornel/interp/expression.h"

namespace tornel {

namespace {

// Arguments fetched from the program text at the interpreter's position.
class ProgramArgs final : public BuiltinArgs {
 public:
  explicit ProgramArgs(Interp& in) : in_(in) {}

  void SetDisplayName(std::string_view display) override { in_.st.func_name = display; }
  double Number(int k, int n) override { return FetchNumber(in_, k, n); }
  std::string Text(int k, int n) override { return FetchString(in_, k, n); }
  bool More() override {
    if (in_.st.tok.code == ',') return true;
    CloseArguments(in_, 0);  // anything but ")" is a missing ")"
    return false;
  }

 private:
  Interp& in_;
};

}  // namespace

double CallBuiltin(Interp& in, unsigned char cls, unsigned char code) {
  if (!in.run) IllegalToken(in);
  ProgramArgs args(in);
  switch (cls) {
    case TokenValue(kTokNumFunc):
      return CallNumericBuiltin(*in.run, code, args);
    case TokenValue(kTokStrFunc):
      in.st.str = CallStringBuiltin(*in.run, code, args);
      return 0;
    case TokenValue(kTokProc):
      CallProcedureBuiltin(*in.run, code, args);
      return 0;
    case TokenValue(kTokDialogProc):
      CallDialogBuiltin(*in.run, code, args);
      return 0;
    default:
      IllegalToken(in);
  }
}

}  // namespace tornel
