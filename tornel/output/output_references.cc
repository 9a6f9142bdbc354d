#include "tornel/output/output_references.h"

#include <algorithm>
#include <string>

#include "tornel/compiler/tokens.h"
#include "tornel/interp/expression.h"
#include "tornel/interp/token_reader.h"
#include "tornel/output/output_tables.h"

namespace tornel {

namespace {

constexpr unsigned char kFirstAttribute = TokenValue(kTokAttrEnable);
constexpr unsigned char kLastAttribute = TokenValue(kTokAttrSelStr);

// The number of an indexed reference ("[" expr "]"), or the decimal number
// after the reference byte.
int ReferenceNumber(Interp& in, const char* message) {
  if (in.bytes[in.st.pos] != '[') return ReadDecimal(in);
  ReadToken(in);
  double n = Evaluate(in);
  if (in.st.type != kTypeNumber || in.st.tok.code != ']') FatalAt(in.diag, message);
  return SaturateToInt32(n);
}

// "." and the attribute byte; 0 when no "." follows.
unsigned char ReadAttribute(Interp& in) {
  if (in.bytes[in.st.pos] != '.') return 0;
  unsigned char attribute = static_cast<unsigned char>(in.bytes[in.st.pos + 1]);
  in.st.pos += 2;
  return attribute;
}

// "[" n "]" after .modval and .selstr, then the token after it.
int ElementIndex(Interp& in, const char* message) {
  ReadToken(in);
  if (in.st.tok.code != '[') FatalAt(in.diag, message);
  double n = Evaluate(in);
  if (in.st.type != kTypeNumber || in.st.tok.code != ']') FatalAt(in.diag, message);
  ReadToken(in);
  return SaturateToInt32(n);
}

double NumberResult(Interp& in, double v) {
  in.st.type = kTypeNumber;
  return v;
}

double StringResult(Interp& in, const std::string& text) {
  in.st.str = text;
  in.st.type = kTypeString;
  return 0;
}

// The value of "=" expr for a number attribute.
double AssignedNumber(Interp& in) {
  ReadToken(in);
  double v = EvaluateExpression(in);
  if (in.st.type != kTypeNumber) FatalAt(in.diag, kMsgAssignTypes);
  return v;
}

void AssignedString(Interp& in) {
  ReadToken(in);
  EvaluateExpression(in);
  if (in.st.type != kTypeString) FatalAt(in.diag, kMsgAssignTypes);
}

int* IntegerField(AddressRecord& a, unsigned char attribute) {
  switch (attribute) {
    case TokenValue(kTokAttrEnable): return &a.enable;
    case TokenValue(kTokAttrSign): return &a.sign;
    case TokenValue(kTokAttrDecPoint): return &a.decpoint;
    case TokenValue(kTokAttrLeadZero): return &a.leadzero;
    case TokenValue(kTokAttrTrailZero): return &a.trailzero;
    case TokenValue(kTokAttrNumsBef): return &a.numsbef;
    case TokenValue(kTokAttrNumsAft): return &a.numsaft;
    case TokenValue(kTokAttrNumsBefInch): return &a.numsbefinch;
    case TokenValue(kTokAttrNumsAftInch): return &a.numsaftinch;
    case TokenValue(kTokAttrSpace): return &a.space;
    case TokenValue(kTokAttrIncZero): return &a.inczero;
    case TokenValue(kTokAttrModal): return &a.modal;
    case TokenValue(kTokAttrInc): return &a.inc;
    case TokenValue(kTokAttrFrom): return &a.from;
    case TokenValue(kTokAttrDirect): return &a.direct;
    default: return nullptr;
  }
}

bool IsDigitCount(unsigned char attribute) {
  return attribute >= TokenValue(kTokAttrNumsBef) && attribute <= TokenValue(kTokAttrNumsAftInch);
}

double AddressAttribute(Interp& in, OutputTables& output, int index, unsigned char attribute) {
  AddressRecord& a = output.addresses.records[static_cast<size_t>(index)];
  std::vector<std::string>& strings = in.values.strings;
  int count = AddressCount(output.addresses);

  if (attribute == TokenValue(kTokAttrSelStr)) {
    int n = ElementIndex(in, kMsgSelectString);
    if (n < 1 || n > SelectCount(a)) FatalAt(in.diag, kMsgSelectString);
    std::string& text = strings[static_cast<size_t>(a.numsbef + n - 1)];
    if (in.st.tok.code == kCodeAssign) {
      AssignedString(in);
      text = in.st.str;
    }
    return StringResult(in, text);
  }
  ReadToken(in);
  bool assign = in.st.tok.code == kCodeAssign;

  switch (attribute) {
    case TokenValue(kTokAttrPrefix):
    case TokenValue(kTokAttrSuffix): {
      bool prefix = attribute == TokenValue(kTokAttrPrefix);
      int slot = prefix ? a.prefix : a.suffix;
      if (assign) {
        AssignedString(in);
        if (slot == kNoSuffix) FatalAt(in.diag, kMsgNoSuffix);
        strings[static_cast<size_t>(slot)] = in.st.str;
      }
      return StringResult(in, slot == kNoSuffix ? std::string() : strings[static_cast<size_t>(slot)]);
    }
    case TokenValue(kTokAttrValStr):
      if (assign) {
        // The text of the modal comparison; a longer text is ignored.
        AssignedString(in);
        if (in.st.str.size() <= kValStrLimit) a.lasttext = in.st.str;
        return StringResult(in, in.st.str);
      }
      return StringResult(in, a.valtext);
    case TokenValue(kTokAttrOrder):
      if (assign) {
        double v = AssignedNumber(in);
        a.order = TruncateToInt32(v * 100.0);
      }
      return NumberResult(in, a.order / 100);
    case TokenValue(kTokAttrSelNum):
      if (assign) FatalAt(in.diag, kMsgAssignSelNum);
      return NumberResult(in, SelectCount(a));
    case TokenValue(kTokAttrScale):
    case TokenValue(kTokAttrTrans):
    case TokenValue(kTokAttrVal):
    case TokenValue(kTokAttrValRnd): {
      double* field = attribute == TokenValue(kTokAttrScale)   ? &a.scale
                      : attribute == TokenValue(kTokAttrTrans) ? &a.trans
                                                               : &a.lastval;
      if (assign) *field = AssignedNumber(in);
      return NumberResult(in, attribute == TokenValue(kTokAttrValRnd) ? RoundedValue(a) : *field);
    }
    default:
      break;
  }

  int* field = IntegerField(a, attribute);
  if (!field) FatalAt(in.diag, kMsgInvalidAddressMember);
  if (assign) {
    // The fields checked against a range saturate; the others keep the
    // low 32 bits as an integer variable would.
    double assigned = AssignedNumber(in);
    bool ranged = IsDigitCount(attribute) || attribute == TokenValue(kTokAttrFrom) ||
                  attribute == TokenValue(kTokAttrDirect);
    int v = ranged ? SaturateToInt32(assigned) : TruncateToInt32(assigned);
    if (IsDigitCount(attribute)) v = std::clamp(v, 0, kMaxDigits);
    if (attribute == TokenValue(kTokAttrFrom) && (v < 0 || v > count)) FatalAt(in.diag, kMsgInvalidFromValue);
    if (attribute == TokenValue(kTokAttrDirect) && (v < 0 || v > count))
      FatalAt(in.diag, kMsgInvalidDirect);
    *field = v;
  }
  return NumberResult(in, *field);
}

double AddressReference(Interp& in, OutputTables& output) {
  int index = ReferenceNumber(in, kMsgInvalidAddressExpression);
  if (index < 1 || index > AddressCount(output.addresses))
    FatalAt(in.diag, kMsgInvalidAddressExpression);
  unsigned char attribute = ReadAttribute(in);
  if (attribute == 0) FatalAt(in.diag, kMsgInvalidAddressExpression);
  if (attribute < kFirstAttribute || attribute > kLastAttribute)
    FatalAt(in.diag, kMsgInvalidAddressMember);
  return AddressAttribute(in, output, index, attribute);
}

double GroupReference(Interp& in, OutputTables& output) {
  int number = ReferenceNumber(in, kMsgGroupIndex);
  const TriggerEntry* group = GroupEntry(output.triggers, number);
  if (!group) FatalAt(in.diag, kMsgGroupIndex);
  unsigned char attribute = ReadAttribute(in);
  if (attribute == 0) FatalAt(in.diag, kMsgGroupExpression);
  std::vector<double>& slots = output.modal.slots;
  double* value = nullptr;
  switch (attribute) {
    case TokenValue(kTokAttrVal):
      value = &slots[static_cast<size_t>(group->position)];
      ReadToken(in);
      break;
    case TokenValue(kTokAttrSelNum):  // .modnum
      ReadToken(in);
      if (in.st.tok.code == kCodeAssign) FatalAt(in.diag, kMsgAssignModNum);
      return NumberResult(in, GroupValueCount(*group));
    case TokenValue(kTokAttrSelStr): {  // .modval[n]
      int n = ElementIndex(in, kMsgGroupMember);
      if (n < 1 || n > GroupValueCount(*group)) FatalAt(in.diag, kMsgGroupMember);
      value = &slots[static_cast<size_t>(group->position + n)];
      break;
    }
    default:
      FatalAt(in.diag, kMsgGroupMember);
  }
  if (in.st.tok.code == kCodeAssign) *value = AssignedNumber(in);
  // An undefined current value reads as 0.
  return NumberResult(in, *value == kUndefinedValue ? 0 : *value);
}

}  // namespace

int IndexedAddress(Interp& in, const AddressTable& addresses) {
  int address = ReferenceNumber(in, kMsgInvalidAddressExpression);
  if (address < 1 || address > AddressCount(addresses))
    FatalAt(in.diag, kMsgInvalidAddressExpression);
  return address;
}

double EvaluateOutputReference(Interp& in, OutputTables& output) {
  if (in.st.tok.code == TokenValue(kTokAddress)) return AddressReference(in, output);
  return GroupReference(in, output);
}

}  // namespace tornel
