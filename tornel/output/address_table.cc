#include "tornel/output/address_table.h"

#include <cmath>

#include "tornel/sysvars/system_variables.h"

namespace tornel {

int SelectedString(const AddressRecord& a, double value) {
  int count = SelectCount(a);
  if (count == 0) return -1;
  double k = value - 1.0;
  if (!(k >= 0.0)) return a.numsbef;  // negative, or not a number
  if (k > count - 1) return a.numsaft;
  return a.numsbef + static_cast<int>(k);
}

int IntDigits(const AddressRecord& a, const ValueTables& values) {
  if (values.ints[kSiMetric] != 0 || a.numsbefinch < 1) return a.numsbef;
  return a.numsbefinch;
}

int DecDigits(const AddressRecord& a, const ValueTables& values) {
  if (IsSelect(a)) return 0;
  if (values.ints[kSiMetric] != 0 || a.numsaftinch < 1) return a.numsaft;
  return a.numsaftinch;
}

double RoundedValue(const AddressRecord& a) {
  double step = std::pow(0.1, a.numsaft);
  if (!(step > 0.0)) return a.lastval;
  return step * std::floor(a.lastval / step + 0.5);
}

AddressRecord NewAddressRecord(int index) {
  AddressRecord r;
  r.order = 100 * index;
  return r;
}

}  // namespace tornel
