#include <windows.h>

#include "platform/string_table.h"

namespace platform {

std::optional<std::string> ProgramStringEntry(int entry) {
  if (entry < 0 || entry > 0xFFFF) return std::nullopt;
  // With a length of 0 LoadStringW hands out the resource's own text,
  // which is not terminated; its length is what it returns.
  const wchar_t* text = nullptr;
  int length = LoadStringW(GetModuleHandleW(nullptr), static_cast<UINT>(entry),
                           reinterpret_cast<wchar_t*>(&text), 0);
  if (length <= 0 || !text) return std::nullopt;
  int bytes = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return std::nullopt;
  std::string out(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, length, out.data(), bytes, nullptr, nullptr);
  return out;
}

}  // namespace platform
