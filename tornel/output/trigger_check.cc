#include "tornel/output/trigger_check.h"

#include <algorithm>

#include "tornel/output/output_context.h"
#include "tornel/output/trigger_statements.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {

namespace {

// Marks a statement or function as running for as long as it runs; the
// mark comes off however the run ends.
class Running {
 public:
  Running(std::vector<int>& list, int id) : list_(list) { list_.push_back(id); }
  ~Running() { list_.pop_back(); }
  Running(const Running&) = delete;
  Running& operator=(const Running&) = delete;

 private:
  std::vector<int>& list_;
};

bool IsRunning(const OutputTables& o, int id) {
  return std::find(o.running_triggers.begin(), o.running_triggers.end(), id) !=
         o.running_triggers.end();
}

// Functions are told apart from statement positions by sign.
int FunctionId(int descriptor) { return -descriptor - 1; }

bool SameEntry(const TriggerEntry& a, const TriggerEntry& b) {
  return a.key == b.key && a.kind == b.kind && a.flag == b.flag && a.position == b.position &&
         a.link == b.link;
}

// Where `e` stands now: the statement that just ran may have moved it.
size_t FindEntry(const TriggerTable& t, size_t hint, const TriggerEntry& e) {
  if (hint < t.entries.size() && SameEntry(t.entries[hint], e)) return hint;
  for (size_t j = 0; j < t.entries.size(); ++j)
    if (SameEntry(t.entries[j], e)) return j;
  return t.entries.size();
}

bool KindSwitchedOn(const ValueTables& v, int kind) {
  switch (kind) {
    case kTriggerWith: return v.ints[kSiWithOn] != 0;
    case kTriggerBind: return v.ints[kSiBindOn] != 0;
    case kTriggerEach: return true;
    default: return false;
  }
}

}  // namespace

void CheckTriggers(OutputContext& ctx, int key, double value, bool force, bool forget,
                   bool restricted, bool& output) {
  OutputTables& o = ctx.output;
  std::vector<TriggerEntry>& entries = o.triggers.entries;
  // By index: a triggered statement may add or remove entries.
  for (size_t next = 0; next < entries.size();) {
    size_t i = next++;
    if (entries[i].key != key) continue;  // most entries: before the copy
    const TriggerEntry e = entries[i];
    if (e.flag == kTriggerFlagWritten && !output) continue;
    if (e.kind == kTriggerGroup) {
      CheckModalGroup(o.modal, e, value, force, forget, output);
      continue;
    }
    if (restricted || !KindSwitchedOn(ctx.values, e.kind) || IsRunning(o, e.position)) continue;
    if (e.flag == kTriggerFlagForce) output = true;
    {
      Running mark(o.running_triggers, e.position);
      RunTriggeredStatement(ctx, e.position, e.kind == kTriggerEach);
    }
    if (e.kind != kTriggerWith) continue;
    size_t at = FindEntry(o.triggers, i, e);
    if (at < entries.size()) next -= RemoveTriggerList(o.triggers, at, i);
  }

  if (ctx.values.ints[kSiOnAddrOn] == 0) return;
  for (size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].key != key) continue;
    const TriggerEntry e = entries[i];
    if (e.kind != kTriggerFunction) continue;
    // SET: writes nothing: OnAddrOut functions stay out of it.
    if (e.flag == kTriggerFlagWritten && (!output || restricted)) continue;
    int id = FunctionId(e.position);
    if (IsRunning(o, id)) continue;
    const std::vector<int32_t>& descriptors = ctx.calls.in.functions.descriptors;
    if (e.position < 0 || static_cast<size_t>(e.position) >= descriptors.size()) continue;
    Running mark(o.running_triggers, id);
    RunLabel(ctx.calls, descriptors[static_cast<size_t>(e.position) + kDescLabel]);
    if (ctx.values.ints[kSiOnAddrOn] == 0) return;
  }
}

}  // namespace tornel
