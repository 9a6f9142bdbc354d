#include "tornel/dialogs/dialog_memory.h"

#include <algorithm>

namespace tornel {

namespace {

bool Same(const StoredValue& a, const StoredValue& b) {
  if (a.type != b.type) return false;
  if (a.type == kStoredInt) return a.int_value == b.int_value;
  if (a.type == kStoredReal) return a.real_value == b.real_value;
  return a.text == b.text;
}

bool IsZero(const StoredValue& s) {
  if (s.type == kStoredInt) return s.int_value == 0;
  if (s.type == kStoredReal) return s.real_value == 0;
  return s.text.empty();
}

// The memory-list position of a stored value, or -1.
int Position(const DialogVariables& vars, const StoredValue& s) {
  for (size_t i = 0; i < vars.list_b.size(); ++i) {
    if (StoredType(vars.list_b[i]) == s.type && vars.list_b[i].index == s.slot)
      return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

bool RecordDefaults(DialogMemory& m, const DialogVariables& vars, const ValueTables& v,
                    const std::optional<std::vector<std::string>>& section) {
  m.recorded.clear();
  m.zero_at_start.clear();
  for (const DialogVariable& var : vars.list_b) {
    m.recorded.push_back(ValueOf(v, var));
    m.zero_at_start.push_back(IsZero(m.recorded.back()));
  }
  m.reset = m.recorded;
  if (!section) return true;
  std::optional<std::vector<StoredValue>> values = ReadBody(*section, CountsOf(v), vars.list_b);
  if (!values) return false;
  for (const StoredValue& s : *values) {
    int i = Position(vars, s);
    if (i >= 0) m.recorded[static_cast<size_t>(i)] = s;
  }
  return true;
}

bool ApplySettings(DialogMemory& m, const DialogVariables& vars, ValueTables& v,
                   const std::vector<std::string>& lines) {
  bool bad = false;
  std::optional<std::vector<StoredValue>> values = ReadBody(lines, CountsOf(v), vars.list_a, &bad);
  if (!values || bad) return false;
  for (const StoredValue& s : *values) {
    PutStored(v, s);
    int i = Position(vars, s);
    if (i >= 0) m.recorded[static_cast<size_t>(i)] = s;
  }
  return true;
}

bool ApplyStoredValues(DialogMemory& m, const DialogVariables& vars, ValueTables& v,
                       const std::vector<std::string>& lines, const std::vector<int>& zero_restored) {
  m.reset.clear();
  for (const DialogVariable& var : vars.list_b) m.reset.push_back(ValueOf(v, var));
  std::optional<std::vector<StoredValue>> values = ReadBody(lines, CountsOf(v), vars.list_b);
  if (!values) return false;
  for (const StoredValue& s : *values) {
    int i = Position(vars, s);
    if (i < 0) continue;
    size_t k = static_cast<size_t>(i);
    bool unchanged_default = k < m.recorded.size() && Same(m.reset[k], m.recorded[k]);
    bool zero_rule = s.type == kStoredReal && k < m.zero_at_start.size() && m.zero_at_start[k] &&
                     std::find(zero_restored.begin(), zero_restored.end(), s.slot) != zero_restored.end();
    if (unchanged_default || zero_rule) PutStored(v, s);
  }
  return true;
}

void ResetVariables(const DialogMemory& m, const DialogVariables& vars, ValueTables& v,
                    const std::vector<DialogVariable>* shown) {
  for (size_t i = 0; i < vars.list_b.size() && i < m.reset.size(); ++i) {
    const DialogVariable& var = vars.list_b[i];
    if (shown && std::find(shown->begin(), shown->end(), var) == shown->end()) continue;
    PutStored(v, m.reset[i]);
  }
}

}  // namespace tornel
