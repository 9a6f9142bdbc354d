#include "tornel/output/trigger_check.h"

#include "tornel/driver/run_context.h"

namespace tornel {

void CheckTriggers(RunContext& ctx, int key, double value, bool force, bool forget,
                   bool /*restricted*/, bool& output) {
  OutputTables& o = ctx.output;
  // By index: a trigger may add entries while the walk goes on.
  for (size_t i = 0; i < o.triggers.entries.size(); ++i) {
    const TriggerEntry e = o.triggers.entries[i];
    if (e.flag == kTriggerFlagWritten && !output) continue;
    if (e.kind == kTriggerGroup && e.key == key) CheckModalGroup(o.modal, e, value, force, forget, output);
  }
}

}  // namespace tornel
