#include "tornel/dev/plot_input.h"

#include <cctype>

#include "tornel/cl/cl_record.h"
#include "tornel/cl/major_words.h"

namespace tornel::dev {

namespace {

std::string LowerExtension(const std::string& path) {
  size_t dot = path.find_last_of('.');
  size_t sep = path.find_last_of("/\\");
  if (dot == std::string::npos || (sep != std::string::npos && dot < sep)) return "";
  std::string ext = path.substr(dot + 1);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext;
}

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

InputKind TellInputKind(const std::string& path, std::string_view text) {
  const std::string ext = LowerExtension(path);
  for (const char* e : {"cl", "apt", "cls", "aptsource"})
    if (ext == e) return InputKind::kCl;
  for (const char* e : {"nc", "iso", "tap", "ngc", "mpf", "pim", "eia"})
    if (ext == e) return InputKind::kNc;
  while (!text.empty()) {
    size_t eol = text.find('\n');
    std::string_view line = text.substr(0, eol);
    text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\r')) line.remove_suffix(1);
    if (line.empty() || line.starts_with("$$") || line == "%" || line.front() == '(' ||
        line.front() == ';')
      continue;
    size_t n = 0;
    while (n < line.size() && IsLetter(line[n])) ++n;
    if (n == 0) return InputKind::kNc;
    std::string_view rest = line.substr(n);
    while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
    if (!rest.empty() && rest.front() == '/') return InputKind::kCl;
    if (rest.empty() && (ClassifyMajorWord(line.substr(0, n)) != MajorWord::kOther ||
                         WordIs(line.substr(0, n), "FROM") || WordIs(line.substr(0, n), "GOHOME")))
      return InputKind::kCl;
    return InputKind::kNc;
  }
  return InputKind::kNc;
}

}  // namespace tornel::dev
