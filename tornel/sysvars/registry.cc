#include "tornel/sysvars/registry.h"

#include <cassert>

namespace tornel {

void RegisterSystemVariables(VariableTable& names) {
  names = VariableTable{};
  names.entries.reserve(kSystemVariableCount);
  names.by_name.reserve(kSystemVariableCount);
  // Every row is checked to be a valid definition at compile time, and no
  // name repeats (tested), so each one takes fresh slots.
  for (const SystemVariableRow& row : kSystemVariableRows) {
    [[maybe_unused]] DefineResult result = DefineVariable(names, row.type, row.text, kNoFile);
    assert(result.status == DefineStatus::kDefined);
  }
  names.system_string_slots = SlotsUsed(names, VarType::kString);
}

}  // namespace tornel
