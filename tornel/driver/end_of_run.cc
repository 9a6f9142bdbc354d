#include "tornel/driver/end_of_run.h"

#include <cerrno>

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/text_file.h"
#include "tornel/base/file_open.h"
#include "tornel/base/table_growth.h"
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

}  // namespace

bool PlaceFile(const std::string& work, const std::string& target, bool copy_first) {
  if (!copy_first && platform::ReplaceFileWith(work, target)) return true;
  std::string copy;
  std::FILE* f = TryCreateBeside(target, copy);
  if (!f) return false;
  bool ok = platform::CloseFile(f) && platform::CopyFileTo(work, copy) &&
            platform::ReplaceFileWith(copy, target);
  if (!ok) {
    platform::RemoveFile(copy);
    return false;
  }
  platform::RemoveFile(work);
  return true;
}

namespace {

// Runs one end-of-run step; a fatal report inside it (already shown) makes
// the exit status 1 and the remaining steps still run.
template <class Step>
void Guarded(Diagnostics& diag, int& status, Step step) {
  try {
    WithMemory(diag, step);  // running out of memory is reported too
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

void DeliverNcFile(RunState& ctx, bool finished) {
  std::string& work = ctx.files.nc_work_path;
  // After Cancel, or when the file could not be finished, nothing new is
  // delivered: a previous NC file of that name stays as it was.
  if (ctx.diag.cancelled == 1 || !finished) {
    if (!work.empty()) platform::RemoveFile(work);
    work.clear();
    return;
  }
  const std::string& source = ctx.files.full_nc_path;
  // Before the value tables exist there is no name the post could have
  // given: the file goes where it was meant to be.
  bool named = ctx.values.strings.size() >= static_cast<size_t>(kStringSystemSlots);
  std::string target = named ? DeliveryTarget(NcFileFromValues(ctx.values)) : source;
  bool elsewhere = !platform::SamePathText(target, source);
  bool copy_first = elsewhere && (DrivesDiffer(source, target) || IsNetworkPath(target));
  if (!PlaceFile(work, target, copy_first)) {
    // The finished file goes to the NC path it was written for, so nothing
    // is lost, and the failure is not passed off as success.
    if (elsewhere && PlaceFile(work, source, false)) work.clear();
    FatalPlain(ctx.diag, LangFormat(ctx.diag, kMsgErrorCreating, {target}));
  }
  work.clear();
  RunPostFunction(ctx, kPfProcessEnd);
  if (!ctx.files.editor.empty())
    platform::StartProgram(EditorCommandLine(ctx.files.editor, target));
}

void CleanUp(RunState& ctx) {
  CloseNcFile(ctx.output);
  // A work file not delivered is removed: the run left no NC file of its own.
  if (!ctx.files.nc_work_path.empty()) platform::RemoveFile(ctx.files.nc_work_path);
  ctx.files.nc_work_path.clear();
  CloseAllFiles(ctx.open_files);
  for (const char* name : kTempFiles) platform::RemoveFile(name);
  DeleteScratchFiles(ctx.open_files);
  ctx.open_files = OpenFiles{};
  ctx.program_loaded = false;
}

int EndOfRun(RunState& ctx, int status) {
  if (ctx.program_loaded && ctx.output.nc) {
    // Pending NC lines are written out (unless the NC file already failed
    // to take one), the file is closed and finished (placeholders,
    // replacements, line ends, the error frame), then delivered.
    OutputTables& out = ctx.output;
    if (!out.nc_failed) Guarded(ctx.diag, status, [&] { FlushLines(RunHost(ctx).output()); });
    Guarded(ctx.diag, status, [&] {
      bool failed_before = out.nc_failed;
      if (!CloseNcFile(out) && !failed_before) FatalWriteError(ctx.diag, out.nc_name, errno);
    });
    bool finished = false;
    if (ctx.diag.cancelled != 1)
      Guarded(ctx.diag, status, [&] {
        FinishNcFile(ctx, ctx.values, out);
        finished = true;
      });
    Guarded(ctx.diag, status, [&] { DeliverNcFile(ctx, finished); });
  }
  CleanUp(ctx);
  platform::ProgressClose(ctx.diag.progress);
  return status;
}

}  // namespace tornel
