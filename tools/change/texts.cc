#include "tools/change/texts.h"

#include <algorithm>

#include "platform/code_pages.h"

namespace change {

namespace {

void ReplaceEvery(std::string& text, char from, char to) {
  if (from != '\0') std::replace(text.begin(), text.end(), from, to);
}

}  // namespace

std::string UpperAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

std::string LowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

Texts PrepareTexts(std::string search, std::string replacement, const Options& options) {
  if (options.ansi) {
    search = platform::AnsiToOem(search);
    replacement = platform::AnsiToOem(replacement);
  }
  if (options.upper) replacement = UpperAscii(replacement);
  if (options.lower) replacement = LowerAscii(replacement);
  ReplaceEvery(search, options.quote, '"');
  ReplaceEvery(replacement, options.quote, '"');
  if (!options.case_sensitive) search = UpperAscii(search);
  ReplaceEvery(replacement, options.line_break, '\n');
  return Texts{std::move(search), std::move(replacement)};
}

}  // namespace change
