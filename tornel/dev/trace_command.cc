// tornel-dev trace POST CL [tornel options] [--vars NAME,NAME...]: runs
// tornel's own run (-p POST -i CL and the options as tornel takes them)
// with an observer on the NC lines, then writes the listing beside the
// finished NC file: its name + ".trace".
#include <map>
#include <memory>

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "tornel/base/file_open.h"
#include "tornel/dev/commands.h"
#include "tornel/dev/trace_listing.h"
#include "tornel/dev/trace_observer.h"
#include "tornel/driver/end_of_run.h"
#include "tornel/driver/run.h"
#include "tornel/sysvars/system_variable_counts.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel::dev {

namespace {

constexpr const char* kTraceUsage =
    "usage: tornel-dev trace POST CL [tornel options] [--vars NAME,NAME...]\n";
constexpr const char* kListingExtension = ".trace";

std::vector<std::string> SplitNames(const std::string& list) {
  std::vector<std::string> names;
  size_t pos = 0;
  while (pos <= list.size()) {
    size_t comma = list.find(',', pos);
    std::string name = list.substr(pos, comma == std::string::npos ? comma : comma - pos);
    if (!name.empty()) names.push_back(name);
    if (comma == std::string::npos) break;
    pos = comma + 1;
  }
  return names;
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
  std::FILE* f = platform::OpenBinary(path, "r");
  if (!f) return false;
  char buf[1 << 16];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, n);
  bool ok = !std::ferror(f);
  std::fclose(f);
  return ok;
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::vector<std::string> lines;
  std::FILE* f = platform::OpenBinary(path, "r");
  if (!f) return lines;
  platform::LineReader reader(f);
  std::string line;
  while (platform::ReadTextLine(reader, line)) {
    platform::ChopNewline(line);
    lines.push_back(line);
  }
  std::fclose(f);
  return lines;
}

// Where the finished NC file went: the name the post left, or the path it
// was written for when the run ended before the value tables existed.
// Named as the user gave it when it went where it was written for.
std::string DeliveredNcPath(const RunState& run) {
  if (run.values.strings.size() < static_cast<size_t>(kStringSystemSlots))
    return run.files.nc_path;
  std::string target = DeliveryTarget(NcFileFromValues(run.values));
  return platform::SamePathText(target, run.files.full_nc_path) ? run.files.nc_path : target;
}

// The listing goes to a file of ours beside it first, then takes its name.
bool WriteListingFile(const std::string& path, const TraceLog& log,
                      const std::vector<std::string>& nc_lines, const ListingNames& names,
                      std::string& why) {
  std::string work;
  std::FILE* f = TryCreateBeside(path, work);
  if (!f) {
    why = "cannot create " + path;
    return false;
  }
  bool written = WriteListing(f, log, nc_lines, names, why);
  bool closed = platform::CloseFile(f);
  if (written && !closed) why = "writing " + path + " failed";
  if (!written || !closed || !platform::ReplaceFileWith(work, path)) {
    if (written && closed) why = "cannot replace " + path;
    platform::RemoveFile(work);
    return false;
  }
  return true;
}

}  // namespace

int TraceCommand(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
  std::vector<std::string> rest;
  std::vector<std::string> vars;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--vars") {
      if (i + 1 == args.size()) {
        std::fputs(kTraceUsage, err);
        return 2;
      }
      for (std::string& n : SplitNames(args[++i])) vars.push_back(std::move(n));
    } else if (args[i].rfind("--vars=", 0) == 0) {
      for (std::string& n : SplitNames(args[i].substr(7))) vars.push_back(std::move(n));
    } else {
      rest.push_back(args[i]);
    }
  }
  if (rest.size() < 2) {
    std::fputs(kTraceUsage, err);
    return 2;
  }
  std::vector<std::string> tornel_args = {"-p", rest[0], "-i", rest[1]};
  tornel_args.insert(tornel_args.end(), rest.begin() + 2, rest.end());

  // A run's tables are large: on the heap, not on the stack.
  auto run = std::make_unique<RunState>();
  TraceObserver observer(*run, vars);
  run->output.ring.observer = &observer;
  int status = 0;
  try {
    RunTornel(*run, tornel_args);
  } catch (const RunEnded& ended) {
    status = ended.status;
  }
  // The end of the run finishes and delivers an NC file only for a loaded
  // program, and never after Cancel.
  const bool delivered = run->program_loaded && run->output.nc;
  status = EndOfRun(*run, status);
  run->output.ring.observer = nullptr;

  for (const std::string& name : observer.unknown_vars())
    std::fprintf(err, "tornel-dev trace: no variable %s\n", name.c_str());

  const std::string nc_path = DeliveredNcPath(*run);
  std::string bytes;
  if (!delivered || run->diag.cancelled == 1) {
    std::fputs("tornel-dev trace: the run ended before it wrote an NC file: no listing\n", err);
    return status != 0 ? status : 1;
  }
  if (!ReadWholeFile(nc_path, bytes)) {
    std::fprintf(err, "tornel-dev trace: cannot read the NC file %s: no listing\n",
                 nc_path.c_str());
    return status != 0 ? status : 1;
  }
  const std::string& eol = run->values.strings.size() > static_cast<size_t>(kSsEolFormat)
                               ? run->values.strings[kSsEolFormat]
                               : std::string("\r\n");
  std::vector<std::string> nc_lines = SplitNcLines(bytes, eol);

  // The function of each post line, per file, read once.
  std::map<int, std::vector<std::string>> functions;
  const Diagnostics& diag = run->diag;
  ListingNames names;
  names.nc_file = nc_path;
  names.cl_file = run->files.apt_path;
  names.post_file = run->files.post_file;
  names.with_vars = !vars.empty();
  names.file_name = [&diag](int file) { return LocationFileName(diag, file); };
  names.function_at = [&](Location loc) -> std::string {
    auto it = functions.find(loc.file);
    if (it == functions.end())
      it = functions.emplace(loc.file, EnclosingFunctions(ReadLines(LocationFileName(diag, loc.file))))
               .first;
    if (loc.line < 1 || static_cast<size_t>(loc.line) > it->second.size()) return "";
    return it->second[static_cast<size_t>(loc.line) - 1];
  };

  const std::string listing = nc_path + kListingExtension;
  std::string why;
  if (!WriteListingFile(listing, observer.log(), nc_lines, names, why)) {
    std::fprintf(err, "tornel-dev trace: no listing: %s\n", why.c_str());
    return status != 0 ? status : 1;
  }
  std::fprintf(out, "tornel-dev trace: %s: %zu NC lines\n", listing.c_str(), nc_lines.size());
  if (observer.log().redirected > 0)
    std::fprintf(out, "tornel-dev trace: %d lines went to files of the post (FileSel)\n",
                 observer.log().redirected);
  return status;
}

}  // namespace tornel::dev
