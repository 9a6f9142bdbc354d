// Fuzz target for tornel-dev test's readers of outside text: the line files
// of a case (args, status, absent, sources) and the unified diff of two
// texts.  The input is cut at its first NUL byte into the expected and the
// new text.
//
//   cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DTORNEL_FUZZ=ON -DTORNEL_TESTS=OFF
//   make -C build-fuzz test_case_fuzz
//   build-fuzz/test_case_fuzz -max_total_time=60 -max_len=4096
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "tornel/dev/test_case.h"
#include "tornel/dev/test_run.h"
#include "tornel/dev/unified_diff.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tornel::dev;
  std::string_view input(reinterpret_cast<const char*>(data), size);
  size_t cut = input.find('\0');
  std::string_view a = input.substr(0, cut);
  std::string_view b = cut == std::string_view::npos ? std::string_view() : input.substr(cut + 1);

  for (const std::string& line : CaseFileLines(a)) {
    Check(!line.empty() && line.find('\n') == std::string::npos);
    IsNcWorkFileName(line);
  }
  std::vector<std::string> from = SplitLines(a), to = SplitLines(b);
  std::string joined;
  for (const std::string& line : from) joined += line;
  Check(joined == a);

  // The steps rebuild the new text from the old one.
  std::string rebuilt;
  size_t next = 0;
  for (const DiffStep& s : DiffSteps(from, to)) {
    if (s.kind == DiffStep::kAdded) {
      rebuilt += to[s.to];
      continue;
    }
    Check(s.from == next++);
    if (s.kind == DiffStep::kSame) {
      Check(from[s.from] == to[s.to]);
      rebuilt += from[s.from];
    }
  }
  Check(next == from.size() && rebuilt == b);
  Check(UnifiedDiff(from, to, "a", "b").empty() == (a == b));
  return 0;
}
