#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/terminal.h"

#include "platform/message_box.h"

namespace platform {

void ShowMessage(const std::string& caption, const std::string& text, Icon) {
  std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
  std::fflush(stderr);
}

int AskQuestion(const std::string& caption, const std::string& text, Icon, Buttons buttons,
                int default_button) {
  static const std::vector<std::string> kLabels[] = {
      {"OK"}, {"OK", "Cancel"}, {"Retry", "Cancel"}, {"Yes", "No"}, {"Yes", "No", "Cancel"}};
  const std::vector<std::string>& labels = kLabels[static_cast<int>(buttons)];
  std::string choices;
  for (size_t i = 0; i < labels.size(); ++i) {
    if (i) choices += "/";
    choices += static_cast<int>(i) == default_button ? "[" + labels[i] + "]" : labels[i];
  }
  std::fprintf(stderr, "%s: %s (%s) ", caption.c_str(), text.c_str(), choices.c_str());
  std::fflush(stderr);
  if (!StdinIsTerminal()) {
    std::fprintf(stderr, "%s\n", labels[static_cast<size_t>(default_button)].c_str());
    return default_button;
  }
  while (true) {
    std::string line;
    int c;
    while ((c = std::fgetc(stdin)) != EOF && c != '\n') line += static_cast<char>(c);
    if (c == EOF && line.empty()) return default_button;
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back()))) line.pop_back();
    if (line.empty()) return default_button;
    for (size_t i = 0; i < labels.size(); ++i) {
      if (std::tolower(static_cast<unsigned char>(line[0])) ==
          std::tolower(static_cast<unsigned char>(labels[i][0])))
        return static_cast<int>(i);
    }
    std::fprintf(stderr, "(%s) ", choices.c_str());
    std::fflush(stderr);
  }
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
