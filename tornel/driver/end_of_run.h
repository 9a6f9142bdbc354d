// What happens when a run ends, however it ends: the NC file is finished
// and delivered (or, after Cancel or a failure to finish it, not delivered
// at all), the editor started, files closed and temp files deleted.
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

// Puts the finished work file in the NC file's final place, replacing a
// previous file there whole, then runs ProcessEnd and starts the editor.
// After Cancel, or when the work file is not `finished`, it removes the
// work file instead and delivers nothing.  Reports a failed move (the file
// then goes to the NC path it was written for when it can).
void DeliverNcFile(RunState& ctx, bool finished);

// Puts the finished work file at `target`, which is only ever replaced
// whole.  On the same volume a rename does it; with `copy_first` (another
// drive, a network path), or when the system refuses the rename (across
// file systems), a copy beside the target, checked to its close, is
// renamed over it and the work file removed.  False when the target could
// not be replaced; the work file then stays.
bool PlaceFile(const std::string& work, const std::string& target, bool copy_first);

// Closes every open file and deletes the run's temp files, with the NC
// work file when it was not delivered.
void CleanUp(RunState& ctx);

}  // namespace tornel
