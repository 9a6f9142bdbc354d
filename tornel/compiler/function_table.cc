#include "tornel/compiler/function_table.h"

#include "tornel/base/table_growth.h"

namespace tornel {

int ReserveDescriptor(Diagnostics& diag, FunctionTables& tables, int params) {
  int offset = tables.descriptor_end;
  int size = DescriptorSize(params);
  GrowTable(diag, tables.descriptors, static_cast<size_t>(offset + size - 1));
  WithMemory(diag, [&] { tables.offsets.push_back(offset); });
  tables.descriptor_end = offset + size;
  return offset;
}

void AddOnApt(Diagnostics& diag, FunctionTables& tables, int label, std::string command) {
  std::vector<OnAptEntry>& table = tables.onapt;
  WithMemory(diag, [&] {
    if (table.size() == table.capacity()) table.reserve(table.capacity() + kTableGrowth);
    table.push_back({label, std::move(command)});
  });
}

}  // namespace tornel
