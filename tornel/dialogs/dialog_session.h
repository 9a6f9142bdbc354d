// The post dialogs of a run: the definitions on screen and the one being
// defined (a button's function may define and show a child dialog), the
// screen they are shown on, and the value memory.
#pragma once

#include <deque>
#include <memory>

#include "tornel/dialogs/dialog_def.h"
#include "tornel/dialogs/dialog_memory.h"
#include "tornel/dialogs/dialog_run.h"

namespace tornel {

struct DialogSession {
  // The dialogs on screen, then the one being defined; a deque, so that a
  // child defined while its parent is shown leaves the parent in place.
  std::deque<DialogDef> defs;
  int on_screen = 0;
  DialogMemory memory;
  std::unique_ptr<DialogScreen> screen;  // made at the first dialog

  bool Defining() const { return static_cast<int>(defs.size()) > on_screen; }
};

}  // namespace tornel
