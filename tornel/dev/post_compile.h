// Compiling a post the way tornel does, for the tools that look at the
// result instead of running it.
#pragma once

#include <string>

#include "tornel/base/source_files.h"
#include "tornel/driver/run_state.h"

namespace tornel::dev {

// Compiles the post that `post` names as tornel's -p names it (a name,
// ".tr" optional, include paths from the current directory), reading the
// language file as a run does.  False when compiling ended in a fatal
// report: its text is run.diag.last_error, and nothing has been shown.
// `run` is expected fresh.
bool CompileNamedPost(const std::string& post, RunState& run);

// The same for the post file `path` of `files` (the tests' texts in memory).
bool CompilePostFile(const SourceFiles& files, const std::string& path, RunState& run);

}  // namespace tornel::dev
