// Whether the standard streams are attached to an interactive terminal.
#pragma once

namespace platform {

bool StdinIsTerminal();
bool StderrIsTerminal();

}  // namespace platform
