#include "tornel/sysvars/value_tables.h"

#include <new>
#include <stdexcept>

#include "tornel/driver/file_open.h"

namespace tornel {

void AllocateValueTables(Diagnostics& diag, ValueTables& values, const VariableTable& names) {
  values = ValueTables{};
  try {
    values.ints.assign(static_cast<size_t>(SlotsUsed(names, VarType::kInteger)), 0);
    values.reals.assign(static_cast<size_t>(SlotsUsed(names, VarType::kReal)), 0.0);
    values.strings.assign(static_cast<size_t>(SlotsUsed(names, VarType::kString)), std::string());
  } catch (const std::bad_alloc&) {
    values = ValueTables{};
    FatalPlain(diag, kMsgNoMemory, true);
  } catch (const std::length_error&) {
    values = ValueTables{};
    FatalPlain(diag, kMsgNoMemory, true);
  }
}

}  // namespace tornel
