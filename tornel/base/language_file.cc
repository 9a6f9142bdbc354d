#include "tornel/base/language_file.h"

#include <cstdlib>

#include "platform/text_file.h"

namespace tornel {

std::string_view LangText(const LanguageTable& lang, int entry, std::string_view builtin) {
  if (entry < 1 || entry > kLanguageEntries || lang.entry[entry].empty()) return builtin;
  return lang.entry[entry];
}

void ApplyLanguageLine(LanguageTable& lang, std::string_view line) {
  // A line is a C string: text after a NUL byte is not part of it.
  line = line.substr(0, line.find('\0'));
  if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
  line = line.substr(0, line.find("//"));
  size_t colon = line.find(':');
  if (colon == std::string_view::npos) return;
  std::string number(line.substr(0, colon));
  long n = std::strtol(number.c_str(), nullptr, 10);
  if (n > 0 && n <= kLanguageEntries) lang.entry[n] = std::string(line.substr(colon + 1));
}

void ReadLanguageFile(LanguageTable& lang, std::FILE* file) {
  constexpr size_t kPiece = kLanguageLineBuffer - 1;
  std::string line;
  while (platform::ReadTextLine(file, line)) {
    for (size_t at = 0; at < line.size(); at += kPiece)
      ApplyLanguageLine(lang, std::string_view(line).substr(at, kPiece));
  }
}

}  // namespace tornel
