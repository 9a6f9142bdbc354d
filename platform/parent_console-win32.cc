#include "platform/parent_console.h"

#include <windows.h>

#include <cstdio>

namespace platform {

namespace {

bool Usable(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }

}  // namespace

void UseParentConsole() {
  if (Usable(GetStdHandle(STD_ERROR_HANDLE))) return;
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;  // started from a desktop
  HANDLE out = CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (!Usable(out)) return;
  // Both the system's handle (which the reports test for) and the C
  // stream (which they write to).
  SetStdHandle(STD_ERROR_HANDLE, out);
  if (!Usable(GetStdHandle(STD_OUTPUT_HANDLE))) SetStdHandle(STD_OUTPUT_HANDLE, out);
  std::FILE* reopened = std::freopen("CONOUT$", "w", stderr);
  (void)reopened;  // without it the reports go nowhere, as before
}

}  // namespace platform
