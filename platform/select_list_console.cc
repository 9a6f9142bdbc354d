#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/select_list_console.h"
#include "platform/terminal.h"

namespace platform::console {

ListChoice SelectFromList(const std::string& caption, const std::string& prompt,
                          const std::vector<std::string>& entries, int preselected) {
  if (preselected >= static_cast<int>(entries.size())) preselected = entries.empty() ? -1 : 0;
  if (!StdinIsTerminal()) return {true, preselected};

  std::fprintf(stderr, "%s: %s\n", caption.c_str(), prompt.c_str());
  for (size_t i = 0; i < entries.size(); ++i)
    std::fprintf(stderr, "%c %2zu  %s\n", static_cast<int>(i) == preselected ? '>' : ' ', i + 1,
                 entries[i].c_str());
  for (;;) {
    std::fprintf(stderr, "Number (Enter takes the marked one, q cancels): ");
    std::fflush(stderr);
    char buf[64];
    if (!std::fgets(buf, sizeof buf, stdin)) return {false, -1};
    std::string answer(buf);
    while (!answer.empty() && (answer.back() == '\n' || answer.back() == '\r' || answer.back() == ' '))
      answer.pop_back();
    if (answer.empty()) return {true, preselected};
    if (answer == "q" || answer == "Q") return {false, -1};
    char* end = nullptr;
    long n = std::strtol(answer.c_str(), &end, 10);
    if (*end == '\0' && n >= 1 && n <= static_cast<long>(entries.size()))
      return {true, static_cast<int>(n - 1)};
  }
}

}  // namespace platform::console
