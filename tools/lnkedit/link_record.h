// The fields of one shortcut, as lnkedit shows and changes them.  Texts are
// in the program's own character set: the ANSI code page on Windows, UTF-8
// elsewhere.
#pragma once

#include <cstdint>
#include <string>

namespace lnkedit {

// Show commands of the shortcut's window.
inline constexpr int kShowNormal = 1;
inline constexpr int kShowMinimized = 7;
inline constexpr int kShowMaximized = 3;

struct LinkRecord {
  std::string target;       // full path of the object the shortcut points to
  std::string arguments;    // command line arguments
  std::string description;
  std::string working_dir;
  uint16_t hotkey = 0;      // virtual key in the low byte, modifiers in the high
  std::string icon_file;
  int icon_index = 0;
  int show_command = kShowNormal;
};

// The longest text a field of the record holds (a path buffer of 260
// characters with its terminating NUL).
inline constexpr size_t kMaxFieldLength = 259;

}  // namespace lnkedit
