#include "tornel/dev/trace_listing.h"

#include <cctype>

#include "platform/text_file.h"

namespace tornel::dev {

namespace {

constexpr size_t kFrameDashes = 50;  // the error frame's dash lines
constexpr size_t kWriteChunk = 1 << 16;

bool SameWord(std::string_view a, std::string_view lower) {
  if (a.size() != lower.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != lower[i]) return false;
  return true;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The next blank-separated word of `line` from `pos`.
std::string_view NextWord(std::string_view line, size_t& pos) {
  while (pos < line.size() && IsBlank(line[pos])) ++pos;
  size_t start = pos;
  while (pos < line.size() && !IsBlank(line[pos])) ++pos;
  return line.substr(start, pos - start);
}

std::string FunctionName(std::string_view line, size_t pos) {
  while (pos < line.size() && IsBlank(line[pos])) ++pos;
  size_t start = pos;
  while (pos < line.size() && !IsBlank(line[pos]) && line[pos] != '(') ++pos;
  return std::string(line.substr(start, pos - start));
}

}  // namespace

std::vector<std::string> EnclosingFunctions(const std::vector<std::string>& lines) {
  std::vector<std::string> in(lines.size());
  std::string current;
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string_view line = lines[i];
    size_t pos = 0;
    std::string_view first = NextWord(line, pos);
    if (SameWord(first, "func")) {
      current = FunctionName(line, pos);
    } else if (SameWord(first, "main")) {
      current = "main";
    }
    in[i] = current;
    if (SameWord(first, "end")) {
      std::string_view second = NextWord(line, pos);
      if (SameWord(second, "func") || SameWord(second, "main")) current.clear();
    }
  }
  return in;
}

std::vector<std::string> SplitNcLines(std::string_view bytes, std::string_view eol) {
  bool by_newline = eol.empty() || eol == "\r\n";
  std::string_view sep = by_newline ? std::string_view("\n") : eol;
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos < bytes.size()) {
    size_t end = bytes.find(sep, pos);
    std::string_view line = bytes.substr(pos, end == std::string_view::npos ? end : end - pos);
    if (by_newline && !line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.emplace_back(line);
    if (end == std::string_view::npos) break;
    pos = end + sep.size();
  }
  return lines;
}

int FrameLines(const TraceLog& log, const std::vector<std::string>& nc_lines) {
  size_t written = 0;
  for (const WrittenLine& w : log.written) written += static_cast<size_t>(w.file_lines);
  if (nc_lines.size() == written) return 0;
  if (nc_lines.size() < written || (nc_lines.size() - written) % 2 != 0) return -1;
  // A frame: dashes, the report's lines, dashes; the same at the end.
  size_t frame = (nc_lines.size() - written) / 2;
  const std::string dashes(kFrameDashes, '-');
  if (frame < 2 || nc_lines[0] != dashes || nc_lines[frame - 1] != dashes ||
      nc_lines[nc_lines.size() - frame] != dashes || nc_lines.back() != dashes)
    return -1;
  return static_cast<int>(frame);
}

namespace {

class Rows {
 public:
  explicit Rows(std::FILE* out) : out_(out) {}
  std::string& text() { return text_; }
  bool Flush(bool all) {
    if (!ok_ || (!all && text_.size() < kWriteChunk)) return ok_;
    ok_ = platform::WriteText(out_, text_);
    text_.clear();
    return ok_;
  }

 private:
  std::FILE* out_;
  std::string text_;
  bool ok_ = true;
};

void AppendClColumn(std::string& row, const LineOrigin& o, const TraceLog& log,
                    const ListingNames& names) {
  if (o.pass == 1) row += "pass 1: ";
  if (o.record < 0) {
    row += '-';
    return;
  }
  const TraceRecord& r = log.records[static_cast<size_t>(o.record)];
  row += names.cl_file;
  row += ':';
  row += std::to_string(r.cl_line);
  row += ' ';
  row += r.text;
}

void AppendFunctionColumn(std::string& row, const LineOrigin& o, const ListingNames& names) {
  if (!o.in_function) {
    row += "(CL processing)";
  } else {
    std::string name = names.function_at ? names.function_at(o.loc) : std::string();
    row += name.empty() ? std::string("?") : name;
    row += ' ';
    row += names.file_name ? names.file_name(o.loc.file) : std::string("?");
    row += ':';
    row += std::to_string(o.loc.line);
  }
  if (!o.via.empty()) {
    row += " via ";
    row += o.via;
  }
}

}  // namespace

bool WriteListing(std::FILE* out, const TraceLog& log, const std::vector<std::string>& nc_lines,
                  const ListingNames& names, std::string& why) {
  int frame = FrameLines(log, nc_lines);
  if (frame < 0) {
    size_t written = 0;
    for (const WrittenLine& w : log.written) written += static_cast<size_t>(w.file_lines);
    why = "the NC file has " + std::to_string(nc_lines.size()) + " lines, the run wrote " +
          std::to_string(written);
    return false;
  }
  Rows rows(out);
  std::string& row = rows.text();
  row += "# tornel-dev trace: NC " + names.nc_file + ", post " + names.post_file + ", CL " +
         names.cl_file + "\n";
  row += "# NC line\tNC text\tCL line: record\tpost function: line";
  row += names.with_vars ? "\tvariables\n" : "\n";
  size_t n = 0;
  auto frame_row = [&] {
    row += std::to_string(n + 1) + "\t" + nc_lines[n] + "\t(error frame)\t-\n";
    ++n;
  };
  for (int i = 0; i < frame; ++i) frame_row();
  int last_record = -2;
  for (const WrittenLine& w : log.written) {
    const LineOrigin* o = w.origin >= 0 && static_cast<size_t>(w.origin) < log.origins.size()
                              ? &log.origins[static_cast<size_t>(w.origin)]
                              : nullptr;
    for (int k = 0; k < w.file_lines; ++k, ++n) {
      row += std::to_string(n + 1);
      row += '\t';
      row += nc_lines[n];
      row += '\t';
      if (!o) {
        row += "?\t?\n";
        continue;
      }
      AppendClColumn(row, *o, log, names);
      row += '\t';
      AppendFunctionColumn(row, *o, names);
      if (names.with_vars && o->record >= 0 && o->record != last_record) {
        row += '\t';
        row += log.records[static_cast<size_t>(o->record)].vars;
      }
      last_record = o->record;
      row += '\n';
      if (!rows.Flush(false)) break;
    }
  }
  while (n < nc_lines.size()) frame_row();
  if (!rows.Flush(true)) {
    why = "writing the listing failed";
    return false;
  }
  return true;
}

}  // namespace tornel::dev
