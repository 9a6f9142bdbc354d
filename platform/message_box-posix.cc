#include <cstdio>

#include "platform/message_box.h"

namespace platform {

void ShowMessage(const std::string& caption, const std::string& text, Icon) {
  std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
  std::fflush(stderr);
}

void ShowWarning(const std::string& caption, const std::string& text) {
  ShowMessage(caption, text, Icon::kExclamation);
}

void ShowReport(const std::string&, const std::string& text, Icon) {
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fputc('\n', stderr);
  std::fflush(stderr);
}

void ShowConsoleHint(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fputc('\n', stderr);
  std::fflush(stderr);
}

}  // namespace platform
