// The post dialogs of a run: the definitions on screen and the one being
// defined (a button's function may define and show a child dialog), the
// screen they are shown on, and the value memory.
#pragma once

#include <memory>
#include <vector>

#include "tornel/dialogs/dialog_def.h"
#include "tornel/dialogs/dialog_memory.h"
#include "tornel/dialogs/dialog_run.h"

namespace tornel {

struct DialogSession {
  std::vector<DialogDef> defs;  // the dialogs on screen, then the one being defined
  int on_screen = 0;
  DialogMemory memory;
  std::unique_ptr<DialogScreen> screen;  // made at the first dialog

  bool Defining() const { return static_cast<int>(defs.size()) > on_screen; }
};

}  // namespace tornel
