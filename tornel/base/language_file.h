// The language file "Tornel.lan": numbered replacements for window labels
// and some messages, one "n:text" line each.
#pragma once

#include <array>
#include <cstdio>
#include <string>
#include <string_view>

namespace tornel {

inline constexpr int kLanguageEntries = 98;      // numbered 1..98
inline constexpr size_t kLanguageLineBuffer = 512;  // bytes read per line, NUL included
inline constexpr const char* kLanguageFileName = "Tornel.lan";

struct LanguageTable {
  std::array<std::string, kLanguageEntries + 1> entry;  // entry[0] unused
};

// The entry's text when the language file set it, else the built-in text.
std::string_view LangText(const LanguageTable& lang, int entry, std::string_view builtin);

// Applies one line as read (its newline, if any, still on it).
void ApplyLanguageLine(LanguageTable& lang, std::string_view line);

// Reads a whole language file.  A physical line longer than the line buffer
// is taken in pieces, each handled as a line of its own.
void ReadLanguageFile(LanguageTable& lang, std::FILE* file);

}  // namespace tornel
