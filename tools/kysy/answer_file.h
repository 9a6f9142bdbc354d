// The answer file: a batch file of "set Dlg_RetN=" lines that the calling
// batch file runs to read a command's answer.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tools/kysy/seams.h"

namespace kysy {

// A command's answer: one, two or five values (Dlg_Ret1 ...).
using Answer = std::vector<std::string>;

// The file's text: one value "set Dlg_Ret1=v\n"; two values with an empty
// line between their lines; five values on five lines.
std::string AnswerText(const Answer& values);

// Where the answer goes: "Dlg_Ret.bat" in the folder named by `temp`;
// nullopt when `temp` is not set (then no answer file is written).
std::optional<std::string> AnswerPath(const Environment& env);

// Writes the answer, converted to the OEM character set, as a complete
// new file in place of an older one.  False when `temp` is not set or
// the file could not be written whole (an older one then stays).
bool WriteAnswer(Host& host, const Answer& values);

}  // namespace kysy
