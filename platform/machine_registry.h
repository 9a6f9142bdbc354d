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

// The same in a chosen view of the registry: `other_view` opens the key in
// the view a program of the other width sees (a 64-bit program the 32-bit
// one, a 32-bit program the 64-bit one), where installers of the other
// width keep their keys.
std::optional<std::string> ReadMachineValue(const std::string& key, const std::string& value,
                                            bool other_view);
// Whether key `key` opens with read access (in the other view with `other_view`).
bool MachineKeyOpens(const std::string& key, bool other_view);

}  // namespace platform
