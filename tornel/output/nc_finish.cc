#include "tornel/output/nc_finish.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <memory>

#include "platform/text_file.h"
#include "tornel/base/file_open.h"
#include "tornel/base/run_context.h"
#include "tornel/output/line_ring.h"
#include "tornel/output/output_tables.h"
#include "tornel/output/string_match.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {

namespace {

constexpr const char* kFileLen = "%FileLen%";
constexpr const char* kFileLenUnix = "%FileLenUNIX%";
constexpr const char* kCrLf = "\r\n";

// Files read, and files written that an error abandons (their close is
// checked where they are complete).
struct ReadCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
struct WriteCloser {
  void operator()(std::FILE* f) const { platform::CloseFile(f); }
};
using InFile = std::unique_ptr<std::FILE, ReadCloser>;
using OutFile = std::unique_ptr<std::FILE, WriteCloser>;

void ReplaceAll(std::string& line, std::string_view placeholder, std::string_view value) {
  if (line.find(placeholder) != std::string::npos)
    ReplaceMatches(line, placeholder, value, MatchKind::kPlain);
}

std::string Fixed0(double v) {
  char buf[400];
  std::snprintf(buf, sizeof buf, "%.0f", v);
  return buf;
}

std::string Int(int v) { return std::to_string(v); }

std::string Clock(const HourMinSec& t) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", t.h, t.m, t.s);
  return buf;
}

int ToInt(double v) {
  if (!(std::fabs(v) < 2147483647.0)) return 0;
  return static_cast<int>(v);
}

void ReplaceTime(std::string& line, std::string_view prefix, double minutes) {
  HourMinSec t = SplitMinutes(minutes);
  std::string p(prefix);
  ReplaceAll(line, p + "H%", Int(t.h));
  ReplaceAll(line, p + "M%", Int(t.m));
  ReplaceAll(line, p + "S%", Int(t.s));
  ReplaceAll(line, p + ":%", Clock(t));
}

MatchKind KindOf(int base_mode) {
  switch (base_mode) {
    case kReplaceWord: return MatchKind::kWord;
    case kReplaceAddr: return MatchKind::kAddress;
    default: return MatchKind::kPlain;
  }
}

// False when a replacement would make the part longer than an NC line may be.
bool ApplyTo(std::string& part, const ReplacementList& list,
             const std::vector<std::string>& strings, bool comment) {
  for (const Replacement& r : list.entries) {
    if (InComments(r) != comment) continue;
    if (r.search < 0 || r.replacement < 0 || static_cast<size_t>(r.search) >= strings.size() ||
        static_cast<size_t>(r.replacement) >= strings.size())
      continue;
    if (ReplaceMatches(part, strings[r.search], strings[r.replacement], KindOf(BaseMode(r)),
                       kNcLineLimit) == kReplacedTooLong)
      return false;
  }
  return true;
}

size_t Digits(double v) { return Fixed0(v).size(); }

bool Write(std::FILE* f, std::string_view text, bool text_mode) {
  if (text_mode) return platform::WriteText(f, text);
  return platform::WriteBytes(f, text);
}

bool WriteFrame(std::FILE* f, const std::string& text, bool text_mode) {
  std::string dashes(kFrameDashes, '-');
  return Write(f, dashes + "\n" + text + "\n" + dashes + "\n", text_mode);
}

void CloseWritten(Diagnostics& diag, OutFile& file, std::string_view name) {
  if (!platform::CloseFile(file.release())) FatalWriteError(diag, name, errno);
}

MoveTotals TotalsFrom(const ValueTables& v) {
  MoveTotals t;
  t.len_tot = v.reals[kSrMoveLenTot];
  t.time_tot = v.reals[kSrMoveTimeTot];
  int tools = v.ints[kSiTools];
  if (tools > kListSlots) tools = kListSlots;
  for (int n = 0; n < tools; ++n) {
    t.len_oper.push_back(v.reals[kSrMoveLenList + n]);
    t.time_oper.push_back(v.reals[kSrMoveTimeList + n]);
  }
  return t;
}

}  // namespace

MinuteParts SplitMinuteParts(double minutes) {
  MinuteParts p;
  p.h = std::trunc(minutes / 60.0);
  p.m = std::trunc(minutes - 60.0 * p.h);
  p.s = std::trunc(std::fmod(minutes * 60.0, 60.0));
  return p;
}

HourMinSec SplitMinutes(double minutes) {
  MinuteParts p = SplitMinuteParts(minutes);
  return {ToInt(p.h), ToInt(p.m), ToInt(p.s)};
}

void ReplaceMovePlaceholders(std::string& line, const MoveTotals& totals) {
  if (line.find('%') == std::string::npos) return;
  ReplaceAll(line, "%MoveLenTot%", Fixed0(totals.len_tot));
  ReplaceTime(line, "%MoveTimeTot", totals.time_tot);
  ReplaceAll(line, "%MoveTimeTot%", Fixed0(totals.time_tot));
  for (size_t i = 0; i < totals.len_oper.size(); ++i) {
    std::string n = std::to_string(i + 1);
    ReplaceAll(line, "%MoveLenOper" + n + "%", Fixed0(totals.len_oper[i]));
    ReplaceTime(line, "%MoveTimeOper" + n, totals.time_oper[i]);
    ReplaceAll(line, "%MoveTimeOper" + n + "%", Fixed0(totals.time_oper[i]));
  }
}

bool ApplyReplacements(std::string& line, const ReplacementList& list,
                       const std::vector<std::string>& strings) {
  const char start = static_cast<char>(kCommentStart);
  const char end = static_cast<char>(kCommentEnd);
  if (list.entries.empty() && line.find(start) == std::string::npos &&
      line.find(end) == std::string::npos)
    return true;
  // NC text and comment texts alternate; a comment without its end marker
  // runs to the end of the line.
  std::string out, part;
  size_t pos = 0;
  while (pos <= line.size()) {
    size_t open = line.find(start, pos);
    part.assign(line, pos, open == std::string::npos ? std::string::npos : open - pos);
    std::erase(part, end);
    if (!ApplyTo(part, list, strings, false) || out.size() + part.size() > kNcLineLimit)
      return false;
    out += part;
    if (open == std::string::npos) break;
    size_t close = line.find(end, open + 1);
    part.assign(line, open + 1, close == std::string::npos ? std::string::npos : close - open - 1);
    if (!ApplyTo(part, list, strings, true) || out.size() + part.size() > kNcLineLimit)
      return false;
    out += part;
    if (close == std::string::npos) break;
    pos = close + 1;
  }
  line = std::move(out);
  return true;
}

std::string FileLengthText(double length, size_t placeholder_length) {
  return Fixed0(length + static_cast<double>(Digits(length)) -
                static_cast<double>(placeholder_length));
}

void FinishNcFile(RunContext& ctx, const ValueTables& values, const OutputTables& output) {
  Diagnostics& diag = ctx.diag;
  const std::string& work = ctx.files.nc_work_path;
  // Reports name the NC file; the work file is only its stand-in.
  const std::string& name = ctx.files.nc_path.empty() ? work : ctx.files.nc_path;
  const std::string& eol = values.strings[kSsEolFormat];
  const bool text_mode = eol == kCrLf;
  const double growth = text_mode ? 1.0 : (eol.size() < 2 ? 0.0 : eol.size() - 1.0);
  const MoveTotals totals = TotalsFrom(values);

  // First the NC text, line by line, into TorNc.tmp.
  double total_growth = 0;
  {
    InFile nc(OpenFileAs(diag, work, "r", name));
    OutFile tmp(OpenFile(diag, kTempNcCopy, "w"));
    std::string line;
    int line_number = 0;
    platform::LineReader lines(nc.get());
    while (platform::ReadTextLine(lines, line)) {
      Pump(diag);
      ++line_number;
      bool ended = !line.empty() && line.back() == '\n';
      // After a failed write the file ends inside a line: that part of a
      // line goes, so the framed text ends with the last whole line.
      if (!ended && output.nc_failed) break;
      platform::ChopNewline(line);
      ReplaceMovePlaceholders(line, totals);
      if (!ApplyReplacements(line, output.replacements, values.strings))
        FatalPlain(ctx.diag, FormatMessage(kMsgReplacedLineTooLong,
                                           {std::to_string(line_number),
                                            std::to_string(kNcLineLimit)}));
      if (ended) {
        line += text_mode ? std::string_view("\n") : std::string_view(eol);
        total_growth += growth;
      }
      if (!Write(tmp.get(), line, text_mode)) FatalWriteError(diag, kTempNcCopy, errno);
    }
    if (std::ferror(nc.get())) FatalReadError(diag, name, errno);
    CloseWritten(diag, tmp, kTempNcCopy);
  }

  const bool framed =
      diag.error_flag != 0 || ctx.flags.limit_warning != 0 || ctx.flags.cycle_warning != 0;
  std::string frame_text = diag.last_error;
  if (frame_text.empty())
    frame_text = LangText(diag.lang, kLangTerminatedWithError, kMsgTerminatedWithError);

  InFile tmp(OpenFile(diag, kTempNcCopy, "r"));
  long end = std::fseek(tmp.get(), 0, SEEK_END) == 0 ? std::ftell(tmp.get()) : -1;
  if (end < 0 || std::fseek(tmp.get(), 0, SEEK_SET) != 0)
    FatalReadError(diag, kTempNcCopy, errno);
  const double length = static_cast<double>(end);
  const std::string file_len = FileLengthText(length, std::string_view(kFileLen).size());
  const std::string file_len_unix =
      FileLengthText(length - total_growth, std::string_view(kFileLenUnix).size());

  // Then the finished text back into the work file, which is ours: until
  // delivery nothing of the user's is touched, and a work file left
  // unfinished by an error here is never delivered.
  OutFile out(OpenFileAs(diag, work, "w", name));
  if (framed && !WriteFrame(out.get(), frame_text, text_mode)) FatalWriteError(diag, name, errno);
  // The temp file is copied byte for byte; only the length placeholders change.
  std::string line;
  platform::LineReader lines(tmp.get());
  while (platform::ReadRawLine(lines, line)) {
    Pump(diag);
    ReplaceAll(line, kFileLenUnix, file_len_unix);
    ReplaceAll(line, kFileLen, file_len);
    if (!platform::WriteBytes(out.get(), line)) FatalWriteError(diag, name, errno);
  }
  if (std::ferror(tmp.get())) FatalReadError(diag, kTempNcCopy, errno);
  if (framed && !WriteFrame(out.get(), frame_text, text_mode)) FatalWriteError(diag, name, errno);
  CloseWritten(diag, out, name);
}

}  // namespace tornel
