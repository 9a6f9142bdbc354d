#include "tools/lnkedit/arguments.h"

namespace lnkedit {

std::vector<std::string> SplitArguments(std::string_view line) {
  std::vector<std::string> words;
  size_t i = 0;
  while (words.size() < kMaxArguments) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    if (i >= line.size()) break;
    std::string word;
    bool quoted = false;
    for (; i < line.size(); ++i) {
      const char c = line[i];
      if (c == '"') {
        quoted = !quoted;
      } else if (!quoted && (c == ' ' || c == '\t')) {
        break;
      } else {
        word += c;
      }
    }
    words.push_back(std::move(word));
  }
  return words;
}

std::vector<std::string> CleanArguments(const std::vector<std::string>& words) {
  std::vector<std::string> out;
  for (const std::string& word : words) {
    if (out.size() == kMaxArguments) break;
    std::string clean;
    for (char c : word)
      if (c != '"') clean += c;
    out.push_back(std::move(clean));
  }
  return out;
}

}  // namespace lnkedit
