#include "platform/environment.h"

#include <cstdlib>
#include <cstring>

extern char** environ;

namespace platform {

namespace {

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t k = 0; k < a.size(); ++k) {
    char x = a[k], y = b[k];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

}  // namespace

std::optional<std::string> EnvironmentValue(std::string_view name) {
  if (const char* exact = std::getenv(std::string(name).c_str())) return std::string(exact);
  for (char** e = environ; e && *e; ++e) {
    const char* eq = std::strchr(*e, '=');
    if (eq && SameName(std::string_view(*e, static_cast<size_t>(eq - *e)), name))
      return std::string(eq + 1);
  }
  return std::nullopt;
}

}  // namespace platform
