// The order of a run, from start-up to the return that ends it normally.
#pragma once

#include <string>
#include <vector>

#include "tornel/driver/run_state.h"

namespace tornel {

// A post file that is not there (or can't be copied to the work file).
inline constexpr const char* kMsgPostNotFound = "Postprocessor file - %s not found";

// Runs the whole job.  Ends normally by returning, or by throwing RunEnded;
// either way the caller then runs EndOfRun.
void RunTornel(RunState& run, const std::vector<std::string>& args);

// The stages, in the order RunTornel calls them.
void StartUp(RunState& run, const std::vector<std::string>& args);
void CompilePost(RunState& run);
void RunFirstPass(RunState& run);
void RunSecondPass(RunState& run);

// Start-up step by step, for the stages above and for tests.
void ReadLanguage(RunContext& ctx);
void ChooseFiles(RunContext& ctx, const std::vector<std::string>& args);
void CreateNcFile(RunState& run);

// Compiling from the post file's lines, its include files read from
// `files` (CompilePost reads the disk); the fatal report quotes from
// `files` too.  The system variables must be registered.
void CompilePostLines(RunState& run, const SourceFiles& files,
                      const std::vector<std::string>& post_lines);

// The file-name, date and time variables and the handlers of the moves.
void SetRunStartValues(RunState& run);

}  // namespace tornel
