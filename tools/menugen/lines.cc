#include "tools/menugen/lines.h"

namespace menugen {

bool TextSource::Next(std::string& line) {
  if (at_ >= text_.size()) return false;
  size_t nl = text_.find('\n', at_);
  size_t end = nl == std::string_view::npos ? text_.size() : nl + 1;
  line.assign(text_.substr(at_, end - at_));
  at_ = end;
  return true;
}

std::string UpperCase(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

bool ContainsWord(std::string_view line, std::string_view word) {
  return UpperCase(line).find(word) != std::string::npos;
}

}  // namespace menugen
