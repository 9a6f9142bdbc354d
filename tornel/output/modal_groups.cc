#include "tornel/output/modal_groups.h"

#include "tornel/base/table_growth.h"
#include "tornel/output/address_table.h"

namespace tornel {

namespace {
constexpr size_t kModalGrowth = 100;
}

int AddModalGroup(Diagnostics& diag, TriggerTable& triggers, ModalValues& modal, int address,
                  const std::vector<double>& values) {
  std::vector<double>& s = modal.slots;
  int current = static_cast<int>(s.size());
  WithMemory(diag, [&] {
    size_t needed = s.size() + 1 + values.size();
    if (needed > s.capacity())
      s.reserve(s.capacity() + ((needed - s.capacity() + kModalGrowth - 1) / kModalGrowth) * kModalGrowth);
    s.push_back(kUndefinedValue);
    s.insert(s.end(), values.begin(), values.end());
  });
  int last = static_cast<int>(s.size()) - 1;
  return AddTrigger(diag, triggers, TriggerEntry{address, kTriggerGroup, 0, current, last});
}

const TriggerEntry* GroupEntry(const TriggerTable& triggers, int number) {
  if (number < 1 || number > static_cast<int>(triggers.entries.size())) return nullptr;
  const TriggerEntry& e = triggers.entries[number - 1];
  return e.kind == kTriggerGroup ? &e : nullptr;
}

void CheckModalGroup(ModalValues& modal, const TriggerEntry& group, double value, bool force,
                     bool forget, bool& output) {
  double* s = modal.slots.data();
  bool member = false;
  for (int i = group.position + 1; i <= group.link; ++i)
    if (s[i] == value) member = true;
  if (!member) return;
  double& current = s[group.position];
  if (current == value) output = false;
  if (current != value || force) output = true;
  current = forget ? kUndefinedValue : value;
}

}  // namespace tornel
