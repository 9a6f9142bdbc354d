#include "tornel/dev/trace_observer.h"

#include <algorithm>
#include <cstdio>

namespace tornel::dev {

int TraceObserver::CurrentRecord() {
  const ClReader& r = run_.cl;
  if (!r.input || r.processing < 0 || static_cast<size_t>(r.processing) >= r.slots.size())
    return -1;
  const RecordSlot& slot = r.slots[static_cast<size_t>(r.processing)];
  if (slot.words == 0) return -1;
  if (last_slot_ == r.processing && !log_.records.empty()) {
    const TraceRecord& last = log_.records.back();
    if (last.cl_line == slot.line && last.text == slot.text)
      return static_cast<int>(log_.records.size()) - 1;
  }
  last_slot_ = r.processing;
  TraceRecord rec;
  rec.cl_line = slot.line;
  rec.text = slot.text;
  if (!var_names_.empty()) rec.vars = VariableValues();
  log_.records.push_back(std::move(rec));
  return static_cast<int>(log_.records.size()) - 1;
}

std::string TraceObserver::ActiveTrigger() const {
  const OutputTables& o = run_.output;
  if (o.running_triggers.empty()) return "";
  int id = o.running_triggers.back();
  if (id < 0) {  // an OnAddr function, by its descriptor
    int descriptor = -id - 1;
    for (const AddressHook& h : run_.compiler.functions.address_hooks)
      if (h.descriptor == descriptor)
        return std::string(h.out ? "OnAddrOut[" : "OnAddr[") + h.address + "]";
    return "OnAddr";
  }
  for (const TriggerEntry& e : o.triggers.entries) {
    if (e.position != id) continue;
    const char* kind = e.kind == kTriggerWith   ? "WITH"
                       : e.kind == kTriggerBind ? "BIND"
                       : e.kind == kTriggerEach ? "EACH"
                                                : nullptr;
    if (!kind) continue;
    std::string text = kind;
    if (e.key > 0 && static_cast<size_t>(e.key) < o.addresses.names.size())
      text += " " + o.addresses.names[static_cast<size_t>(e.key)];
    return text;
  }
  return "trigger";
}

std::string TraceObserver::VariableValues() {
  if (!vars_resolved_) {
    vars_resolved_ = true;
    for (const std::string& name : var_names_) {
      const VariableEntry* e = FindVariable(run_.variables, name);
      vars_.push_back(e);
      if (!e) unknown_.push_back(name);
    }
  }
  std::string text;
  char buf[64];
  for (size_t i = 0; i < vars_.size(); ++i) {
    if (i) text += ' ';
    text += var_names_[i];
    text += '=';
    const VariableEntry* e = vars_[i];
    size_t slot = e ? static_cast<size_t>(e->slot) : 0;
    if (!e) {
      text += '?';
    } else if (e->type == VarType::kInteger && slot < run_.values.ints.size()) {
      text += std::to_string(run_.values.ints[slot]);
    } else if (e->type == VarType::kReal && slot < run_.values.reals.size()) {
      std::snprintf(buf, sizeof buf, "%.10g", run_.values.reals[slot]);
      text += buf;
    } else if (e->type == VarType::kString && slot < run_.values.strings.size()) {
      text += '\'' + run_.values.strings[slot] + '\'';
    } else {
      text += '?';
    }
  }
  return text;
}

int TraceObserver::LineStarted() {
  LineOrigin o;
  o.pass = run_.flags.scan_pass ? 1 : 2;
  o.record = CurrentRecord();
  // Post functions run nested; a line started outside one while a record is
  // processed comes from the CL processing itself (PPRINT, an NC string, a
  // warning), and the location left is that of some earlier statement.
  o.in_function = run_.interp.nesting > 0 || o.record < 0;
  o.loc = run_.diag.loc;
  o.via = ActiveTrigger();
  log_.origins.push_back(std::move(o));
  return static_cast<int>(log_.origins.size());
}

void TraceObserver::LineWritten(int mark, std::string_view text, bool to_nc_file) {
  if (!to_nc_file) {
    ++log_.redirected;
    return;
  }
  WrittenLine w;
  w.origin = mark - 1;
  w.file_lines = static_cast<int>(std::count(text.begin(), text.end(), '\n'));
  log_.written.push_back(w);
}

}  // namespace tornel::dev
