#include "tornel/output/nc_finish.h"

#include <cmath>
#include <cstdio>
#include <memory>

#include "platform/files.h"
#include "platform/text_file.h"
#include "tornel/base/run_context.h"
#include "tornel/output/output_tables.h"
#include "tornel/output/string_match.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {

namespace {

constexpr const char* kFileLen = "%FileLen%";
constexpr const char* kFileLenUnix = "%FileLenUNIX%";
constexpr const char* kCrLf = "\r\n";

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

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

void ApplyTo(std::string& part, const ReplacementList& list,
             const std::vector<std::string>& strings, bool comment) {
  for (const Replacement& r : list.entries) {
    if (InComments(r) != comment) continue;
    if (r.search < 0 || r.replacement < 0 || static_cast<size_t>(r.search) >= strings.size() ||
        static_cast<size_t>(r.replacement) >= strings.size())
      continue;
    ReplaceMatches(part, strings[r.search], strings[r.replacement], KindOf(BaseMode(r)));
  }
}

size_t Digits(double v) { return Fixed0(v).size(); }

// Reads one line up to and including its "\n" as bytes are; false at the end.
bool ReadRawLine(std::FILE* f, std::string& line) {
  line.clear();
  int c;
  while ((c = std::fgetc(f)) != EOF) {
    line += static_cast<char>(c);
    if (c == '\n') return true;
  }
  return !line.empty();
}

bool Write(std::FILE* f, std::string_view text, bool text_mode) {
  if (text_mode) return platform::WriteText(f, text);
  return std::fwrite(text.data(), 1, text.size(), f) == text.size();
}

void WriteFrame(std::FILE* f, const std::string& text, bool text_mode) {
  std::string dashes(kFrameDashes, '-');
  Write(f, dashes + "\n" + text + "\n" + dashes + "\n", text_mode);
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

HourMinSec SplitMinutes(double minutes) {
  HourMinSec t;
  t.h = ToInt(minutes / 60.0);
  t.m = ToInt(minutes - 60.0 * t.h);
  t.s = ToInt(std::fmod(minutes * 60.0, 60.0));
  return t;
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

void ApplyReplacements(std::string& line, const ReplacementList& list,
                       const std::vector<std::string>& strings) {
  const char start = static_cast<char>(kCommentStart);
  const char end = static_cast<char>(kCommentEnd);
  if (list.entries.empty() && line.find(start) == std::string::npos &&
      line.find(end) == std::string::npos)
    return;
  // NC text and comment texts alternate; a comment without its end marker
  // runs to the end of the line.
  std::string out, part;
  size_t pos = 0;
  while (pos <= line.size()) {
    size_t open = line.find(start, pos);
    part.assign(line, pos, open == std::string::npos ? std::string::npos : open - pos);
    std::erase(part, end);
    ApplyTo(part, list, strings, false);
    out += part;
    if (open == std::string::npos) break;
    size_t close = line.find(end, open + 1);
    part.assign(line, open + 1, close == std::string::npos ? std::string::npos : close - open - 1);
    ApplyTo(part, list, strings, true);
    out += part;
    if (close == std::string::npos) break;
    pos = close + 1;
  }
  line = std::move(out);
}

std::string FileLengthText(double length, size_t placeholder_length) {
  return Fixed0(length + static_cast<double>(Digits(length)) -
                static_cast<double>(placeholder_length));
}

void FinishNcFile(RunContext& ctx, const ValueTables& values, const OutputTables& output) {
  const std::string& nc_path = ctx.files.full_nc_path;
  const std::string& eol = values.strings[kSsEolFormat];
  const bool text_mode = eol == kCrLf;
  const double growth = text_mode ? 1.0 : (eol.size() < 2 ? 0.0 : eol.size() - 1.0);
  const MoveTotals totals = TotalsFrom(values);

  double total_growth = 0;
  {
    File nc(platform::OpenBinary(nc_path, "r"));
    if (!nc) return;
    File tmp(platform::OpenBinary(kTempNcCopy, "w"));
    if (!tmp) return;
    std::string line;
    while (platform::ReadTextLine(nc.get(), line)) {
      Pump(ctx.diag);
      bool ended = !line.empty() && line.back() == '\n';
      platform::ChopNewline(line);
      ReplaceMovePlaceholders(line, totals);
      ApplyReplacements(line, output.replacements, values.strings);
      if (ended) {
        line += text_mode ? std::string_view("\n") : std::string_view(eol);
        total_growth += growth;
      }
      Write(tmp.get(), line, text_mode);
    }
  }

  const bool framed = ctx.diag.error_flag != 0 || ctx.flags.limit_warning != 0;
  std::string frame_text = ctx.diag.last_error;
  if (frame_text.empty())
    frame_text = LangText(ctx.diag.lang, kLangTerminatedWithError, kMsgTerminatedWithError);

  const std::string finished_path = nc_path + kFinishedSuffix;
  File out(platform::OpenBinary(finished_path, "w"));
  // However the copy ends (a write error, Cancel), no half file stays
  // behind and the NC file is left whole.
  struct RemoveUnlessPlaced {
    const std::string& path;
    bool placed = false;
    ~RemoveUnlessPlaced() {
      if (!placed) platform::RemoveFile(path);
    }
  } finished{finished_path};
  if (!out) {
    // Nowhere to write beside it: the NC file takes the temp file as it is.
    finished.placed = true;  // nothing of ours is there to remove
    platform::CopyFileTo(kTempNcCopy, nc_path);
    return;
  }
  if (framed) WriteFrame(out.get(), frame_text, text_mode);

  File tmp(platform::OpenBinary(kTempNcCopy, "r"));
  if (!tmp) return;
  std::fseek(tmp.get(), 0, SEEK_END);
  const double length = static_cast<double>(std::ftell(tmp.get()));
  std::rewind(tmp.get());
  const std::string file_len = FileLengthText(length, std::string_view(kFileLen).size());
  const std::string file_len_unix =
      FileLengthText(length - total_growth, std::string_view(kFileLenUnix).size());

  // The temp file is copied byte for byte; only the length placeholders change.
  std::string line;
  bool ok = true;
  while (ReadRawLine(tmp.get(), line)) {
    Pump(ctx.diag);
    ReplaceAll(line, kFileLenUnix, file_len_unix);
    ReplaceAll(line, kFileLen, file_len);
    ok = std::fwrite(line.data(), 1, line.size(), out.get()) == line.size() && ok;
  }
  if (framed) WriteFrame(out.get(), frame_text, text_mode);
  tmp.reset();
  ok = std::fflush(out.get()) == 0 && ok;
  ok = std::fclose(out.release()) == 0 && ok;
  if (!ok) return;
  // A rename that the system refuses (the NC file held open by another
  // program) leaves a copy as the way in.
  finished.placed = platform::ReplaceFileWith(finished_path, nc_path);
  if (!finished.placed) platform::CopyFileTo(finished_path, nc_path);
}

}  // namespace tornel
