// The progress window, for the other Windows backends: message boxes,
// post dialogs and the post list are owned by it while it is open.
#pragma once

#include <windows.h>

namespace platform {

// The open progress window of this thread, or null.
HWND OpenProgressWindow();

}  // namespace platform
