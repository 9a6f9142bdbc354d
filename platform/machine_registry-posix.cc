#include "platform/machine_registry.h"

namespace platform {

std::optional<std::string> ReadMachineValue(const std::string&, const std::string&) {
  return std::nullopt;
}

std::optional<std::string> ReadMachineValue(const std::string&, const std::string&, bool) {
  return std::nullopt;
}

bool MachineKeyOpens(const std::string&, bool) { return false; }

}  // namespace platform
