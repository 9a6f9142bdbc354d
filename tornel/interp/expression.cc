#include "tornel/interp/expression.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <string>

#include "tornel/base/table_growth.h"
#include "tornel/compiler/control_structures.h"
#include "tornel/compiler/tokens.h"
#include "tornel/interp/functions.h"
#include "tornel/interp/token_reader.h"

namespace tornel {

namespace {

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

// Binding levels of the binary operators, 0 for every other token.
constexpr int kLevelAndOr = 1;
constexpr int kLevelCompare = 2;
constexpr int kLevelSum = 3;
constexpr int kLevelProduct = 4;

constexpr std::array<unsigned char, 256> MakeLevels() {
  std::array<unsigned char, 256> t{};
  t[TokenValue(kTokAnd)] = t[TokenValue(kTokOr)] = kLevelAndOr;
  for (char op : {'<', '>', kTokEqual, kTokNotEqual, kTokGreaterEqual, kTokLessEqual})
    t[TokenValue(op)] = kLevelCompare;
  t['+'] = t['-'] = kLevelSum;
  t['*'] = t['/'] = kLevelProduct;
  return t;
}
constexpr std::array<unsigned char, 256> kLevels = MakeLevels();

template <class T>
bool Compare(unsigned char op, const T& a, const T& b) {
  switch (op) {
    case '<': return a < b;
    case '>': return a > b;
    case TokenValue(kTokEqual): return a == b;
    case TokenValue(kTokNotEqual): return a != b;
    case TokenValue(kTokGreaterEqual): return a >= b;
    default: return a <= b;
  }
}

double Primary(Interp& in);
double Binary(Interp& in, int min_level);

// The right side of a '+' or comparison whose left side is the string in
// the register; gives the right side's type.
unsigned char StringOperation(Interp& in, unsigned char op, int level, double& v) {
  ParkedString left(in.st);
  ReadToken(in);
  Binary(in, level + 1);
  if (!IsString(in)) return kTypeNumber;
  std::string& text = left.text();
  if (op == '+') {
    CheckStringLength(in.diag, text.size() + in.st.str.size());
    text += in.st.str;
    text.swap(in.st.str);
  } else {
    // Byte by byte as unsigned values, case-sensitive.
    v = Compare(op, text.compare(in.st.str), 0) ? 1 : 0;
    in.st.type = kTypeNumber;
  }
  return kTypeString;
}

// An operand, then every operator binding at least as tightly as
// min_level with its right side: all operators are left-associative, from
// the loosest, and/or, over the comparisons and + - to * /.
double Binary(Interp& in, int min_level) {
  double v = Primary(in);
  for (;;) {
    const unsigned char op = in.st.tok.code;
    const int level = kLevels[op];
    if (level < min_level) return v;  // 0: no operator
    if (IsString(in)) {
      if (level == kLevelSum && op == '+') {
        if (StringOperation(in, op, level, v) != kTypeString) FatalAt(in.diag, kMsgDifferentTypes);
        continue;
      }
      if (level == kLevelCompare) {
        if (StringOperation(in, op, level, v) != kTypeString) FatalAt(in.diag, kMsgCompareTypes);
        continue;
      }
      FatalAt(in.diag, kMsgStringNotAllowed);
    }
    ReadToken(in);
    const double r = Binary(in, level + 1);
    if (IsString(in)) {
      FatalAt(in.diag, op == '+'            ? kMsgDifferentTypes
                       : level == kLevelCompare ? kMsgCompareTypes
                                                : kMsgStringNotAllowed);
    }
    switch (op) {
      case '+': v += r; break;
      case '-': v -= r; break;
      case '*': v *= r; break;
      case '/':
        if (r == 0) FatalAt(in.diag, kMsgDivisionByZero);  // +0 and -0 alike
        v /= r;
        break;
      // Both sides are always evaluated; -0 counts as zero.
      case TokenValue(kTokAnd): v = v != 0 && r != 0 ? 1 : 0; break;
      case TokenValue(kTokOr): v = v != 0 || r != 0 ? 1 : 0; break;
      default: v = Compare(op, v, r) ? 1 : 0; break;
    }
  }
}

double Expr(Interp& in) { return Binary(in, kLevelAndOr); }

// A variable, its token current: its value, or an assignment to it.
double VariableTerm(Interp& in) {
  InterpState& s = in.st;
  unsigned char type = s.tok.code;
  int element = s.var_count == 1 ? s.var_index : AccessVariable(in);
  ReadToken(in);
  ValueTables& t = in.values;
  if (s.tok.code == kCodeAssign) {
    ReadToken(in);
    double v = Expr(in);
    if (type == TokenValue(kTokStringRef)) {
      if (!IsString(in)) FatalAt(in.diag, kMsgAssignTypes);
      t.strings[static_cast<size_t>(element)] = s.str;
      return 0;
    }
    if (IsString(in)) FatalAt(in.diag, kMsgAssignTypes);
    if (type == TokenValue(kTokIntVar)) {
      int32_t stored = TruncateToInt32(v);
      t.ints[static_cast<size_t>(element)] = stored;
      return stored;
    }
    t.reals[static_cast<size_t>(element)] = v;
    return v;
  }
  switch (type) {
    case TokenValue(kTokIntVar):
      s.type = kTypeNumber;
      return t.ints[static_cast<size_t>(element)];
    case TokenValue(kTokRealVar):
      s.type = kTypeNumber;
      return t.reals[static_cast<size_t>(element)];
    default:
      s.str = t.strings[static_cast<size_t>(element)];
      s.type = kTypeString;
      return 0;
  }
}

double Primary(Interp& in) {
  // Every nested operand comes through here: parentheses, signs, the
  // arguments of function calls.
  NestingLevel level(in);
  InterpState& s = in.st;
  switch (s.tok.code) {
    case kCodeNumber: {
      double v = s.number;
      s.type = kTypeNumber;
      ReadToken(in);
      return v;
    }
    case TokenValue(kTokIntVar):
    case TokenValue(kTokRealVar):
    case TokenValue(kTokStringRef):
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
      if (!in.host) IllegalToken(in);
      return in.host->EvaluateOutputReference(in);
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

int32_t SaturateToInt32(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483647.0) return INT32_MAX;
  if (value <= -2147483648.0) return INT32_MIN;
  return static_cast<int32_t>(value);
}

std::string IntegerPartText(double value) {
  if (std::isnan(value)) return "nan";
  char buf[400];
  std::snprintf(buf, sizeof buf, "%.0f", std::trunc(value) + 0.0);  // -0.5 reads 0
  return buf;
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
  // Checked as a whole number first: an index never wraps into range.
  if (!(v >= 1.0 && v < static_cast<double>(size) + 1.0))
    FatalAt(in.diag, FormatMessage(kMsgArrayIndex, {std::to_string(size), IntegerPartText(v)}));
  return index + static_cast<int>(v) - 1;
}

void IllegalToken(Interp& in) { FatalPlain(in.diag, kMsgIllegalToken, true); }

}  // namespace tornel
