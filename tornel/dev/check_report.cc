#include "tornel/dev/check_report.h"

#include <algorithm>

namespace tornel::dev {

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

}  // namespace tornel::dev
