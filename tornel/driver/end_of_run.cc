#include "tornel/driver/end_of_run.h"

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "tornel/base/file_open.h"
#include "tornel/driver/run_host.h"
#include "tornel/output/line_ring.h"
#include "tornel/output/nc_file.h"
#include "tornel/output/nc_finish.h"
#include "tornel/sysvars/system_variable_counts.h"

namespace tornel {

namespace {

bool DrivesDiffer(const std::string& a, const std::string& b) {
  return platform::HasDriveLetter(a) && platform::HasDriveLetter(b) &&
         !platform::SamePathText(a.substr(0, 2), b.substr(0, 2));
}

bool IsNetworkPath(const std::string& p) {
  return p.size() >= 2 && platform::IsSeparator(p[0]) && platform::IsSeparator(p[1]);
}

bool CopyAndRemove(const std::string& from, const std::string& to) {
  if (!platform::CopyFileTo(from, to)) return false;
  platform::RemoveFile(from);
  return true;
}

// Runs one end-of-run step; a fatal report inside it (already shown) makes
// the exit status 1 and the remaining steps still run.
template <class Step>
void Guarded(int& status, Step step) {
  try {
    step();
  } catch (const RunEnded& e) {
    status = e.status != 0 ? e.status : 1;
  }
}

}  // namespace

std::string DeliveryTarget(const NcFileName& target) {
  std::string path = platform::WithTrailingSeparator(target.dir) + target.name;
  if (!target.ext.empty() && target.ext[0] != '.') path += '.';
  return path + target.ext;
}

std::string EditorCommandLine(const std::string& editor, const std::string& nc_path) {
  return "\"" + editor + "\" \"" + nc_path + "\"";
}

void DeliverNcFile(RunState& ctx) {
  const std::string& source = ctx.files.full_nc_path;
  if (ctx.diag.cancelled == 1) {
    platform::RemoveFile(source);
    return;
  }
  // Before the value tables exist there is no name the post could have
  // given: the file stays where it was written.
  bool named = ctx.values.strings.size() >= static_cast<size_t>(kStringSystemSlots);
  std::string target = named ? DeliveryTarget(NcFileFromValues(ctx.values)) : source;
  if (!platform::SamePathText(target, source)) {
    bool moved;
    if (DrivesDiffer(source, target) || IsNetworkPath(target)) {
      moved = CopyAndRemove(source, target);
    } else {
      platform::RemoveFile(target);
      // A rename cannot cross file systems; a copy can.
      moved = platform::RenameFile(source, target) || CopyAndRemove(source, target);
    }
    // The NC file stays where it was written: nothing is lost, and the
    // failure is not passed off as success.
    if (!moved) FatalPlain(ctx.diag, LangFormat(ctx.diag, kMsgErrorCreating, {target}));
  }
  RunPostFunction(ctx, kPfProcessEnd);
  if (!ctx.files.editor.empty())
    platform::StartProgram(EditorCommandLine(ctx.files.editor, target));
}

void CleanUp(RunState& ctx) {
  CloseNcFile(ctx.output);
  CloseAllFiles(ctx.open_files);
  for (const char* name : kTempFiles) platform::RemoveFile(name);
  DeleteScratchFiles(ctx.open_files);
  ctx.open_files = OpenFiles{};
  ctx.program_loaded = false;
}

int EndOfRun(RunState& ctx, int status) {
  if (ctx.program_loaded && ctx.output.nc) {
    // Pending NC lines are written out, the file is closed and finished
    // (placeholders, replacements, line ends, the error frame).
    Guarded(status, [&] { FlushLines(RunHost(ctx).output()); });
    CloseNcFile(ctx.output);
    if (ctx.diag.cancelled != 1) Guarded(status, [&] { FinishNcFile(ctx, ctx.values, ctx.output); });
    Guarded(status, [&] { DeliverNcFile(ctx); });
  }
  CleanUp(ctx);
  platform::ProgressClose(ctx.diag.progress);
  return status;
}

}  // namespace tornel
