#include "tornel/output/address_word.h"

#include <cmath>

#include "tornel/output/number_format.h"
#include "tornel/output/output_context.h"
#include "tornel/output/trigger_check.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {

bool FormAddressWord(OutputContext& ctx, int& address, double value, WordModifier modifier,
                     bool forget, std::string& text) {
  std::vector<AddressRecord>& records = ctx.output.addresses.records;
  const ValueTables& v = ctx.values;
  if (int target = records[address].direct; target != 0) address = target;
  AddressRecord* a = &records[address];

  bool output = a->enable != 0;
  int dec = DecDigits(*a, v);
  int modal = a->modal == kUseGlobal ? v.ints[kSiModal] : a->modal;
  int zero = a->inczero;
  switch (modifier) {
    case WordModifier::kModal:
      if (a->modal != kModalForce) modal = 1;
      zero = 0;
      break;
    case WordModifier::kForce:
      modal = 0;
      zero = 1;
      break;
    default:
      break;
  }
  bool inc = (a->inc == kIncFollow ? v.ints[kSiInc] : a->inc) != 0;
  bool from = a->from != 0;
  if (zero == kUseGlobal) zero = inc ? v.ints[kSiZeroInc] : from ? v.ints[kSiZeroFrom] : 1;

  double scaled = a->scale * value + a->trans;
  if (!std::isfinite(scaled)) FatalAt(ctx.diag, kMsgAddressOutOfRange);
  a->value = scaled;
  double out_value = scaled;
  NumberText number;
  if (modifier == WordModifier::kForget || modifier == WordModifier::kPlain) {
    if (modifier == WordModifier::kForget) a->lasttext.clear();
    ValueText(out_value, dec, number);
  } else {
    if (inc) {
      double r = std::floor(std::pow(10.0, dec) * scaled + 0.5) * std::pow(0.1, dec);
      out_value = r - a->incbase;
      a->incbase = r;
    } else {
      a->incbase = scaled;
      if (from) out_value = scaled - records[a->from].lastval;
    }
    ValueText(out_value, dec, number);
    if ((inc || from) && zero == 0 && IsZeroText(number.view())) output = false;
    if ((modal != 0 || inc || from) && number.view() == a->lasttext) output = false;
    if (inc || from || forget) a->lasttext.clear();
    else a->lasttext.assign(number.view());
    CheckTriggers(ctx, address, out_value, modifier == WordModifier::kForce, forget, false, output);
    a = &records[address];
    a->lastval = scaled;
  }

  if (a->enable == 0) return false;
  const std::vector<std::string>& strings = ctx.values.strings;
  if (output) {
    if (IsSelect(*a)) {
      int s = SelectedString(*a, out_value);
      a->valtext.assign(s >= 0 ? std::string_view(strings[s]) : std::string_view());
    } else {
      FormatNumber(*a, number.view(), IntDigits(*a, v), dec, SwitchesFrom(v), a->valtext);
    }
  } else if (a->modal == kModalForce) {
    a->valtext.clear();
  } else {
    return false;
  }
  text.assign(strings[a->prefix]);
  text += a->valtext;
  if (a->suffix != kNoSuffix) text += strings[a->suffix];
  return true;
}

bool AddressBlank(const AddressTable& addresses, const ValueTables& values, int address) {
  int space = addresses.records[address].space;
  if (space == kUseGlobal) space = values.ints[kSiSpaces];
  return space != 0;
}

}  // namespace tornel
