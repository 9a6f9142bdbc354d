#include "platform/code_pages.h"

#include <windows.h>
// winuser.h names CharToOemA AnsiToOem by a macro, which would rename ours.
#undef AnsiToOem

// <windows.h> names the system's own AnsiToOem (a macro for CharToOemA),
// which would rename ours here.
#undef AnsiToOem

namespace platform {

std::string AnsiToOem(std::string_view text) {
  std::string out(text);
  // Converts in place, byte for byte; the text may hold NUL bytes, so the
  // length is passed rather than taken from a terminator.
  if (!out.empty()) CharToOemBuffA(out.data(), out.data(), static_cast<DWORD>(out.size()));
  return out;
}

}  // namespace platform
