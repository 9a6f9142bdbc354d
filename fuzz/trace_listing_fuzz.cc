// Fuzz target for the readers of tornel-dev trace: the post lines read for
// their enclosing functions, the finished NC file split at its line end,
// and the rows made from them against a log of any shape.  Neither may read
// outside its input, and the rows must stand one for one with the lines.
//
//   cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DTORNEL_FUZZ=ON -DTORNEL_TESTS=OFF
//   make -C build-fuzz trace_listing_fuzz
//   build-fuzz/trace_listing_fuzz -max_total_time=60 -max_len=8192
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "tornel/dev/trace_listing.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tornel::dev;
  if (size < 2) return 0;
  // The first byte picks the line end, the second the shape of the log.
  static constexpr std::string_view kEols[] = {"\r\n", "\n", "", "*", "\r", "ab"};
  std::string_view eol = kEols[data[0] % std::size(kEols)];
  const unsigned shape = data[1];
  std::string_view bytes(reinterpret_cast<const char*>(data) + 2, size - 2);

  std::vector<std::string> lines = SplitNcLines(bytes, eol);
  size_t joined = 0;
  for (const std::string& l : lines) joined += l.size();
  Check(joined <= bytes.size());

  std::vector<std::string> functions = EnclosingFunctions(lines);
  Check(functions.size() == lines.size());
  for (size_t i = 0; i < lines.size(); ++i) Check(functions[i].size() <= bytes.size() + 4);

  TraceLog log;
  log.records.push_back({1, "GOTO/1", "srX=1"});
  LineOrigin o;
  o.record = (shape & 1) ? 0 : -1;
  o.in_function = (shape & 2) != 0;
  o.loc = {0, static_cast<int>(shape % 7)};
  log.origins.push_back(o);
  size_t take = lines.size() > (shape >> 4) ? lines.size() - (shape >> 4) : 0;
  for (size_t i = 0; i < take; ++i)
    log.written.push_back({static_cast<int>(i % 3) - 1, 1 + static_cast<int>((shape >> 2) & 1)});

  ListingNames names;
  names.with_vars = (shape & 8) != 0;
  names.function_at = [&functions](tornel::Location loc) {
    return loc.line >= 1 && static_cast<size_t>(loc.line) <= functions.size()
               ? functions[static_cast<size_t>(loc.line) - 1]
               : std::string();
  };
  names.file_name = [](int) { return std::string("p.tr"); };
  int frame = FrameLines(log, lines);
  std::FILE* out = std::tmpfile();
  if (!out) return 0;
  std::string why;
  bool ok = WriteListing(out, log, lines, names, why);
  Check(ok == (frame >= 0));
  // A header of two lines, then one row per line of the file.
  std::rewind(out);
  size_t newlines = 0;
  int c;
  while ((c = std::fgetc(out)) != EOF) newlines += c == '\n';
  std::fclose(out);
  if (ok) Check(newlines >= 2 + lines.size());
  return 0;
}
