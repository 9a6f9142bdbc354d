// tornel-dev plot FILE [-o OUT.svg]: the toolpath of an APT-CL file or of
// an ISO NC program as an SVG picture, written beside OUT and then put in
// its place.
#include <cstdio>
#include <string>

#include "platform/files.h"
#include "platform/text_file.h"
#include "tornel/base/file_open.h"
#include "tornel/dev/cl_toolpath.h"
#include "tornel/dev/commands.h"
#include "tornel/dev/nc_toolpath.h"
#include "tornel/dev/plot_input.h"
#include "tornel/dev/svg_plot.h"

namespace tornel::dev {

namespace {

constexpr const char* kPlotUsage = "usage: tornel-dev plot FILE [-o OUT.svg]\n";

bool ReadWhole(const std::string& path, std::string& text) {
  if (!platform::IsRegularFile(path)) return false;
  std::FILE* f = platform::OpenBinary(path, "r");
  if (!f) return false;
  char buffer[65536];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
  bool ok = !std::ferror(f);
  std::fclose(f);
  return ok;
}

bool WriteReplacing(const std::string& path, const std::string& text) {
  std::string temp;
  std::FILE* f = TryCreateBeside(path, temp);
  if (!f) return false;
  bool ok = platform::WriteText(f, text);
  ok = platform::CloseFile(f) && ok;
  if (ok && platform::ReplaceFileWith(temp, path)) return true;
  platform::RemoveFile(temp);
  return false;
}

}  // namespace

int RunPlot(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
  std::string input, output;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "-o" && i + 1 < args.size()) {
      output = args[++i];
    } else if (input.empty() && !args[i].empty() && args[i][0] != '-') {
      input = args[i];
    } else {
      std::fputs(kPlotUsage, err);
      return 2;
    }
  }
  if (input.empty()) {
    std::fputs(kPlotUsage, err);
    return 2;
  }
  if (output.empty()) output = input + ".svg";

  std::string text;
  if (!ReadWhole(input, text)) {
    std::fprintf(err, "tornel-dev plot: cannot read %s\n", input.c_str());
    return 1;
  }
  InputKind kind = TellInputKind(input, text);
  Toolpath path;
  std::string error =
      kind == InputKind::kCl ? ReadClToolpath(text, path) : ReadNcToolpath(text, path);
  if (!error.empty()) {
    std::fprintf(err, "tornel-dev plot: %s %s\n", input.c_str(), error.c_str());
    return 1;
  }
  if (path.moves.empty() && path.holes.empty()) {
    std::fprintf(err, "tornel-dev plot: no motions to plot in %s\n", input.c_str());
    return 1;
  }
  if (!WriteReplacing(output, ToolpathSvg(path, input))) {
    std::fprintf(err, "tornel-dev plot: cannot write %s\n", output.c_str());
    return 1;
  }
  PlotCounts c = CountMotions(path);
  std::fprintf(out, "%s (%s%s%s): %d motions, %d rapid, %d feed, %d arcs, %d holes\n",
               output.c_str(), kind == InputKind::kCl ? "APT-CL" : "NC",
               path.units.empty() ? "" : ", ", path.units.c_str(), c.rapid + c.feed, c.rapid,
               c.feed, c.arcs, c.holes);
  return 0;
}

}  // namespace tornel::dev
