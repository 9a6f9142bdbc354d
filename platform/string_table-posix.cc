#include "platform/string_table.h"

namespace platform {

std::optional<std::string> ProgramStringEntry(int) { return std::nullopt; }

}  // namespace platform
