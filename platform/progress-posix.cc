#include "platform/progress.h"
#include "platform/progress_console.h"

namespace platform {

void ProgressOpen(ProgressWindow& w) { console::ProgressOpen(w); }
void ProgressClose(ProgressWindow& w) { console::ProgressClose(w); }
// The line is made afresh at every redraw.
void ProgressShowTexts(ProgressWindow&) {}
PumpResult PumpMessages(ProgressWindow& w) { return console::PumpMessages(w); }

}  // namespace platform
