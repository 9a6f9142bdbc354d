// Values under HKEY_LOCAL_MACHINE, read as text.  Only Windows has a
// registry; elsewhere nothing can be read.
#pragma once

#include <optional>
#include <string>

namespace platform {

// The most a value may hold (its bytes with the terminating NUL).
inline constexpr unsigned long kMachineValueBytes = 256;

// Value `value` of key `key` (opened with read access), when it is a text
// (REG_SZ, REG_EXPAND_SZ unexpanded, the first text of REG_MULTI_SZ) of
// at most kMachineValueBytes; nullopt otherwise.
std::optional<std::string> ReadMachineValue(const std::string& key, const std::string& value);

}  // namespace platform
