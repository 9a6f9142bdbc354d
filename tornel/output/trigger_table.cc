#include "tornel/output/trigger_table.h"

#include <new>

#include "tornel/driver/file_open.h"

namespace tornel {

namespace {
constexpr size_t kTriggerGrowth = 500;
}

int AddTrigger(Diagnostics& diag, TriggerTable& table, const TriggerEntry& entry) {
  try {
    if (table.entries.size() == table.entries.capacity())
      table.entries.reserve(table.entries.size() + kTriggerGrowth);
    table.entries.push_back(entry);
  } catch (const std::bad_alloc&) {
    FatalPlain(diag, kMsgNoMemory, true);
  }
  return static_cast<int>(table.entries.size()) - 1;
}

}  // namespace tornel
