#include "tornel/interp/expression.h"

#include <cmath>
#include <string>

#include "tornel/builtins/builtin_dispatch.h"
#include "tornel/compiler/control_structures.h"
#include "tornel/compiler/tokens.h"
#include "tornel/interp/functions.h"
#include "tornel/interp/token_reader.h"

namespace tornel {

namespace {

constexpr unsigned char kAnd = TokenValue(kTokAnd);
constexpr unsigned char kOr = TokenValue(kTokOr);
constexpr unsigned char kEqual = TokenValue(kTokEqual);
constexpr unsigned char kNotEqual = TokenValue(kTokNotEqual);
constexpr unsigned char kGreaterEqual = TokenValue(kTokGreaterEqual);
constexpr unsigned char kLessEqual = TokenValue(kTokLessEqual);
constexpr unsigned char kIntVar = TokenValue(kTokIntVar);
constexpr unsigned char kRealVar = TokenValue(kTokRealVar);
constexpr unsigned char kStringVar = TokenValue(kTokStringRef);

// A left string operand parked while its right side is evaluated: a slot of
// the reused scratch strings, so that no operand allocates once warm.  The
// slot is addressed by number since nested operands may grow the vector.
class ParkedString {
 public:
  explicit ParkedString(InterpState& s) : s_(s), slot_(s.scratch_top++) {
    if (s.scratch.size() <= slot_) s.scratch.resize(slot_ + 1);
    s.scratch[slot_].swap(s.str);
  }
  ~ParkedString() { --s_.scratch_top; }
  ParkedString(const ParkedString&) = delete;
  ParkedString& operator=(const ParkedString&) = delete;
  std::string& text() { return s_.scratch[slot_]; }

 private:
  InterpState& s_;
  size_t slot_;
};

bool IsString(const Interp& in) { return in.st.type == kTypeString; }

double Expr(Interp& in);

double Primary(Interp& in);

double Product(Interp& in) {
  double v = Primary(in);
  for (;;) {
    unsigned char op = in.st.tok.code;
    if (op != '*' && op != '/') return v;
    if (IsString(in)) FatalAt(in.diag, kMsgStringNotAllowed);
    ReadToken(in);
    double r = Primary(in);
    if (IsString(in)) FatalAt(in.diag, kMsgStringNotAllowed);
    if (op == '*') {
      v *= r;
    } else {
      if (r == 0) FatalAt(in.diag, kMsgDivisionByZero);  // +0 and -0 alike
      v /= r;
    }
  }
}

// The right side of a '+' whose left side is the string in the register.
void JoinStrings(Interp& in) {
  ParkedString left(in.st);
  ReadToken(in);
  Product(in);
  if (!IsString(in)) FatalAt(in.diag, kMsgDifferentTypes);
  std::string& text = left.text();
  text += in.st.str;
  text.swap(in.st.str);
}

double Sum(Interp& in) {
  double v = Product(in);
  for (;;) {
    unsigned char op = in.st.tok.code;
    if (op == '+') {
      if (IsString(in)) {
        JoinStrings(in);
        continue;
      }
      ReadToken(in);
      double r = Product(in);
      if (IsString(in)) FatalAt(in.diag, kMsgDifferentTypes);
      v += r;
    } else if (op == '-') {
      if (IsString(in)) FatalAt(in.diag, kMsgStringNotAllowed);
      ReadToken(in);
      double r = Product(in);
      if (IsString(in)) FatalAt(in.diag, kMsgStringNotAllowed);
      v -= r;
    } else {
      return v;
    }
  }
}

bool IsComparison(unsigned char op) {
  return op == '<' || op == '>' || op == kEqual || op == kNotEqual || op == kGreaterEqual ||
         op == kLessEqual;
}

template <class T>
bool Compare(unsigned char op, const T& a, const T& b) {
  switch (op) {
    case '<': return a < b;
    case '>': return a > b;
    case kEqual: return a == b;
    case kNotEqual: return a != b;
    case kGreaterEqual: return a >= b;
    default: return a <= b;
  }
}

// Strings compare byte by byte as unsigned values, case-sensitive.
bool CompareStrings(Interp& in, unsigned char op) {
  ParkedString left(in.st);
  ReadToken(in);
  Sum(in);
  if (!IsString(in)) FatalAt(in.diag, kMsgCompareTypes);
  int c = left.text().compare(in.st.str);
  return Compare(op, c, 0);
}

double Comparison(Interp& in) {
  double v = Sum(in);
  for (;;) {
    unsigned char op = in.st.tok.code;
    if (!IsComparison(op)) return v;
    bool result;
    if (IsString(in)) {
      result = CompareStrings(in, op);
    } else {
      ReadToken(in);
      double r = Sum(in);
      if (IsString(in)) FatalAt(in.diag, kMsgCompareTypes);
      result = Compare(op, v, r);
    }
    v = result ? 1 : 0;
    in.st.type = kTypeNumber;
  }
}

double Expr(Interp& in) {
  double v = Comparison(in);
  for (;;) {
    unsigned char op = in.st.tok.code;
    if (op != kAnd && op != kOr) return v;
    if (IsString(in)) FatalAt(in.diag, kMsgStringNotAllowed);
    ReadToken(in);
    double r = Comparison(in);
    if (IsString(in)) FatalAt(in.diag, kMsgStringNotAllowed);
    // Both sides are always evaluated; -0 counts as zero.
    v = (op == kAnd ? (v != 0 && r != 0) : (v != 0 || r != 0)) ? 1 : 0;
  }
}

// A variable, its token current: its value, or an assignment to it.
double VariableTerm(Interp& in) {
  InterpState& s = in.st;
  unsigned char type = s.tok.code;
  int element = AccessVariable(in);
  ReadToken(in);
  ValueTables& t = in.values;
  if (s.tok.code == kCodeAssign) {
    ReadToken(in);
    double v = Expr(in);
    if (type == kStringVar) {
      if (!IsString(in)) FatalAt(in.diag, kMsgAssignTypes);
      t.strings[static_cast<size_t>(element)] = s.str;
      return 0;
    }
    if (IsString(in)) FatalAt(in.diag, kMsgAssignTypes);
    if (type == kIntVar) {
      int32_t stored = TruncateToInt32(v);
      t.ints[static_cast<size_t>(element)] = stored;
      return stored;
    }
    t.reals[static_cast<size_t>(element)] = v;
    return v;
  }
  switch (type) {
    case kIntVar:
      s.type = kTypeNumber;
      return t.ints[static_cast<size_t>(element)];
    case kRealVar:
      s.type = kTypeNumber;
      return t.reals[static_cast<size_t>(element)];
    default:
      s.str = t.strings[static_cast<size_t>(element)];
      s.type = kTypeString;
      return 0;
  }
}

double Primary(Interp& in) {
  InterpState& s = in.st;
  switch (s.tok.code) {
    case kCodeNumber: {
      double v = s.number;
      s.type = kTypeNumber;
      ReadToken(in);
      return v;
    }
    case kIntVar:
    case kRealVar:
    case kStringVar:
      return VariableTerm(in);
    case '(': {
      ReadToken(in);
      double v = Expr(in);
      if (s.tok.code != ')') FatalAt(in.diag, kMsgRightParen);
      ReadToken(in);
      return v;
    }
    case '+':
      ReadToken(in);
      return Primary(in);
    case '-': {
      ReadToken(in);
      double v = Primary(in);
      if (IsString(in)) FatalAt(in.diag, kMsgStringNotAllowed);
      return -v;
    }
    case TokenValue(kTokNumFunc):
    case TokenValue(kTokStrFunc):
      return CallFunctionToken(in);
    case TokenValue(kTokProc):
    case TokenValue(kTokDialogProc):
      FatalAt(in.diag, kMsgVoidInExpression);
    case TokenValue(kTokAddress):
    case TokenValue(kTokModalGroup):
      // Address and modal group references are evaluated by the output
      // subsystem, which does not exist yet: nothing compiles them so far.
      IllegalToken(in);
    default:
      FatalAt(in.diag, kMsgInvalidExpression);
  }
}

}  // namespace

int32_t TruncateToInt32(double value) {
  constexpr double kLimit = 9223372036854775808.0;  // 2^63
  if (!(value > -kLimit && value < kLimit)) return 0;
  auto whole = static_cast<int64_t>(value);
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(whole)));
}

double EvaluateExpression(Interp& in) { return Expr(in); }

double Evaluate(Interp& in) {
  ReadToken(in);
  return Expr(in);
}

int AccessVariable(Interp& in) {
  InterpState& s = in.st;
  int index = s.var_index;
  int size = s.var_count;
  if (size == 1) return index;
  ReadToken(in);
  if (s.tok.code != '[')
    FatalAt(in.diag, s.tok.code == kCodeNumber ? kMsgLeftBracketMissing : kMsgIndexMissing);
  ReadToken(in);
  double v = Expr(in);
  if (s.tok.code != ']') FatalAt(in.diag, kMsgRightBracketMissing);
  int32_t element = TruncateToInt32(v);
  if (element < 1 || element > size)
    FatalAt(in.diag, FormatMessage(kMsgArrayIndex, {std::to_string(size), std::to_string(element)}));
  return index + element - 1;
}

void IllegalToken(Interp& in) { FatalPlain(in.diag, kMsgIllegalToken, true); }

}  // namespace tornel
