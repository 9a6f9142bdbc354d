// What happens when a run ends, however it ends: the NC file is finished
// and delivered (or deleted after Cancel), the editor started, files closed
// and temp files deleted.
#pragma once

#include <string>

#include "tornel/driver/run_state.h"
#include "tornel/sysvars/start_values.h"

namespace tornel {

// Runs every end-of-run step and gives the exit status: `status` as the run
// ended, or 1 when a step itself failed.  Never throws.
int EndOfRun(RunState& ctx, int status);

// The NC file's final path from the directory, name and extension that the
// post left in ssNcDir, ssNcName and ssNcExt.
std::string DeliveryTarget(const NcFileName& target);

// The editor's command line: both the editor and the NC file quoted.
std::string EditorCommandLine(const std::string& editor, const std::string& nc_path);

// Moves the closed NC file to its final path (or deletes it after Cancel),
// runs ProcessEnd and starts the editor.  Reports a failed move.
void DeliverNcFile(RunState& ctx);

// Closes every open file and deletes the run's temp files.
void CleanUp(RunState& ctx);

}  // namespace tornel
