#include "tornel/compiler/words.h"

namespace tornel {

void LowerAsciiInPlace(std::string& text) {
  for (char& c : text) c = LowerAscii(c);
}

size_t FindWholeWord(std::string_view text, std::string_view word, size_t from) {
  if (word.empty()) return std::string_view::npos;
  bool name_first = IsNameChar(word.front());
  bool name_last = IsNameChar(word.back());
  for (size_t pos = text.find(word, from); pos != std::string_view::npos;
       pos = text.find(word, pos + 1)) {
    size_t end = pos + word.size();
    bool joined_before = name_first && pos > 0 && IsNameChar(text[pos - 1]);
    bool joined_after = name_last && end < text.size() && IsNameChar(text[end]);
    if (!joined_before && !joined_after) return pos;
  }
  return std::string_view::npos;
}

int ReplaceWholeWords(std::string& text, std::string_view word, std::string_view substitute) {
  int count = 0;
  for (size_t pos = FindWholeWord(text, word); pos != std::string::npos;
       pos = FindWholeWord(text, word, pos + substitute.size())) {
    text.replace(pos, word.size(), substitute);
    ++count;
  }
  return count;
}

}  // namespace tornel
