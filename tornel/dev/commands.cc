#include "tornel/dev/commands.h"

#include <string_view>

namespace tornel::dev {

namespace {

struct Command {
  std::string_view word;
  int (*run)(const std::vector<std::string>&, std::FILE*, std::FILE*);
  std::string_view arguments;
  std::string_view what;
};

constexpr Command kCommands[] = {
#define DEV_COMMAND(word, function, arguments, what) {#word, function, arguments, what},
#include "tornel/dev/commands.def"
#undef DEV_COMMAND
    {"", nullptr, "", ""},  // keeps the table non-empty
};

void PrintUsage(std::FILE* to) {
  std::fputs("usage: tornel-dev COMMAND [arguments]\n\ncommands:\n", to);
  for (const Command& c : kCommands) {
    if (!c.run) continue;
    std::string left = std::string(c.word) + " " + std::string(c.arguments);
    std::fprintf(to, "  %-28s %.*s\n", left.c_str(), static_cast<int>(c.what.size()),
                 c.what.data());
  }
}

}  // namespace

int RunDevCommand(const std::vector<std::string>& words, std::FILE* out, std::FILE* err) {
  if (words.empty() || words[0] == "help" || words[0] == "--help" || words[0] == "-h") {
    PrintUsage(words.empty() ? err : out);
    return words.empty() ? 2 : 0;
  }
  for (const Command& c : kCommands) {
    if (c.run && c.word == words[0])
      return c.run(std::vector<std::string>(words.begin() + 1, words.end()), out, err);
  }
  std::fprintf(err, "tornel-dev: unknown command %s\n\n", words[0].c_str());
  PrintUsage(err);
  return 2;
}

}  // namespace tornel::dev
