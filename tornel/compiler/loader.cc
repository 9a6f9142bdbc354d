#include "tornel/compiler/loader.h"

#include <charconv>

#include "tornel/base/table_growth.h"
#include "tornel/compiler/tokens.h"

namespace tornel {

namespace {

// The label number of a label line, read as decimal digits after its byte.
int LabelNumber(const std::string& line) {
  int n = 0;
  std::from_chars(line.data() + 1, line.data() + line.size(), n);
  return n < 0 ? 0 : n;
}

bool IsLabelLine(const std::string& line) { return !line.empty() && line[0] == kTokLabelLine; }

}  // namespace

void LoadProgram(Diagnostics& diag, const std::vector<std::string>& lines, int label_count,
                 LoadedProgram& program) {
  size_t length = 0;
  for (const std::string& line : lines)
    if (!IsLabelLine(line)) length += line.size() + 1;
  WithMemory(diag, [&] {
    program.bytes.clear();
    program.bytes.reserve(length);
    program.labels.assign(label_count > 0 ? static_cast<size_t>(label_count) : 0, kLabelNotPlaced);
    for (const std::string& line : lines) {
      if (!IsLabelLine(line)) {
        program.bytes += line;
        program.bytes += kTokLineEnd;
        continue;
      }
      size_t n = static_cast<size_t>(LabelNumber(line));
      if (n >= program.labels.size()) program.labels.resize(n + 1, kLabelNotPlaced);
      program.labels[n] = static_cast<int32_t>(program.bytes.size());
    }
  });
}

}  // namespace tornel
