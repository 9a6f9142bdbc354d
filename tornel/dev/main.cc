// tornel-dev: tools for post writers over Tornel's own compiler and
// interpreter (check, dump, trace, plot, test).  Tornel's command line is
// not touched by them.
#include <cstdio>
#include <string>
#include <vector>

#include "tornel/dev/commands.h"

int main(int argc, char** argv) {
  std::vector<std::string> words(argv + (argc > 0 ? 1 : 0), argv + argc);
  int status = tornel::dev::RunDevCommand(words, stdout, stderr);
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    std::fputs("tornel-dev: writing the output failed\n", stderr);
    return 1;
  }
  return status;
}
