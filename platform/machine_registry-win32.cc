#include "platform/machine_registry.h"

#include <windows.h>

#include <cstring>

namespace platform {

namespace {

REGSAM Access(bool other_view) {
  if (!other_view) return KEY_READ;
  return KEY_READ | (sizeof(void*) == 8 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY);
}

}  // namespace

std::optional<std::string> ReadMachineValue(const std::string& key, const std::string& value) {
  return ReadMachineValue(key, value, false);
}

bool MachineKeyOpens(const std::string& key, bool other_view) {
  HKEY h = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, Access(other_view), &h) != ERROR_SUCCESS)
    return false;
  RegCloseKey(h);
  return true;
}

std::optional<std::string> ReadMachineValue(const std::string& key, const std::string& value,
                                            bool other_view) {
  HKEY h = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, Access(other_view), &h) != ERROR_SUCCESS)
    return std::nullopt;
  BYTE buffer[kMachineValueBytes] = {};
  DWORD size = sizeof buffer;
  DWORD type = 0;
  LONG got = RegQueryValueExA(h, value.c_str(), nullptr, &type, buffer, &size);
  RegCloseKey(h);
  if (got != ERROR_SUCCESS) return std::nullopt;
  if (type != REG_SZ && type != REG_EXPAND_SZ && type != REG_MULTI_SZ) return std::nullopt;
  // A text stored without its NUL ends at the value's size.
  const char* text = reinterpret_cast<const char*>(buffer);
  size_t n = size > sizeof buffer ? sizeof buffer : size;
  const void* nul = std::memchr(text, '\0', n);
  if (nul) n = static_cast<size_t>(static_cast<const char*>(nul) - text);
  return std::string(text, n);
}

}  // namespace platform
