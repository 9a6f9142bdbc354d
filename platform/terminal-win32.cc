#include "platform/terminal.h"

#include <io.h>
#include <stdio.h>

namespace platform {

bool StdinIsTerminal() { return _isatty(_fileno(stdin)) != 0; }
bool StderrIsTerminal() { return _isatty(_fileno(stderr)) != 0; }

}  // namespace platform
