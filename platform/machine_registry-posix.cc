#include "platform/machine_registry.h"

namespace platform {

std::optional<std::string> ReadMachineValue(const std::string&, const std::string&) {
  return std::nullopt;
}

}  // namespace platform
