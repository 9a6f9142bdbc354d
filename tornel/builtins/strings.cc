#include "tornel/builtins/strings.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tornel {

namespace {

// Far beyond any string, small enough that sums of two never overflow.
constexpr double kIndexBound = 1e15;

// The [begin, end) byte range of the clamped substring (p, n) of a string
// of `size` bytes.
struct Range {
  size_t begin = 0;
  size_t end = 0;
};

Range Clamp(size_t size, long long p, long long n) {
  long long len = static_cast<long long>(size);
  if (p < 1) p = 1;
  if (n <= 0 || p > len) return {};
  long long end = p - 1 + n;
  if (end > len) end = len;
  return {static_cast<size_t>(p - 1), static_cast<size_t>(end)};
}

// The first p - 1 characters of v, at most all of them.
size_t Head(const std::string& v, double p) {
  long long keep = ToIndex(p) - 1;
  if (keep < 0) keep = 0;
  return keep > static_cast<long long>(v.size()) ? v.size() : static_cast<size_t>(keep);
}

bool IsWhite(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

std::string Padded(long long value, long long width) {
  if (width > 64) width = 64;
  char buf[96];
  std::snprintf(buf, sizeof buf, "%0*lld", static_cast<int>(width), value);
  return buf;
}

// The first run of `letter` in `text`, from `at`, of length `len`.
bool FindRun(const std::string& text, char letter, size_t& at, size_t& len) {
  at = text.find(letter);
  if (at == std::string::npos) return false;
  len = 1;
  while (at + len < text.size() && text[at + len] == letter) ++len;
  return true;
}

std::string Lowered(std::string_view format) {
  std::string text(format);
  StrLow(text);
  return text;
}

}  // namespace

long long ToIndex(double v) {
  if (std::isnan(v)) return 0;
  if (v > kIndexBound) return static_cast<long long>(kIndexBound);
  if (v < -kIndexBound) return -static_cast<long long>(kIndexBound);
  return static_cast<long long>(v);
}

std::string StrCopy(std::string_view s, double p, double n) {
  Range r = Clamp(s.size(), ToIndex(p), ToIndex(n));
  return std::string(s.substr(r.begin, r.end - r.begin));
}

std::string StrRCopy(std::string_view s, double p, double n) {
  long long len = static_cast<long long>(s.size());
  long long end = len - (ToIndex(p) - 1);  // one past the last character taken
  long long count = ToIndex(n);
  if (count <= 0 || end <= 0) return {};
  if (end > len) end = len;
  long long begin = end - count;
  if (begin < 0) begin = 0;
  return std::string(s.substr(static_cast<size_t>(begin), static_cast<size_t>(end - begin)));
}

void StrIns(std::string& v, std::string_view s, double p) { v.insert(Head(v, p), s); }

void StrOvr(std::string& v, std::string_view s, double p) {
  size_t at = Head(v, p);
  v.replace(at, std::min(s.size(), v.size() - at), s);
}

void StrDel(std::string& v, double p, double n) {
  Range r = Clamp(v.size(), ToIndex(p), ToIndex(n));
  v.erase(r.begin, r.end - r.begin);
}

bool StrRSpc(std::string& v, double mode) {
  switch (ToIndex(mode)) {
    case 1:
    case 2:
    case 3: {
      long long m = ToIndex(mode);
      size_t begin = 0, end = v.size();
      if (m != 2)
        while (begin < end && IsWhite(v[begin])) ++begin;
      if (m != 1)
        while (end > begin && IsWhite(v[end - 1])) --end;
      v = v.substr(begin, end - begin);
      return true;
    }
    case 4:
      std::erase_if(v, [](char c) { return c == ' ' || c == '\t' || c == '\n'; });
      return true;
    default:
      return false;
  }
}

void StrUp(std::string& v) {
  for (char& c : v)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
}

void StrLow(std::string& v) {
  for (char& c : v)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
}

std::string Chr(double n) {
  char c = static_cast<char>(static_cast<unsigned char>(ToIndex(n) & 0xff));
  return c == 0 ? std::string() : std::string(1, c);
}

std::string Tab(double n, double m) {
  long long tabs = ToIndex(n), blanks = ToIndex(m);
  std::string out;
  if (tabs > 0) out.append(static_cast<size_t>(std::min<long long>(tabs, 4096)), '\t');
  if (blanks > 0) out.append(static_cast<size_t>(std::min<long long>(blanks, 4096)), ' ');
  return out;
}

std::optional<double> AscVal(std::string_view s, double i) {
  long long at = ToIndex(i);
  if (at < 1 || at > static_cast<long long>(s.size())) return std::nullopt;
  return static_cast<unsigned char>(s[static_cast<size_t>(at - 1)]);
}

std::optional<double> StrVal(std::string_view s) {
  if (s.empty() || s.find_first_not_of("+-.0123456789") != std::string_view::npos)
    return std::nullopt;
  std::string text(s);
  char* end = nullptr;
  double v = std::strtod(text.c_str(), &end);
  if (end != text.c_str() + text.size()) return std::nullopt;
  return v;
}

std::string StrTime(std::string_view format, int hour, int minute, int second) {
  std::string text = Lowered(format);
  size_t at, len;
  if (FindRun(text, 'a', at, len)) {
    text.replace(at, len, hour >= 12 ? "PM" : "AM");
    hour %= 12;
    if (hour == 0) hour = 12;
  }
  if (FindRun(text, 'h', at, len)) text.replace(at, len, Padded(hour, len));
  if (FindRun(text, 'm', at, len))
    text.replace(at, len, Padded(minute, std::max<long long>(len, 2)));
  if (FindRun(text, 's', at, len))
    text.replace(at, len, Padded(second, std::max<long long>(len, 2)));
  return text;
}

std::string StrDate(std::string_view format, int year, int month, int day) {
  std::string text = Lowered(format);
  size_t at, len;
  if (FindRun(text, 'y', at, len))
    text.replace(at, len, len < 3 ? Padded(year % 100, 2) : Padded(year, len));
  if (FindRun(text, 'm', at, len)) text.replace(at, len, Padded(month, len));
  if (FindRun(text, 'd', at, len)) text.replace(at, len, Padded(day, len));
  return text;
}

}  // namespace tornel
