#include "tornel/sysvars/value_tables.h"

#include "tornel/base/table_growth.h"

namespace tornel {

void AllocateValueTables(Diagnostics& diag, ValueTables& values, const VariableTable& names) {
  // Built aside, so that a failed allocation leaves no half-made tables.
  values = ValueTables{};
  ValueTables fresh;
  WithMemory(diag, [&] {
    fresh.ints.assign(static_cast<size_t>(SlotsUsed(names, VarType::kInteger)), 0);
    fresh.reals.assign(static_cast<size_t>(SlotsUsed(names, VarType::kReal)), 0.0);
    fresh.strings.assign(static_cast<size_t>(SlotsUsed(names, VarType::kString)), std::string());
  });
  values = std::move(fresh);
}

void CreateValueTables(Diagnostics& diag, CompilerState& compiler, const VariableTable& variables,
                       ValueTables& values) {
  AllocateValueTables(diag, values, variables);
  for (int i = 0; i < compiler.string_literals; ++i) {
    const std::string* text = GetText(compiler.stacks, kStringLiteralRow, i);
    if (!text) FatalPlain(diag, kMsgIllegalStackGet, true);
    values.strings[static_cast<size_t>(compiler.first_literal + i)] = *text;
  }
  ReleaseTextRow(compiler.stacks, kStringLiteralRow);
}

}  // namespace tornel
