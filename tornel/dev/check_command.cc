// tornel-dev check [--strict] POST: the post's compile error as tornel
// reports it, or the warnings of post_warnings.h, one per line with its
// file and line, and a summary line.
#include <memory>

#include "tornel/dev/check_report.h"
#include "tornel/dev/commands.h"
#include "tornel/dev/post_compile.h"

namespace tornel::dev {

namespace {

constexpr const char* kUsage =
    "usage: tornel-dev check [--strict] POST\n"
    "  compiles POST as tornel -p POST does and reports its error, or warns of\n"
    "  functions that never run, addresses never written and unknown names.\n"
    "  Exit status 1 for an error; warnings alone give 0, with --strict 1.\n";

}  // namespace

int RunCheck(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
  bool strict = false;
  std::string post;
  for (const std::string& a : args) {
    if (a == "--strict" && !strict) {
      strict = true;
    } else if (post.empty() && !a.empty() && a[0] != '-') {
      post = a;
    } else {
      std::fputs(kUsage, err);
      return 2;
    }
  }
  if (post.empty()) {
    std::fputs(kUsage, err);
    return 2;
  }
  auto run = std::make_unique<RunState>();
  bool compiled = CompileNamedPost(post, *run);
  size_t warnings = 0;
  std::string report = CheckReport(*run, compiled, warnings);
  std::fwrite(report.data(), 1, report.size(), out);
  if (!compiled) return 1;
  return strict && warnings > 0 ? 1 : 0;
}

}  // namespace tornel::dev
