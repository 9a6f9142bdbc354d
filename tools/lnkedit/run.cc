#include "tools/lnkedit/run.h"

#include "tools/lnkedit/options.h"

namespace lnkedit {
namespace {

int UsageError(LinkHost& host, Message message) {
  host.Show(UsageErrorText(Text(message)));
  return 1;
}

// A failed call: its message with the code, which is also the exit code.
// A failure never ends as success, so a code of 0 ends with 1.
int Failure(LinkHost& host, const std::string& message, long code) {
  host.Show(ErrorCodeText(message, code));
  return code == 0 ? 1 : static_cast<int>(code);
}

int StoreFailure(LinkHost& host, Message message, const StoreResult& result) {
  std::string text = Text(message);
  if (!result.why.empty()) text += ": " + result.why;
  return Failure(host, text, result.code);
}

}  // namespace

int RunLnkedit(const std::vector<std::string>& args, LinkHost& host) {
  Message start_failure = Message::kCoInitializeFailed;
  StoreResult started = host.Start(&start_failure);
  if (!started.ok()) return StoreFailure(host, start_failure, started);

  const std::optional<Mode> mode = args.size() >= 2 ? CommandMode(args[1]) : std::nullopt;
  if (args.size() < 2) {
    host.Show(Text(Message::kUsage));
    return 0;
  }
  // Every command, help too, is followed by the link name.
  if (args.size() < 3) return UsageError(host, Message::kMissingLinkName);
  if (!mode) return UsageError(host, Message::kUnknownCommand);
  if (*mode == Mode::kHelp) {
    host.Show(Text(Message::kUsage));
    return 0;
  }

  std::string link;
  long error = 0;
  if (!host.FullPath(args[2], &link, &error))
    return Failure(host, Text(Message::kNoLinkFullPath), error);
  if (link.size() > kMaxFieldLength) return UsageError(host, Message::kLongLinkName);

  LinkRecord record;
  // A change of a shortcut that is not there makes it from the options; one
  // that is there but cannot be read is never overwritten.
  if (*mode == Mode::kDump || (*mode == Mode::kChange && host.Exists(link))) {
    StoreResult loaded = host.Load(link, &record);
    if (!loaded.ok()) return StoreFailure(host, Message::kLoadFailed, loaded);
  }
  if (*mode == Mode::kDump) {
    host.Show(DumpText(record));
    return 0;
  }
  if (*mode == Mode::kCreate && host.Exists(link)) {
    host.Show(Text(Message::kLinkExists));
    return 0;
  }

  const FullPathFn full_path = [&host](const std::string& path, std::string* full, long* err) {
    return host.FullPath(path, full, err);
  };
  const OptionsResult options = ApplyOptions(args, 3, full_path, &record);
  if (options.outcome == OptionsResult::Outcome::kUsageError)
    return UsageError(host, options.message);
  if (options.outcome == OptionsResult::Outcome::kFailed)
    return Failure(host, Text(options.message), options.error);

  if (record.target.empty()) {
    host.Show(Text(Message::kEmptyTarget));
    return 1;
  }
  if (options.resolve) {
    StoreResult resolved = host.Resolve(&record, options.target_given);
    if (!resolved.ok()) return StoreFailure(host, Message::kResolveFailed, resolved);
  }
  StoreResult saved = host.Save(link, record);
  if (!saved.ok()) return StoreFailure(host, Message::kSaveFailed, saved);
  return 0;
}

}  // namespace lnkedit
