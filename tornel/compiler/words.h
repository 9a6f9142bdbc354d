// Words of the post language as the text passes see them: which characters
// make up a name, and replacement of whole words.
#pragma once

#include <string>
#include <string_view>

namespace tornel {

// Letters, digits, '_', '$' and '#' (ASCII only: bytes above 127 are token
// bytes, never part of a name).
constexpr bool IsNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
         c == '_' || c == '$' || c == '#';
}

// ASCII lower case; other bytes (token bytes included) stay as they are.
constexpr char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
void LowerAsciiInPlace(std::string& text);

// Replaces every occurrence of `word` in `text` that stands as a whole word
// by `substitute`, and gives the number of replacements.  An occurrence is
// skipped when the character before it and the word's first character are
// both name characters, or the word's last character and the character
// after it are: so "$x" leaves "$xy" alone, while "seqnext?" is found
// before any character since '?' is no name character.
int ReplaceWholeWords(std::string& text, std::string_view word, std::string_view substitute);

// Position of the first whole-word occurrence of `word` at or after `from`,
// or npos.
size_t FindWholeWord(std::string_view text, std::string_view word, size_t from = 0);

}  // namespace tornel
