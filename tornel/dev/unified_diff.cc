#include "tornel/dev/unified_diff.h"

#include <algorithm>

namespace tornel::dev {

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    end = end == std::string_view::npos ? text.size() : end + 1;
    lines.emplace_back(text.substr(start, end - start));
    start = end;
  }
  return lines;
}

namespace {

// Past this many changes the search for the fewest stops: its memory grows
// with the square of the changes.
constexpr long kMostChanges = 2000;

// The fewest changes from a[a0, a1) to b[b0, b1) (Myers' greedy search,
// each round's furthest reaches kept to walk back), appended to `steps`;
// false when there are more than kMostChanges.
bool FewestChanges(const std::vector<std::string>& a, size_t a0, size_t a1,
                   const std::vector<std::string>& b, size_t b0, size_t b1,
                   std::vector<DiffStep>& steps) {
  const long n = static_cast<long>(a1 - a0), m = static_cast<long>(b1 - b0);
  const long most = std::min(n + m, kMostChanges);
  // reach[k + offset]: the furthest x on diagonal k = x - y.
  const long offset = most + 1;
  std::vector<long> reach(static_cast<size_t>(2 * most + 3), 0);
  // rounds[d]: reach[-d - 1 .. d + 1] as it was when round d began.
  std::vector<std::vector<long>> rounds;
  long found = -1;
  for (long d = 0; d <= most && found < 0; ++d) {
    rounds.emplace_back(reach.begin() + (offset - d - 1), reach.begin() + (offset + d + 2));
    for (long k = -d; k <= d; k += 2) {
      long x = (k == -d || (k != d && reach[offset + k - 1] < reach[offset + k + 1]))
                   ? reach[offset + k + 1]
                   : reach[offset + k - 1] + 1;
      long y = x - k;
      while (x < n && y < m && a[a0 + x] == b[b0 + y]) ++x, ++y;
      reach[offset + k] = x;
      if (x >= n && y >= m) {
        found = d;
        break;
      }
    }
  }
  if (found < 0) return false;
  std::vector<DiffStep> back;
  long x = n, y = m;
  for (long d = found; d >= 0; --d) {
    const std::vector<long>& v = rounds[static_cast<size_t>(d)];
    auto at = [&](long k) { return v[static_cast<size_t>(k + d + 1)]; };
    long k = x - y;
    long prev_k = (k == -d || (k != d && at(k - 1) < at(k + 1))) ? k + 1 : k - 1;
    long prev_x = at(prev_k), prev_y = prev_x - prev_k;
    while (x > prev_x && y > prev_y) {
      --x, --y;
      back.push_back({DiffStep::kSame, a0 + x, b0 + y});
    }
    if (d == 0) break;
    if (x == prev_x)
      back.push_back({DiffStep::kAdded, a0 + x, b0 + prev_y});
    else
      back.push_back({DiffStep::kRemoved, a0 + prev_x, b0 + y});
    x = prev_x, y = prev_y;
  }
  steps.insert(steps.end(), back.rbegin(), back.rend());
  return true;
}

// "l,s" of a hunk header: a range of no lines is named by the line before it.
std::string Range(size_t first, size_t count) {
  std::string start = std::to_string(count == 0 ? first : first + 1);
  return count == 1 ? start : start + "," + std::to_string(count);
}

void AppendLine(std::string& out, char mark, const std::string& line) {
  out += mark;
  out += line;
  if (line.empty() || line.back() != '\n') out += "\n\\ No newline at end of file\n";
}

}  // namespace

std::vector<DiffStep> DiffSteps(const std::vector<std::string>& from,
                                const std::vector<std::string>& to) {
  std::vector<DiffStep> steps;
  size_t head = 0;
  while (head < from.size() && head < to.size() && from[head] == to[head]) {
    steps.push_back({DiffStep::kSame, head, head});
    ++head;
  }
  size_t tail = 0;
  while (tail < from.size() - head && tail < to.size() - head &&
         from[from.size() - 1 - tail] == to[to.size() - 1 - tail])
    ++tail;
  const size_t from_end = from.size() - tail, to_end = to.size() - tail;
  if (!FewestChanges(from, head, from_end, to, head, to_end, steps)) {
    for (size_t i = head; i < from_end; ++i) steps.push_back({DiffStep::kRemoved, i, head});
    for (size_t j = head; j < to_end; ++j) steps.push_back({DiffStep::kAdded, from_end, j});
  }
  for (size_t i = 0; i < tail; ++i) steps.push_back({DiffStep::kSame, from_end + i, to_end + i});
  return steps;
}

std::string UnifiedDiff(const std::vector<std::string>& from, const std::vector<std::string>& to,
                        std::string_view from_name, std::string_view to_name, size_t context) {
  std::vector<DiffStep> steps = DiffSteps(from, to);
  std::string out;
  size_t i = 0;
  while (i < steps.size()) {
    while (i < steps.size() && steps[i].kind == DiffStep::kSame) ++i;
    if (i == steps.size()) break;
    // A hunk: the context before this change, then changes until more than
    // twice the context of unchanged lines follows (or the end).
    size_t begin = i - std::min(i, context);
    size_t end = i;
    for (;;) {
      while (end < steps.size() && steps[end].kind != DiffStep::kSame) ++end;
      size_t same = end;
      while (same < steps.size() && steps[same].kind == DiffStep::kSame) ++same;
      if (same == steps.size() || same - end > 2 * context) {
        end = std::min(same, end + context);
        break;
      }
      end = same;
    }
    size_t from_first = steps[begin].from, to_first = steps[begin].to;
    size_t from_count = 0, to_count = 0;
    for (size_t s = begin; s < end; ++s) {
      if (steps[s].kind != DiffStep::kAdded) ++from_count;
      if (steps[s].kind != DiffStep::kRemoved) ++to_count;
    }
    if (out.empty()) {
      out += "--- " + std::string(from_name) + "\n";
      out += "+++ " + std::string(to_name) + "\n";
    }
    out += "@@ -" + Range(from_first, from_count) + " +" + Range(to_first, to_count) + " @@\n";
    for (size_t s = begin; s < end; ++s) {
      const DiffStep& step = steps[s];
      if (step.kind == DiffStep::kSame) AppendLine(out, ' ', from[step.from]);
      if (step.kind == DiffStep::kRemoved) AppendLine(out, '-', from[step.from]);
      if (step.kind == DiffStep::kAdded) AppendLine(out, '+', to[step.to]);
    }
    i = end;
  }
  return out;
}

}  // namespace tornel::dev
