// Kysy's command line: one command word (any case) and its arguments.
// Arguments are numbered as batch files number them: the command is
// argument 1, its first argument is argument 2.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tools/kysy/answer_file.h"
#include "tools/kysy/seams.h"

namespace kysy {

// The arguments of one run, args[0] the command word.
class Arguments {
 public:
  explicit Arguments(std::vector<std::string> args) : args_(std::move(args)) {}
  // How many arguments follow the command word.
  int Count() const { return args_.empty() ? 0 : static_cast<int>(args_.size()) - 1; }
  // Argument `n` (2 the first after the command); nullopt when not given.
  std::optional<std::string> Get(int n) const;
  // Argument `n` when given and not empty.
  std::optional<std::string> NonEmpty(int n) const;
  bool HasCommand() const { return !args_.empty(); }
  const std::string& Command() const { return args_.front(); }

 private:
  std::vector<std::string> args_;
};

// Runs the command: its answer, or nullopt when it has none (a file
// command, an unknown word, too few or too many arguments, a MSGBOX
// without a message).
std::optional<Answer> RunCommand(const Arguments& args, Host& host);

// The whole run: the command, then its answer file.
void RunKysy(const std::vector<std::string>& args, Host& host);

}  // namespace kysy
