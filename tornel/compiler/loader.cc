#include "tornel/compiler/loader.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <string_view>

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

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Checks the references of a loaded program against the tables they name.
class ReferenceCheck {
 public:
  ReferenceCheck(Diagnostics& diag, const ReferenceLimits& limits, const LoadedProgram& program)
      : diag_(diag), limits_(limits), program_(program) {}

  void Statement(std::string_view s) {
    for (size_t i = 0; i < s.size();) {
      const char c = s[i++];
      if (c == kTokIntVar || c == kTokRealVar || c == kTokStringRef) {
        uint64_t index = Number(s, i);
        uint64_t count = 1;
        if (i < s.size() && s[i] == '|') {
          ++i;
          count = Number(s, i);
          if (count == 0) Bad();
        }
        if (index + count > TableSize(c)) Bad();
      } else if (c == kTokNumFunc || c == kTokStrFunc || c == kTokProc || c == kTokDialogProc) {
        if (i == s.size() || TokenValue(s[i]) < kFirstFunctionCode) Bad();
        const char kind = s[i++];
        if (IsUserFunctionReference(c, kind)) Function(Number(s, i), IsCalled(c, kind));
      } else if (c == kTokJump || c == kTokJumpIfFalse || c == kTokJumpIfTrue) {
        Label(Number(s, i));
      }
      // Every other byte names nothing by itself: attribute and replace
      // kinds (170 and above) are no reference bytes, so reading them one
      // at a time hides none.

    }
  }

 private:
  [[noreturn]] void Bad() { FatalPlain(diag_, kMsgIllegalReference, true); }

  // The decimal number at `i` (0 when there is none); one too large to be
  // any index is refused.
  uint64_t Number(std::string_view s, size_t& i) {
    uint64_t v = 0;
    for (; i < s.size() && IsDigit(s[i]); ++i) {
      v = v * 10 + static_cast<uint64_t>(s[i] - '0');
      if (v > INT32_MAX) Bad();
    }
    return v;
  }

  uint64_t TableSize(char type) const {
    if (type == kTokIntVar || type == kTokInOutInt) return limits_.ints;
    if (type == kTokRealVar || type == kTokInOutReal) return limits_.reals;
    if (type == kTokStringRef || type == kTokInOutString) return limits_.strings;
    return 0;
  }

  // The references that the interpreter calls through their descriptor.
  static bool IsCalled(char cls, char kind) {
    return cls != kTokProc || kind == kTokFuncUser || kind == kTokFuncPost;
  }

  void Label(uint64_t n) {
    const std::vector<int32_t>& labels = program_.labels;
    if (n >= labels.size() || labels[n] == kLabelNotPlaced) Bad();
  }

  void Range(int32_t first, int32_t end, uint64_t size) {
    if (first < 0 || end < first || static_cast<uint64_t>(end) > size) Bad();
  }

  void Function(uint64_t offset, bool called) {
    const FunctionTables* f = limits_.functions;
    if (!f || !std::binary_search(f->offsets.begin(), f->offsets.end(), offset)) Bad();
    if (!called) return;
    if (checked_.size() < f->offsets.size()) checked_.resize(f->offsets.size());
    size_t k = static_cast<size_t>(
        std::lower_bound(f->offsets.begin(), f->offsets.end(), offset) - f->offsets.begin());
    if (checked_[k]) return;
    const int64_t end = f->descriptor_end;
    if (static_cast<int64_t>(offset) + kDescParams > end ||
        end > static_cast<int64_t>(f->descriptors.size()))
      Bad();
    const int32_t* d = f->descriptors.data() + offset;
    const int64_t params = d[kDescParamCount];
    if (params < 0 || static_cast<int64_t>(offset) + kDescParams + kDescParamSize * params > end)
      Bad();
    if (d[kDescLabel] < 0) Bad();
    Label(static_cast<uint64_t>(d[kDescLabel]));
    Range(d[kDescIntFirst], d[kDescIntEnd], limits_.ints);
    Range(d[kDescRealFirst], d[kDescRealEnd], limits_.reals);
    Range(d[kDescStringFirst], d[kDescStringEnd], limits_.strings);
    for (int64_t k2 = 0; k2 < params; ++k2) {
      const int32_t kind = d[kDescParams + kDescParamSize * k2];
      const int32_t slot = d[kDescParams + kDescParamSize * k2 + 1];
      if (kind < TokenValue(kTokIntVar) || kind > TokenValue(kTokInOutString)) Bad();
      if (slot < 0 || static_cast<uint64_t>(slot) >= TableSize(static_cast<char>(kind))) Bad();
    }
    checked_[k] = true;
  }

  Diagnostics& diag_;
  const ReferenceLimits& limits_;
  const LoadedProgram& program_;
  std::vector<bool> checked_;  // by position in the offsets: descriptor checked
};

}  // namespace

void LoadProgram(Diagnostics& diag, const std::vector<std::string>& lines, int label_count,
                 const ReferenceLimits& limits, LoadedProgram& program) {
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
  ReferenceCheck check(diag, limits, program);
  for (const std::string& line : lines) {
    if (IsLabelLine(line)) continue;
    size_t start = line.find(kTokLocation);
    check.Statement(std::string_view(line).substr(start == std::string::npos ? 0 : start + 1));
  }
}

}  // namespace tornel
