#include "tools/kysy/text_commands.h"

#include "platform/paths.h"
#include "tools/kysy/text_lines.h"

namespace kysy {

PathPieces SplitPathPieces(std::string_view path) {
  PathPieces p;
  std::string_view rest = path;
  if (size_t colon = path.find(':'); colon != std::string_view::npos) {
    p.drive = std::string(path.substr(0, colon));
    rest = path.substr(colon + 1);
  }
  size_t first = rest.find_first_of("\\/");
  size_t last = rest.find_last_of("\\/");
  if (first != std::string_view::npos && first < last) p.dir = std::string(rest.substr(0, last));
  std::string_view file = last == std::string_view::npos ? rest : rest.substr(last + 1);
  size_t dot = file.find('.');
  p.name = std::string(file.substr(0, dot));
  if (dot != std::string_view::npos) p.ext = std::string(file.substr(dot + 1));
  size_t end = path.size();
  while (end > 0 && platform::IsSeparator(path[end - 1])) --end;
  p.whole = std::string(path.substr(0, end));
  return p;
}

ChangeOptions ReadChangeOptions(const std::vector<std::string>& options) {
  ChangeOptions o;
  for (std::string option : options) {
    if (!o.case_sensitive) option = Upper(option);
    if (option.size() < 2 || option[0] != '/') continue;
    switch (option[1]) {
      case 'C': o.case_sensitive = true; break;
      case 'U': o.upper = true; break;
      case 'L': o.lower = true; break;
      default: break;
    }
  }
  return o;
}

std::string QuotesFromBackquotes(std::string text) {
  for (char& c : text)
    if (c == '`') c = '"';
  return text;
}

std::string MessageText(std::string text) {
  for (char& c : text) {
    if (c == '`') c = '"';
    else if (c == '~') c = '\n';
  }
  return text;
}

namespace {

std::string Cased(std::string text, const ChangeOptions& o) {
  if (o.upper) text = Upper(text);
  if (o.lower) text = Lower(text);
  return text;
}

}  // namespace

std::string ChangeText(std::string value, std::string search, std::string replacement,
                       const ChangeOptions& options) {
  if (search.empty()) return replacement.empty() ? Cased(std::move(value), options) : value;
  replacement = QuotesFromBackquotes(Cased(std::move(replacement), options));
  search = QuotesFromBackquotes(std::move(search));
  if (!options.case_sensitive) search = Upper(search);
  // The comparison copy is edited along with the value, so the two stay
  // the same text but for case.
  std::string compared = options.case_sensitive ? value : Upper(value);
  std::string compared_replacement = options.case_sensitive ? replacement : Upper(replacement);
  size_t at = 0;
  for (;;) {
    size_t found = compared.find(search, at);
    if (found == std::string::npos) break;
    value.replace(found, search.size(), replacement);
    compared.replace(found, search.size(), compared_replacement);
    at = found + replacement.size();
  }
  return value;
}

bool LineHasText(std::string_view line, std::string_view text, bool case_sensitive) {
  if (case_sensitive) return line.find(text) != std::string_view::npos;
  return Lower(line).find(text) != std::string::npos;
}

}  // namespace kysy
