// The console's progress line, for the backends: the whole display
// elsewhere, the fallback on Windows where no window can be made.
#pragma once

#include "platform/progress.h"

namespace platform::console {

void ProgressOpen(ProgressWindow& w);
void ProgressClose(ProgressWindow& w);
PumpResult PumpMessages(ProgressWindow& w);

}  // namespace platform::console
