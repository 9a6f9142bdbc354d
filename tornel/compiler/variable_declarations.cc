#include "tornel/compiler/variable_declarations.h"

#include "tornel/base/table_growth.h"
#include "tornel/compiler/tokens.h"

namespace tornel {

namespace {

constexpr char kTypeBytes[kVarTypes] = {kTokIntVar, kTokRealVar, kTokStringRef};

// The definition as a name of the right table, or a report.
VariableDefinition ParseDefinition(Diagnostics& diag, std::string_view text) {
  std::optional<VariableDefinition> def = ParseVariableDefinition(text);
  if (!def || !TypeFromName(def->name)) FatalAt(diag, kMsgInvalidVariable);
  if (def->elements > kArrayLimit)
    FatalAt(diag, FormatMessage(kMsgArrayTooLarge, {std::to_string(kArrayLimit)}));
  return *def;
}


}  // namespace

void ReportTooManyVariables(Diagnostics& diag) {
  FatalAt(diag, FormatMessage(kMsgTooManyVariables, {std::to_string(kValueTableLimit)}));
}

std::string VariableReference(VarType type, int slot, int elements, bool is_array) {
  std::string ref(1, kTypeBytes[static_cast<int>(type)]);
  ref += std::to_string(slot);
  if (is_array) {
    ref += '|';
    ref += std::to_string(elements);
  }
  return ref;
}

std::string VariableReference(const VariableEntry& entry) {
  return VariableReference(entry.type, entry.slot, entry.elements, entry.is_array);
}

void CheckVariablePrefix(Diagnostics& diag, std::string_view text, bool in_function) {
  char first = text.empty() ? '\0' : text[0];
  if (!in_function && first == 'l') FatalAt(diag, kMsgGlobalNotUser);
  if (in_function && first == 'u') FatalAt(diag, kMsgLocalNotLocal);
  if (first != (in_function ? 'l' : 'u')) FatalAt(diag, kMsgInvalidVariable);
}

void DefineGlobalVariable(Diagnostics& diag, VariableTable& variables,
                          std::unordered_set<std::string>& file_names, std::string_view text,
                          int file) {
  VariableDefinition def = ParseDefinition(diag, text);
  std::string name = LowerName(def.name);
  if (!file_names.insert(name).second) FatalAt(diag, FormatMessage(kMsgVariableInUse, {name}));
  DefineResult result = DefineVariable(variables, *TypeFromName(name), text, file);
  if (result.status == DefineStatus::kTooLarge) ReportTooManyVariables(diag);
}

const LocalVariable& DefineLocalVariable(Diagnostics& diag, VariableTable& variables,
                                         LocalVariables& locals, std::string_view text) {
  VariableDefinition def = ParseDefinition(diag, text);
  std::string name = LowerName(def.name);
  if (locals.by_name.count(name)) FatalAt(diag, FormatMessage(kMsgVariableInUse, {name}));
  VarType type = *TypeFromName(name);
  int slot = AllocateSlots(variables, type, def.elements);
  if (slot < 0) ReportTooManyVariables(diag);
  std::string ref = VariableReference(type, slot, def.elements, def.is_array);
  locals.by_name.emplace(name, locals.list.size());
  locals.list.push_back({std::move(name), type, slot, std::move(ref)});
  return locals.list.back();
}

}  // namespace tornel
