#include "tornel/base/diagnostics.h"

#include <cerrno>

#include "platform/message_box.h"
#include "platform/text_file.h"
#include "tornel/base/file_open.h"

namespace tornel {

namespace {

constexpr const char* kPostFileHeader = "Error in postprocessor file - %s\n\n";
constexpr const char* kIncludeFileHeader = "Error in include file - %s\n\n";
constexpr const char* kLineSuffix = " line %d:\n%s";
constexpr const char* kUnknownLine = " unknown line";

[[noreturn]] void Report(Diagnostics& diag, std::string text, platform::Icon icon,
                         const std::string* hint = nullptr) {
  diag.last_error = std::move(text);
  diag.error_flag = 1;
  if (!diag.report_to_caller) {
    platform::ShowReport(diag.title, diag.last_error, icon);
    if (hint) platform::ShowConsoleHint(*hint);
  }
  throw RunEnded{1};
}

}  // namespace

std::string FormatMessage(std::string_view format, std::initializer_list<std::string_view> args) {
  std::string out;
  auto next = args.begin();
  for (size_t i = 0; i < format.size(); ++i) {
    char c = format[i];
    if (c != '%' || i + 1 == format.size()) {
      out += c;
      continue;
    }
    char conv = format[i + 1];
    if (conv == '%') {
      out += '%';
      ++i;
    } else if (conv == 's' || conv == 'd') {
      if (next != args.end()) out += *next++;
      ++i;
    } else {
      out += c;
    }
  }
  return out;
}

void FatalPlain(Diagnostics& diag, const std::string& text, bool internal) {
  Report(diag, text, internal ? platform::Icon::kStop : platform::Icon::kExclamation);
}

void FatalWithUsage(Diagnostics& diag, const std::string& text, const std::string& usage) {
  Report(diag, text, platform::Icon::kExclamation, &usage);
}

void FatalAt(Diagnostics& diag, std::string_view message) {
  Report(diag, LocatedReport(diag, message), platform::Icon::kExclamation);
}

std::string LocatedReport(Diagnostics& diag, std::string_view message) {
  Location loc = diag.loc;
  std::string name = LocationFileName(diag, loc.file);
  std::string report =
      FormatMessage(loc.file == 0 ? kPostFileHeader : kIncludeFileHeader, {name});
  report += message;
  std::string line;
  if (SourceLine(diag, loc, line))
    report += FormatMessage(kLineSuffix, {std::to_string(loc.line), line});
  else
    report += kUnknownLine;
  return report;
}

std::string LocationFileName(const Diagnostics& diag, int file) {
  if (file <= 0) return diag.post_file;
  std::string_view list = diag.include_list;
  std::string_view found;
  int k = 0;
  while (!list.empty() && k < file) {
    size_t nl = list.find('\n');
    std::string_view entry = list.substr(0, nl);
    list = nl == std::string_view::npos ? std::string_view() : list.substr(nl + 1);
    size_t start = entry.find_first_not_of(" \t");
    if (start == std::string_view::npos) continue;
    found = entry.substr(start);
    ++k;
  }
  return std::string(found);
}

bool SourceLine(Diagnostics& diag, Location loc, std::string& line) {
  if (loc.line <= 0) return false;
  // A file that can't be read ends in a report of its own.
  std::vector<std::string> lines = diag.sources->Lines(diag, LocationFileName(diag, loc.file));
  if (static_cast<size_t>(loc.line) > lines.size()) return false;
  line = std::move(lines[static_cast<size_t>(loc.line) - 1]);
  if (line.size() > kQuotedLineLimit) {
    bool had_newline = line.back() == '\n';
    line.resize(kQuotedLineLimit);
    if (had_newline) line += '\n';
  }
  return true;
}

void Pump(Diagnostics& diag) {
  platform::PumpResult got = platform::PumpMessages(diag.progress);
  if (got == platform::PumpResult::kNone && diag.pump_budget > 0 && --diag.pump_budget == 0)
    got = platform::PumpResult::kCancel;
  switch (got) {
    case platform::PumpResult::kNone:
      return;
    case platform::PumpResult::kCancel:
      diag.cancelled = 1;
      throw RunEnded{1};
    case platform::PumpResult::kClosed:
      // The run ends; what was written so far is finished and delivered.
      throw RunEnded{1};
  }
}

bool ReadLine(Diagnostics& diag, std::FILE* file, std::string& line) {
  Pump(diag);
  return platform::ReadTextLine(file, line);
}

void WriteLine(Diagnostics& diag, std::FILE* file, std::string_view text, std::string_view name) {
  Pump(diag);
  if (!platform::WriteText(file, text)) FatalWriteError(diag, name, errno);
}

}  // namespace tornel
