// Character-set conversion for text handed to batch files: Windows batch
// files run in the OEM code page, while programs and their arguments use
// the ANSI one.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// `text` from the ANSI to the OEM character set, byte for byte (the result
// has the same length).  On Windows the system's own conversion; elsewhere
// Windows-1252 to code page 850, '?' for a character code page 850 lacks.
std::string AnsiToOem(std::string_view text);

// The portable table behind AnsiToOem off Windows, open to tests on every
// build.
std::string Cp1252ToCp850(std::string_view text);

}  // namespace platform
