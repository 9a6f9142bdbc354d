#include "tornel/dialogs/value_memory.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "tornel/compiler/tokens.h"

namespace tornel {

namespace {

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

// The lines of a text, each without its line end ("\n" or "\r\n").
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

// A whole decimal integer at the start of `s`, and what follows a blank
// after it.
bool TakeInt(std::string_view& s, long& value) {
  size_t i = 0;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) ++i;
  size_t digits = i;
  while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i;
  if (i == digits || i - digits > 9) return false;
  value = std::strtol(std::string(s.substr(0, i)).c_str(), nullptr, 10);
  s.remove_prefix(i);
  return true;
}

bool SkipBlank(std::string_view& s) {
  if (s.empty() || s[0] != ' ') return false;
  s.remove_prefix(1);
  return true;
}

bool Listed(const std::vector<DialogVariable>& vars, int type, int slot) {
  return std::any_of(vars.begin(), vars.end(), [&](const DialogVariable& d) {
    return StoredType(d) == type && d.index == slot;
  });
}

}  // namespace

SlotCounts CountsOf(const ValueTables& v) {
  return {static_cast<int>(v.ints.size()), static_cast<int>(v.reals.size()),
          static_cast<int>(v.strings.size())};
}

std::string SectionHeader(std::string_view post, bool defaults) {
  return "#" + std::string(post) + (defaults ? "_" : "");
}

std::optional<std::vector<std::string>> FindSection(std::string_view file, std::string_view header) {
  std::vector<std::string_view> lines = Lines(file);
  for (size_t i = 0; i < lines.size(); ++i) {
    if (!SameText(lines[i], header)) continue;
    std::vector<std::string> body;
    for (size_t j = i + 1; j < lines.size() && !lines[j].starts_with('#'); ++j)
      body.emplace_back(lines[j]);
    return body;
  }
  return std::nullopt;
}

std::string ReplaceSection(std::string_view file, std::string_view header, std::string_view body) {
  // The lines of other sections are kept byte for byte, their line ends
  // included.
  std::string out;
  bool skipping = false;
  std::string_view rest = file;
  while (!rest.empty()) {
    size_t end = rest.find('\n');
    size_t take = end == std::string_view::npos ? rest.size() : end + 1;
    std::string_view raw = rest.substr(0, take);
    rest.remove_prefix(take);
    std::string_view line = raw;
    if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.starts_with('#')) skipping = SameText(line, header);
    if (skipping) continue;
    out.append(raw);
    if (raw.back() != '\n') out += '\n';
  }
  out.append(header);
  out += '\n';
  out.append(body);
  return out;
}

int StoredType(const DialogVariable& var) {
  if (var.type == kTokIntVar) return kStoredInt;
  if (var.type == kTokRealVar) return kStoredReal;
  return kStoredString;
}

StoredValue ValueOf(const ValueTables& v, const DialogVariable& var) {
  StoredValue s;
  s.type = StoredType(var);
  s.slot = var.index;
  size_t i = static_cast<size_t>(var.index);
  if (s.type == kStoredInt) s.int_value = v.ints[i];
  else if (s.type == kStoredReal) s.real_value = v.reals[i];
  else s.text = v.strings[i];
  return s;
}

void PutStored(ValueTables& v, const StoredValue& s) {
  size_t i = static_cast<size_t>(s.slot);
  if (s.type == kStoredInt && i < v.ints.size()) v.ints[i] = s.int_value;
  else if (s.type == kStoredReal && i < v.reals.size()) v.reals[i] = s.real_value;
  else if (s.type == kStoredString && i < v.strings.size()) v.strings[i] = s.text;
}

std::string FormatBody(const ValueTables& v, const std::vector<DialogVariable>& vars) {
  SlotCounts c = CountsOf(v);
  char buf[128];
  std::snprintf(buf, sizeof buf, "%d %d %d\n", c.ints, c.reals, c.strings);
  std::string out = buf;
  for (const DialogVariable& var : vars) {
    StoredValue s = ValueOf(v, var);
    std::snprintf(buf, sizeof buf, "%d %d ", s.type, s.slot);
    out += buf;
    if (s.type == kStoredInt) {
      out += std::to_string(s.int_value);
    } else if (s.type == kStoredReal) {
      std::snprintf(buf, sizeof buf, "%.9f", s.real_value);
      out += buf;
    } else {
      out += s.text;
    }
    out += '\n';
  }
  return out;
}

std::optional<std::vector<StoredValue>> ReadBody(const std::vector<std::string>& lines,
                                                 SlotCounts counts,
                                                 const std::vector<DialogVariable>& vars,
                                                 bool* bad_line) {
  if (bad_line) *bad_line = false;
  if (lines.empty()) return std::nullopt;
  std::string_view count_line = lines[0];
  long n[3];
  for (int k = 0; k < 3; ++k) {
    if ((k > 0 && !SkipBlank(count_line)) || !TakeInt(count_line, n[k])) return std::nullopt;
  }
  if (SlotCounts{static_cast<int>(n[0]), static_cast<int>(n[1]), static_cast<int>(n[2])} != counts)
    return std::nullopt;
  std::vector<StoredValue> out;
  for (size_t i = 1; i < lines.size(); ++i) {
    std::string_view s = lines[i];
    long type = 0, slot = 0;
    if (!TakeInt(s, type) || !SkipBlank(s) || !TakeInt(s, slot) || !SkipBlank(s)) {
      if (bad_line) *bad_line = true;
      continue;
    }
    if (!Listed(vars, static_cast<int>(type), static_cast<int>(slot))) continue;
    StoredValue v;
    v.type = static_cast<int>(type);
    v.slot = static_cast<int>(slot);
    if (v.type == kStoredString) {
      v.text = std::string(s);
    } else {
      std::string text(s);
      char* end = nullptr;
      double d = std::strtod(text.c_str(), &end);
      if (end == text.c_str() || !std::isfinite(d)) continue;  // no number: passed over
      if (v.type == kStoredInt) {
        if (std::fabs(d) >= 2147483648.0) continue;
        v.int_value = static_cast<int32_t>(d);
      } else {
        v.real_value = d;
      }
    }
    out.push_back(std::move(v));
  }
  return out;
}

}  // namespace tornel
