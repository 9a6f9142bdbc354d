#include "tornel/interp/statements.h"

#include "tornel/compiler/control_structures.h"
#include "tornel/compiler/tokens.h"
#include "tornel/interp/expression.h"
#include "tornel/interp/functions.h"
#include "tornel/interp/token_reader.h"

namespace tornel {

namespace {

void ExpectStatementEnd(Interp& in) {
  if (in.st.tok.code != kCodeEnd) FatalAt(in.diag, kMsgInvalidExpression);
}

// "(" condition ")" then a jump token with its label: jumps when the
// condition's integer part is 0 (168) or not 0 (169).
void RunCondition(Interp& in) {
  InterpState& s = in.st;
  ReadToken(in);
  if (s.tok.code != '(') FatalAt(in.diag, kMsgInvalidCondition);
  double value = Evaluate(in);
  if (s.tok.code != ')') FatalAt(in.diag, kMsgRightParen);
  ReadToken(in);
  unsigned char jump = s.tok.code;
  if (jump != TokenValue(kTokJumpIfFalse) && jump != TokenValue(kTokJumpIfTrue))
    FatalAt(in.diag, kMsgInvalidCondition);
  int label = ReadDecimal(in);
  ReadToken(in);
  ExpectStatementEnd(in);
  bool zero = !IsTrue(value);
  if (zero == (jump == TokenValue(kTokJumpIfFalse))) s.pos = LabelPosition(in, label);
}

}  // namespace

size_t LabelPosition(Interp& in, int label) {
  const std::vector<int32_t>& labels = in.program.labels;
  if (label < 0 || static_cast<size_t>(label) >= labels.size() || labels[label] < 0 ||
      static_cast<size_t>(labels[label]) > in.length)
    FatalPlain(in.diag, kMsgIndexOutOfRange, true);
  return static_cast<size_t>(labels[label]);
}

unsigned char RunStatements(Interp& in) {
  InterpState& s = in.st;
  for (;;) {
    if (s.pos >= in.length) return kStopProgramEnd;
    ReadLocation(in);
    s.first_class = kClassPlain;
    ReadToken(in);
    s.first_class = s.tok.cls;
    switch (s.tok.code) {
      case kCodeEnd:
        continue;
      case TokenValue(kTokFuncEnd):
      case TokenValue(kTokReturn):
      case TokenValue(kTokMainEnd):
        return s.tok.code;
      case TokenValue(kTokJump): {
        int label = ReadDecimal(in);
        ReadToken(in);
        ExpectStatementEnd(in);
        s.pos = LabelPosition(in, label);
        continue;
      }
      case TokenValue(kTokCondition):
        RunCondition(in);
        continue;
      default:
        break;
    }
    switch (s.tok.cls) {
      case kClassPlain:
      case kClassString:
        EvaluateExpression(in);
        break;
      case kClassProcedure:
        CallFunctionToken(in);
        break;
      case kClassOutput:
        if (!in.host) IllegalToken(in);
        in.host->RunOutputStatement(in);
        break;
      default:
        FatalPlain(in.diag, kMsgIllegalTokenType, true);
    }
    ExpectStatementEnd(in);
    if (s.pos > in.length) FatalPlain(in.diag, kMsgIndexOutOfRange, true);
  }
}

void RunMain(Interp& in) {
  bool found = false;
  // A MAIN start is its own record: the marker right after a location prefix.
  for (size_t p = in.length; p-- > 1;) {
    if (in.bytes[p] != kTokMainStart || in.bytes[p - 1] != kTokLocation) continue;
    found = true;
    in.st.pos = p + 1;
    if (in.bytes[in.st.pos] == kTokLineEnd) ++in.st.pos;
    RunStatements(in);
  }
  if (!found) FatalPlain(in.diag, kMsgMainNotFound, true);
}

void RunAtLabel(Interp& in, int label) {
  // The caller may be in the middle of a statement (an output statement
  // running an OnAddr function): its reading state comes back afterwards.
  SavedReading saved(in);
  NestingLevel level(in);
  in.st.pos = LabelPosition(in, label);
  RunStatements(in);
}

}  // namespace tornel
