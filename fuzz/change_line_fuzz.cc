// Fuzz target for change's line editor: arbitrary texts, options and file
// contents through a whole run in memory.  The input is split at NUL
// bytes: the search text, the replacement text, up to eight options, and
// the rest is the file.  A run must never crash, must leave no new file
// behind, must leave the file as it was unless it reports it replaced, and
// with only a replacement text (lines copied unchanged) must give back
// every byte as it was when line ends are kept.
//
//   cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DTORNEL_FUZZ=ON -DTORNEL_TESTS=OFF
//   make -C build-fuzz change_line_fuzz
//   build-fuzz/change_line_fuzz -max_total_time=60 -max_len=16384
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "tools/change/change_run.h"
#include "tools/change/memory_files.h"
#include "tools/change/options.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  change::CommandLine line;
  line.args.push_back("f");
  size_t at = 0;
  // Texts and options, as many as stand before the tenth NUL.
  while (line.args.size() < 11) {
    size_t nul = input.find('\0', at);
    if (nul == std::string_view::npos) break;
    line.args.emplace_back(input.substr(at, nul - at));
    at = nul + 1;
  }
  const std::string file(input.substr(at));
  const change::LineEnds ends = size % 2 ? change::LineEnds::kCrLf : change::LineEnds::kAsRead;

  change::MemoryFileSystem fs;
  fs.files["f"] = file;
  change::RecordedBoxes boxes;
  change::Outcome outcome = change::RunChange(line, fs, boxes, ends);

  Check(fs.open_new_files == 0);
  Check(fs.files.size() == 1);
  if (outcome != change::Outcome::kReplaced) Check(fs.files["f"] == file);
  const change::Options options = change::ParseOptions(line);
  if (!options.warn) Check(boxes.shown.size() == (outcome == change::Outcome::kHelp ? 1u : 0u));
  if (outcome == change::Outcome::kReplaced && ends == change::LineEnds::kAsRead &&
      line.args[1].empty() && !line.args[2].empty())
    Check(fs.files["f"] == file);
  return 0;
}
