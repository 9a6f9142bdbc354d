// Whether the standard streams are attached to an interactive terminal,
// and how wide it is.
#pragma once

namespace platform {

bool StdinIsTerminal();
bool StderrIsTerminal();
// The width of the terminal standard error writes to, in columns; 80 when
// it has none or does not say.  Asked again at every redraw, so a window
// that was resized is followed.
int StderrColumns();

}  // namespace platform
