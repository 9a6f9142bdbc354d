// setup's texts, each defined once in texts.def: the fixed names as
// constants, the texts shown to the user by their string-table entry.
#pragma once

#include <string>

#include "tools/setup/seams.h"

namespace setup {

#define SETUP_NAME(name, text) inline constexpr const char name[] = text;
#define SETUP_TEXT(name, entry, text)
#include "tools/setup/texts.def"
#undef SETUP_TEXT
#undef SETUP_NAME

enum TextId : int {
#define SETUP_NAME(name, text)
#define SETUP_TEXT(name, entry, text) name = entry,
#include "tools/setup/texts.def"
#undef SETUP_TEXT
#undef SETUP_NAME
};

// The Finnish text built into the program for `id`.
const char* BuiltInText(TextId id);

// What the user is shown for `id`: the string table's entry when the
// program has a non-empty one, else the built-in text.
std::string Text(Host& host, TextId id);

// The text that reports a failed installation: the entries 21 and 22.
std::string InstallFailedText(Host& host);

// `pattern` with its one "%s" replaced by `value`.
std::string Fill(const std::string& pattern, const std::string& value);

}  // namespace setup
