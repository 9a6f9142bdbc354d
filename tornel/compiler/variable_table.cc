#include "tornel/compiler/variable_table.h"

#include "tornel/base/table_growth.h"

namespace tornel {

std::string LowerName(std::string_view name) {
  std::string lower(name);
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return lower;
}

const VariableEntry* FindVariable(const VariableTable& table, std::string_view name) {
  auto it = table.by_name.find(LowerName(name));
  return it == table.by_name.end() ? nullptr : &table.entries[it->second];
}

int AllocateSlots(VariableTable& table, VarType type, int count) {
  int& used = table.slots_used[static_cast<int>(type)];
  if (count < 0 || used > kValueTableLimit - count) return -1;
  int first = used;
  used += count;
  return first;
}

DefineResult DefineVariable(VariableTable& table, VarType type, std::string_view text, int file) {
  std::optional<VariableDefinition> def = ParseVariableDefinition(text);
  if (!def) return {DefineStatus::kInvalid};
  std::string name = LowerName(def->name);
  if (auto it = table.by_name.find(name); it != table.by_name.end())
    return {DefineStatus::kShared, it->second};

  int slot = AllocateSlots(table, type, def->elements);
  if (slot < 0) return {DefineStatus::kTooLarge};
  table.entries.push_back({name, type, slot, def->elements, def->is_array, file});
  table.by_name.emplace(std::move(name), table.entries.size() - 1);
  return {DefineStatus::kDefined, table.entries.size() - 1};
}

}  // namespace tornel
