#include "tools/setup/version_list.h"

#include "tools/setup/texts.h"

namespace setup {

namespace {

std::string Trim(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
  return std::string(s.substr(b, e - b));
}

std::vector<std::string> Fields(std::string_view line) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (;;) {
    size_t semi = line.find(';', start);
    fields.push_back(Trim(line.substr(start, semi == std::string_view::npos ? line.npos : semi - start)));
    if (semi == std::string_view::npos) break;
    start = semi + 1;
  }
  return fields;
}

}  // namespace

VersionList ParseVersionList(std::string_view text) {
  VersionList list;
  size_t start = 0;
  for (size_t n = 0; n < kMaxVersionLines && start < text.size(); ++n) {
    size_t nl = text.find('\n', start);
    std::string_view line = text.substr(start, nl == text.npos ? text.npos : nl - start);
    start = nl == text.npos ? text.size() : nl + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.size() < 2 || line[0] == ';') continue;
    std::vector<std::string> f = Fields(line);
    f.resize(5);
    VersionEntry e{f[0], f[1], f[2], f[3].empty() ? kDefaultProgramValue : f[3],
                   f[4].empty() ? kDefaultDataValue : f[4]};
    list.entries.push_back(std::move(e));
  }
  list.modern = list.sql = list.entries.size();
  for (size_t k = 0; k < list.entries.size(); ++k) {
    if (list.modern == list.entries.size() && list.entries[k].name == kModernVersion) list.modern = k;
    if (list.sql == list.entries.size() && list.entries[k].name == kSqlVersion) list.sql = k;
  }
  return list;
}

}  // namespace setup
