// The texts CHANGE shows (messages.def): UTF-8 on Linux, Windows-1252 in
// the Windows build.
#pragma once

#include <string>

namespace change {

#define CHANGE_TEXT(name, text) extern const char name[];
#define CHANGE_HELP(text)
#include "tools/change/messages.def"
#undef CHANGE_TEXT
#undef CHANGE_HELP

// The help box's text: its lines one after another.
std::string HelpText();

}  // namespace change
