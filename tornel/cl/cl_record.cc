#include "tornel/cl/cl_record.h"

#include <charconv>
#include <cstdint>
#include <cmath>
#include <limits>

namespace tornel {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsNameChar(char c) {
  return IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Major words whose text follows them without a slash in many CAM systems'
// output ("PARTNO PART 1", "PPRINT CHECK CLAMPS", "INSERT G54").
constexpr std::string_view kTextMajorWords[] = {"PARTNO", "PPRINT", "INSERT", "REMARK"};

// For a record in the form "MAJOR text" (a text major word, blanks, then
// anything but a slash): the length of the major word, its start in
// `*major_at`.  0 for every other record.
size_t TextRecordMajor(std::string_view text, size_t* major_at) {
  size_t start = 0;
  while (start < text.size() && IsBlank(text[start])) ++start;
  size_t end = start;
  while (end < text.size() && IsNameChar(text[end])) ++end;
  size_t after = end;
  while (after < text.size() && IsBlank(text[after])) ++after;
  if (after == end || after == text.size() || text[after] == '/') return 0;
  std::string_view name = text.substr(start, end - start);
  for (std::string_view major : kTextMajorWords) {
    if (WordIs(name, major)) {
      *major_at = start;
      return name.size();
    }
  }
  return 0;
}

// A line end left inside the line: a CR before a CR LF, or a CR at the end
// of a file without a last line feed.
bool IsBlankOrCr(char c) { return IsBlank(c) || c == '\r'; }

}  // namespace

void EmptySlot(RecordSlot& slot) {
  for (int i = 0; i < slot.words; ++i) {
    slot.type[i] = kWordNone;
    slot.word[i].clear();
    slot.value[i] = 0;
  }
  slot.words = 0;
  slot.major = MajorWord::kOther;
  slot.text.clear();
}

bool WordIs(std::string_view word, std::string_view upper_keyword) {
  if (word.size() != upper_keyword.size()) return false;
  for (size_t i = 0; i < word.size(); ++i)
    if (Upper(word[i]) != upper_keyword[i]) return false;
  return true;
}

namespace {

// [sign] digits [. digits] E [sign] digits, with at least one digit before
// the exponent: a number in scientific notation, as some CAM systems write
// very small or very large values.
bool IsExponentNumber(std::string_view word) {
  size_t i = 0;
  if (i < word.size() && (word[i] == '+' || word[i] == '-')) ++i;
  size_t mantissa = 0;
  for (; i < word.size() && IsDigit(word[i]); ++i) ++mantissa;
  if (i < word.size() && word[i] == '.')
    for (++i; i < word.size() && IsDigit(word[i]); ++i) ++mantissa;
  if (mantissa == 0 || i >= word.size() || (word[i] != 'E' && word[i] != 'e')) return false;
  ++i;
  if (i < word.size() && (word[i] == '+' || word[i] == '-')) ++i;
  size_t exponent = 0;
  for (; i < word.size() && IsDigit(word[i]); ++i) ++exponent;
  return exponent > 0 && i == word.size();
}

}  // namespace

bool IsNumberWord(std::string_view word) {
  if (word.empty()) return false;
  for (char c : word)
    if (!IsDigit(c) && c != '+' && c != '-' && c != '.') return IsExponentNumber(word);
  return true;
}

namespace {

// The plain number CL files mostly carry ("-12.3400": a sign, at most 15
// digits and one point) in one scan; false for anything else, which the
// full rules then read.
bool PlainNumber(std::string_view w, double& value) {
  size_t i = 0;
  bool negative = false;
  if (i < w.size() && (w[i] == '+' || w[i] == '-')) negative = w[i++] == '-';
  uint64_t mantissa = 0;
  int digits = 0;
  int decimals = -1;  // -1 until the point
  for (; i < w.size(); ++i) {
    char c = w[i];
    if (IsDigit(c)) {
      mantissa = mantissa * 10 + static_cast<uint64_t>(c - '0');
      ++digits;
      if (decimals >= 0) ++decimals;
    } else if (c == '.' && decimals < 0) {
      decimals = 0;
    } else {
      return false;
    }
  }
  if (digits == 0 || digits > 15) return false;
  static constexpr double kPow10[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6, 1e7,
                                      1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  value = static_cast<double>(mantissa) / kPow10[decimals < 0 ? 0 : decimals];
  if (negative) value = -value;
  return true;
}

}  // namespace

double NumberWordValue(std::string_view word) {
  double plain;
  if (PlainNumber(word, plain)) return plain;
  size_t i = 0;
  bool negative = false;
  if (i < word.size() && (word[i] == '+' || word[i] == '-')) negative = word[i++] == '-';
  size_t start = i;
  bool nonzero_int = false;
  size_t digits = 0;
  for (; i < word.size() && IsDigit(word[i]); ++i, ++digits) nonzero_int |= word[i] != '0';
  if (i < word.size() && word[i] == '.') {
    for (++i; i < word.size() && IsDigit(word[i]); ++i) ++digits;
  }
  if (digits == 0) return 0;
  if (i < word.size() && IsExponentNumber(word)) {
    i = word.size();
    // Out of range with a negative exponent is too small, else too large.
    size_t e = word.find_first_of("Ee");
    nonzero_int = !(e + 1 < word.size() && word[e + 1] == '-');
  }
  double value = 0;
  auto [end, ec] = std::from_chars(word.data() + start, word.data() + i, value);
  (void)end;
  if (ec == std::errc::result_out_of_range)
    value = nonzero_int ? std::numeric_limits<double>::infinity() : 0.0;
  else if (ec != std::errc())
    value = 0;
  return negative ? -value : value;
}

namespace {

// False for a number word that no double holds.
bool StoreWord(RecordSlot& slot, int n, std::string_view w) {
  slot.word[n].assign(w);
  if (n == 0) slot.major = ClassifyMajorWord(w);
  double plain;
  if (PlainNumber(w, plain)) {
    slot.type[n] = kWordNumber;
    slot.value[n] = plain;
    slot.words = n + 1;
    return true;
  }
  if (IsNumberWord(w)) {
    slot.type[n] = kWordNumber;
    slot.value[n] = NumberWordValue(w);
    slot.words = n + 1;
    return std::isfinite(slot.value[n]);
  } else {
    slot.type[n] = kWordString;
    slot.value[n] = 0;
  }
  slot.words = n + 1;
  return true;
}

}  // namespace

FeedResult SplitWords(RecordSlot& slot) {
  for (int i = 0; i < slot.words; ++i) {  // words of an earlier split
    slot.type[i] = kWordNone;
    slot.word[i].clear();
    slot.value[i] = 0;
  }
  slot.words = 0;
  const std::string_view text = slot.text;
  // "PARTNO PART 1": the major word and its text as one string word.
  size_t major_at = 0;
  if (size_t major_len = TextRecordMajor(text, &major_at)) {
    StoreWord(slot, 0, text.substr(major_at, major_len));
    if (!StoreWord(slot, 1, Trim(text.substr(major_at + major_len)))) {
      EmptySlot(slot);
      return FeedResult::kBadNumber;
    }
    return FeedResult::kRecord;
  }
  size_t pos = 0;
  int n = 0;
  while (pos < text.size()) {
    if (n == kRecordWordLimit) {
      EmptySlot(slot);
      return FeedResult::kTooManyWords;
    }
    std::string_view raw;
    if (text[pos] == '\'') {
      size_t close = text.find('\'', pos + 1);
      if (close == std::string_view::npos) close = text.size();
      raw = text.substr(pos + 1, close - pos - 1);
      pos = close + 2;  // the closing quote and the character after it
    } else {
      size_t sep = text.find(n == 0 ? '/' : ',', pos);
      if (sep == std::string_view::npos) sep = text.size();
      raw = text.substr(pos, sep - pos);
      pos = sep + 1;
    }
    std::string_view w = Trim(raw);
    if (n == 0 && w.empty()) {
      EmptySlot(slot);
      return FeedResult::kDropped;
    }
    if (!StoreWord(slot, n++, w)) {
      EmptySlot(slot);
      return FeedResult::kBadNumber;
    }
  }
  return FeedResult::kRecord;
}

FeedResult AssembleLine(RecordSlot& slot, std::string_view line, int32_t line_number) {
  if (slot.text.empty()) slot.line = line_number;
  size_t comment = line.find("$$");
  if (comment != std::string_view::npos) line = line.substr(0, comment);
  while (!line.empty() && IsBlankOrCr(line.back())) line.remove_suffix(1);
  bool continues = !line.empty() && line.back() == '$';
  if (continues) line.remove_suffix(1);
  if (slot.text.size() + line.size() > kRecordTextLimit) {
    EmptySlot(slot);
    return FeedResult::kTooLong;
  }
  slot.text.append(line);
  if (continues) return FeedResult::kContinued;
  if (slot.text.empty()) return FeedResult::kNothing;
  if (WordIs(slot.text, "FINI")) {
    EmptySlot(slot);
    return FeedResult::kFini;
  }
  return SplitWords(slot);
}

}  // namespace tornel
