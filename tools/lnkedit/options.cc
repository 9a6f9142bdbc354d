#include "tools/lnkedit/options.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace lnkedit {

std::optional<Mode> CommandMode(std::string_view word) {
  static const struct {
    const char* word;
    Mode mode;
  } kCommands[] = {
      {"help", Mode::kHelp},      {"-h", Mode::kHelp},       {"-?", Mode::kHelp},
      {"/?", Mode::kHelp},        {"dump", Mode::kDump},     {"list", Mode::kDump},
      {"l", Mode::kDump},         {"create", Mode::kCreate}, {"new", Mode::kCreate},
      {"n", Mode::kCreate},       {"force", Mode::kReplace}, {"f", Mode::kReplace},
      {"replace", Mode::kReplace}, {"r", Mode::kReplace},    {"change", Mode::kChange},
      {"c", Mode::kChange},
  };
  for (const auto& c : kCommands)
    if (word == c.word) return c.mode;
  return std::nullopt;
}

namespace {

// A whole decimal integer (a leading sign allowed), or "0x" and hexadecimal
// digits; nothing else may follow.
bool ParseInteger(const std::string& text, long* value) {
  const char* begin = text.c_str();
  while (*begin == ' ' || *begin == '\t') ++begin;
  int base = 10;
  if (begin[0] == '0' && (begin[1] == 'x' || begin[1] == 'X')) base = 16;
  if (*begin == '\0') return false;
  char* end = nullptr;
  errno = 0;
  const long v = std::strtol(begin, &end, base);
  if (errno == ERANGE || end == begin || *end != '\0') return false;
  if (v < INT_MIN || v > INT_MAX) return false;
  *value = v;
  return true;
}

struct PathOption {
  const char* name;
  std::string LinkRecord::*field;
  Message missing;
  Message no_full_path;
  Message too_long;
};

struct TextOption {
  const char* name;
  std::string LinkRecord::*field;
  Message missing;
  Message too_long;
};

constexpr PathOption kPathOptions[] = {
    {"-t", &LinkRecord::target, Message::kMissingTarget, Message::kNoTargetFullPath,
     Message::kLongTarget},
    {"-i", &LinkRecord::icon_file, Message::kMissingIconFile, Message::kNoIconFullPath,
     Message::kLongIconFile},
    {"-d", &LinkRecord::working_dir, Message::kMissingDirectory, Message::kNoDirectoryFullPath,
     Message::kLongDirectory},
};

constexpr TextOption kTextOptions[] = {
    {"-a", &LinkRecord::arguments, Message::kMissingArguments, Message::kLongArguments},
    {"-e", &LinkRecord::description, Message::kMissingDescription, Message::kLongDescription},
};

OptionsResult Usage(OptionsResult result, Message message) {
  result.outcome = OptionsResult::Outcome::kUsageError;
  result.message = message;
  return result;
}

}  // namespace

OptionsResult ApplyOptions(const std::vector<std::string>& args, size_t first,
                           const FullPathFn& full_path, LinkRecord* record) {
  OptionsResult result;
  for (size_t i = first; i < args.size(); ++i) {
    const std::string& option = args[i];
    const bool has_value = i + 1 < args.size();
    if (option == "-r") {
      result.resolve = true;
      continue;
    }
    bool done = false;
    for (const PathOption& p : kPathOptions) {
      if (option != p.name) continue;
      if (!has_value) return Usage(result, p.missing);
      const std::string& value = args[++i];
      std::string full;
      // An empty value empties the field: there is no path to make full.
      if (!value.empty()) {
        long error = 0;
        if (!full_path(value, &full, &error)) {
          result.outcome = OptionsResult::Outcome::kFailed;
          result.message = p.no_full_path;
          result.error = error;
          return result;
        }
      }
      if (full.size() > kMaxFieldLength) return Usage(result, p.too_long);
      record->*p.field = full;
      if (p.field == &LinkRecord::target) result.target_given = true;
      done = true;
    }
    for (const TextOption& t : kTextOptions) {
      if (option != t.name) continue;
      if (!has_value) return Usage(result, t.missing);
      const std::string& value = args[++i];
      if (value.size() > kMaxFieldLength) return Usage(result, t.too_long);
      record->*t.field = value;
      done = true;
    }
    if (done) continue;
    long number = 0;
    if (option == "-k") {
      if (!has_value) return Usage(result, Message::kMissingHotkey);
      // A hotkey is a virtual key and its modifiers; 0 would be none.
      if (!ParseInteger(args[++i], &number) || number <= 0 || number > 0xFFFF)
        return Usage(result, Message::kInvalidHotkey);
      record->hotkey = static_cast<uint16_t>(number);
    } else if (option == "-x") {
      if (!has_value) return Usage(result, Message::kMissingIconIndex);
      if (!ParseInteger(args[++i], &number)) return Usage(result, Message::kInvalidIconIndex);
      record->icon_index = static_cast<int>(number);
    } else if (option == "-w") {
      if (!has_value) return Usage(result, Message::kMissingShowCmd);
      if (!ParseInteger(args[++i], &number)) return Usage(result, Message::kInvalidShowCmd);
      record->show_command = static_cast<int>(number);
    }
  }
  return result;
}

}  // namespace lnkedit
