// The commands of tornel-dev, each defined once in commands.def.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace tornel::dev {

#define DEV_COMMAND(word, function, arguments, what) \
  int function(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);
#include "tornel/dev/commands.def"
#undef DEV_COMMAND

// Runs the command line of tornel-dev (the words after the program name):
// the command word picks the command; none, "help" or an unknown word
// prints the usage.
int RunDevCommand(const std::vector<std::string>& words, std::FILE* out, std::FILE* err);

}  // namespace tornel::dev
