// The order of a run, from start-up to the return that ends it normally.
#pragma once

#include <string>
#include <vector>

#include "tornel/driver/run_context.h"

namespace tornel {

// Runs the whole job.  Ends normally by returning, or by throwing RunEnded;
// either way the caller then runs EndOfRun.
void RunTornel(RunContext& ctx, const std::vector<std::string>& args);

// The stages, in the order RunTornel calls them.
void StartUp(RunContext& ctx, const std::vector<std::string>& args);
void CompilePost(RunContext& ctx);
void RunFirstPass(RunContext& ctx);
void RunSecondPass(RunContext& ctx);

// Start-up step by step, for the stages above and for tests.
void ReadLanguage(RunContext& ctx);
void ChooseFiles(RunContext& ctx, const std::vector<std::string>& args);
void CreateNcFile(RunContext& ctx);

// The file-name, date and time variables and the handlers of the moves.
void SetRunStartValues(RunContext& ctx);

}  // namespace tornel
