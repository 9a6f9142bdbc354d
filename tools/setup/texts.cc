#include "tools/setup/texts.h"

namespace setup {

const char* BuiltInText(TextId id) {
  switch (id) {
#define SETUP_NAME(name, text)
#define SETUP_TEXT(name, entry, text) \
  case name:                          \
    return text;
#include "tools/setup/texts.def"
#undef SETUP_TEXT
#undef SETUP_NAME
  }
  return "";
}

std::string Text(Host& host, TextId id) {
  std::optional<std::string> entry = host.StringTableEntry(static_cast<int>(id));
  if (entry && !entry->empty()) return *entry;
  return BuiltInText(id);
}

std::string InstallFailedText(Host& host) {
  return Text(host, kInstallFailedHead) + Text(host, kInstallFailedTail);
}

std::string Fill(const std::string& pattern, const std::string& value) {
  size_t at = pattern.find("%s");
  if (at == std::string::npos) return pattern;
  return pattern.substr(0, at) + value + pattern.substr(at + 2);
}

}  // namespace setup
