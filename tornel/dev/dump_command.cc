// tornel-dev dump POST: the compiled program of a post, as the program
// dump lists it.
#include <memory>

#include "tornel/compiler/program_dump.h"
#include "tornel/dev/commands.h"
#include "tornel/dev/post_compile.h"

namespace tornel::dev {

int RunDump(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
  if (args.size() != 1 || args[0].empty() || args[0][0] == '-') {
    std::fputs("usage: tornel-dev dump POST\n", err);
    return 2;
  }
  auto run = std::make_unique<RunState>();
  if (!CompileNamedPost(args[0], *run)) {
    std::fprintf(err, "%s\n", run->diag.last_error.c_str());
    return 1;
  }
  std::string listing = DumpProgram(run->diag, run->program);
  std::fwrite(listing.data(), 1, listing.size(), out);
  return 0;
}

}  // namespace tornel::dev
