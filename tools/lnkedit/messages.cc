#include "tools/lnkedit/messages.h"

#include <cstdio>

#include "tools/lnkedit/link_record.h"

namespace lnkedit {

const char* Text(Message message) {
  switch (message) {
#define LNKEDIT_MESSAGE(name, text) \
  case Message::name:               \
    return text;
#include "tools/lnkedit/messages.def"
#undef LNKEDIT_MESSAGE
  }
  return "";
}

namespace {

template <typename... Args>
std::string Format(const char* format, Args... args) {
  int n = std::snprintf(nullptr, 0, format, args...);
  if (n <= 0) return "";
  std::string out(static_cast<size_t>(n) + 1, '\0');
  std::snprintf(out.data(), out.size(), format, args...);
  out.resize(static_cast<size_t>(n));
  return out;
}

}  // namespace

std::string UsageErrorText(const std::string& message) {
  return Format(Text(Message::kUsageError), message.c_str()) + Text(Message::kUsage);
}

std::string ErrorCodeText(const std::string& message, long code) {
  // An HRESULT is a 32-bit value: shown as its eight hexadecimal digits.
  if (code < 0) return Format(Text(Message::kErrorHex), message.c_str(), static_cast<unsigned>(code));
  if (code > 0) return Format(Text(Message::kErrorDecimal), message.c_str(), code);
  return message;
}

std::string DumpText(const LinkRecord& r) {
  return Format(Text(Message::kDump), r.target.c_str(), r.description.c_str(),
                r.arguments.c_str(), r.working_dir.c_str(), static_cast<int>(r.hotkey),
                static_cast<unsigned>(r.hotkey), r.icon_file.c_str(), r.icon_index,
                r.show_command);
}

}  // namespace lnkedit
