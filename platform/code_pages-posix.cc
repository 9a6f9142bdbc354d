#include "platform/code_pages.h"

namespace platform {

std::string AnsiToOem(std::string_view text) { return Cp1252ToCp850(text); }

}  // namespace platform
