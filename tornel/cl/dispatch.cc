#include "tornel/cl/dispatch.h"

#include "tornel/driver/run_context.h"

namespace tornel {

// Records reach this point in file order with their record variables set;
// the handling of each major word is added here.
void DispatchRecord(RunContext& ctx, int slot) {
  (void)ctx;
  (void)slot;
}

}  // namespace tornel
