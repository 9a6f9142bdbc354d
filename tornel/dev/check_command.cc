// tornel-dev check [--strict] POST: the post's compile error as tornel
// reports it, or the warnings of post_warnings.h, one per line with its
// file and line, and a summary line.
#include <algorithm>
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

CheckInput ReadCompiledPost(const RunState& run) {
  return CheckInput{run, ProgramRecords(run.program),
                    NormalisedSource(run.diag, run.compiler.first_literal)};
}

std::vector<Warning> AllWarnings(const RunState& run) {
  CheckInput in = ReadCompiledPost(run);
  std::vector<Warning> all;
  for (auto finder : {UncallableFunctions, UnwrittenAddresses, UnknownNames}) {
    std::vector<Warning> found = finder(in);
    all.insert(all.end(), found.begin(), found.end());
  }
  std::stable_sort(all.begin(), all.end(), [](const Warning& a, const Warning& b) {
    return a.loc.file != b.loc.file ? a.loc.file < b.loc.file : a.loc.line < b.loc.line;
  });
  return all;
}

std::string CheckReport(const RunState& run, bool compiled, size_t& warnings) {
  std::string text;
  warnings = 0;
  if (!compiled) {
    text = run.diag.last_error + "\n";
    text += run.diag.post_file + ": 1 error\n";
    return text;
  }
  std::vector<Warning> found = AllWarnings(run);
  for (const Warning& w : found) {
    text += LocationFileName(run.diag, w.loc.file) + ":" + std::to_string(w.loc.line) +
            ": warning: " + w.text + "\n";
  }
  warnings = found.size();
  text += run.diag.post_file + ": " +
          (found.empty() ? std::string("no problems")
                         : std::to_string(found.size()) +
                               (found.size() == 1 ? " warning" : " warnings")) +
          "\n";
  return text;
}

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
