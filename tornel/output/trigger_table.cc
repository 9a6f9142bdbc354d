#include "tornel/output/trigger_table.h"

#include "tornel/base/table_growth.h"

namespace tornel {

namespace {
constexpr size_t kTriggerGrowth = 500;
}

int AddTrigger(Diagnostics& diag, TriggerTable& table, const TriggerEntry& entry) {
  WithMemory(diag, [&] {
    if (table.entries.size() == table.entries.capacity())
      table.entries.reserve(table.entries.size() + kTriggerGrowth);
    table.entries.push_back(entry);
  });
  return static_cast<int>(table.entries.size()) - 1;
}

void RemoveTrigger(TriggerTable& table, size_t index) {
  std::vector<TriggerEntry>& t = table.entries;
  const int number = TriggerNumber(static_cast<int>(index));
  const int before = t[index].link;
  const bool listed = t[index].kind == kTriggerWith || t[index].kind == kTriggerBind;
  t.erase(t.begin() + static_cast<std::ptrdiff_t>(index));
  for (TriggerEntry& e : t) {
    if (e.kind != kTriggerWith && e.kind != kTriggerBind) continue;
    if (listed && e.link == number) e.link = before;
    else if (e.link > number) --e.link;
  }
}

size_t RemoveTriggerList(TriggerTable& table, size_t index, size_t walk) {
  std::vector<TriggerEntry>& t = table.entries;
  // Links point back, so the list is its first entry and every later entry
  // whose link reaches a member.
  size_t head = index;
  while (t[head].link > 0 && static_cast<size_t>(t[head].link) <= t.size()) head = t[head].link - 1;
  std::vector<bool> member(t.size(), false);
  member[head] = true;
  for (size_t j = head + 1; j < t.size(); ++j) {
    int link = t[j].link;
    bool listed = t[j].kind == kTriggerWith || t[j].kind == kTriggerBind;
    if (listed && link > 0 && static_cast<size_t>(link) <= t.size() && member[link - 1]) member[j] = true;
  }
  size_t gone_before = 0;
  for (size_t j = t.size(); j-- > 0;) {
    if (!member[j]) continue;
    RemoveTrigger(table, j);
    if (j <= walk) ++gone_before;
  }
  return gone_before;
}

void RemoveTriggers(TriggerTable& table, int kind, int key) {
  for (size_t j = table.entries.size(); j-- > 0;) {
    const TriggerEntry& e = table.entries[j];
    if (e.kind == kind && (key == kAllKeys || e.key == key)) RemoveTrigger(table, j);
  }
}

}  // namespace tornel
