// The program's own string table (a Windows resource): texts a translator
// can replace without building the program again.
#pragma once

#include <optional>
#include <string>

namespace platform {

// Entry `entry` of the running program's string table in the ANSI code
// page; nullopt where the program has no such entry (always, on targets
// without resources).
std::optional<std::string> ProgramStringEntry(int entry);

}  // namespace platform
