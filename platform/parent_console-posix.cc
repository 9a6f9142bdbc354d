#include "platform/parent_console.h"

namespace platform {

void UseParentConsole() {}

}  // namespace platform
