#include "platform/environment.h"

#include <windows.h>

#include <vector>

namespace platform {

std::optional<std::string> EnvironmentValue(std::string_view name) {
  std::string n(name);
  std::vector<char> buf(256);
  for (;;) {
    SetLastError(ERROR_SUCCESS);
    DWORD got = GetEnvironmentVariableA(n.c_str(), buf.data(), static_cast<DWORD>(buf.size()));
    if (got == 0) {
      if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
      return std::string();
    }
    if (got < buf.size()) return std::string(buf.data(), got);
    buf.resize(got + 1);
  }
}

}  // namespace platform
