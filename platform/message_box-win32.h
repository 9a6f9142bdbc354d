// The Win32 message box behind the message and question calls, for the
// Windows backends of the platform layer: a box owned by a window of
// ours or by none.
#pragma once

#include <windows.h>

#include <string>

#include "platform/message_box.h"

namespace platform {

UINT IconFlags(Icon icon);

// As AskQuestion, the box owned by `owner` (nullptr: modal to the task).
int AskOwned(HWND owner, const std::string& caption, const std::string& text, Icon icon,
             Buttons buttons, int default_button);

}  // namespace platform
