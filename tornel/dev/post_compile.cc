#include "tornel/dev/post_compile.h"

#include "tornel/base/table_growth.h"
#include "tornel/compiler/preprocessor.h"
#include "tornel/driver/command_line.h"
#include "tornel/driver/run.h"
#include "tornel/sysvars/registry.h"

namespace tornel::dev {

namespace {

// Runs `stage`; false when it ended in a fatal report.
template <class F>
bool Reported(RunState& run, F stage) {
  run.diag.report_to_caller = true;
  try {
    WithMemory(run.diag, stage);
  } catch (const RunEnded&) {
    return false;
  }
  return true;
}

void Compile(const SourceFiles& files, const std::string& path, RunState& run) {
  run.files.post_file = path;
  run.diag.post_file = path;
  ClearPostFunctions(run.post_functions);
  RegisterSystemVariables(run.variables);
  if (!files.Exists(path)) FatalPlain(run.diag, FormatMessage(kMsgPostNotFound, {path}));
  CompilePostLines(run, files, ReadSourceLines(run.diag, files, path));
}

}  // namespace

bool CompileNamedPost(const std::string& post, RunState& run) {
  return Reported(run, [&] {
    ReadLanguage(run);
    PostNames names = PostFileNames(post);
    run.files.post_name = names.name;
    // Read in place: tornel's work copy only matters to a run.
    Compile(DiskSources(), names.file, run);
  });
}

bool CompilePostFile(const SourceFiles& files, const std::string& path, RunState& run) {
  return Reported(run, [&] { Compile(files, path, run); });
}

}  // namespace tornel::dev
