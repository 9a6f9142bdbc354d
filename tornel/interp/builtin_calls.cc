#include "tornel/interp/builtin_calls.h"

#include "tornel/builtins/builtin_dispatch.h"
#include "tornel/compiler/tokens.h"
#include "tornel/interp/arguments.h"
#include "tornel/interp/expression.h"
#include "tornel/interp/token_reader.h"
#include "tornel/driver/run_context.h"
#include "tornel/output/number_format.h"

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
  int StringVariable(int k, int n) override {
    return FetchVariable(in_, k, n, VariableKind::kString).index;
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
    const AddressRecord* format = &scratch;
    if (in_.bytes[s.pos] == '{') {
      ++s.pos;
      const AddressTable& addresses = in_.run->output.addresses;
      if (in_.bytes[s.pos] != kTokAddress) FatalAt(in_.diag, kMsgStrWriAddress);
      ++s.pos;
      int address = ReadDecimal(in_);
      if (address < 1 || address > AddressCount(addresses)) FatalAt(in_.diag, kMsgStrWriAddress);
      if (in_.bytes[s.pos] != '}') FatalAt(in_.diag, kMsgStrWriBrace);
      ++s.pos;
      format = &addresses.records[address];
    } else {
      scratch = NewAddressRecord(0);
      std::string_view rest(in_.bytes + s.pos, in_.length - s.pos);
      size_t used = 0;
      if (const char* error = ParseNumberFormat(rest, used, scratch)) FatalAt(in_.diag, error);
      s.pos += used;
    }
    ReadToken(in_);  // the "," before x
    return *format;
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
