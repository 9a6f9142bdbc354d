#include "tornel/output/string_match.h"

namespace tornel {

namespace {

bool IsLetter(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool Glues(unsigned char c, MatchKind kind) {
  if (IsLetter(c) || c == '_') return true;
  if (kind == MatchKind::kAddress) return false;
  return (c >= '0' && c <= '9') || c == '#' || c == '$';
}

// An occurrence at `at` counts unless it is glued to a name on either side.
bool Accepted(std::string_view s, size_t at, size_t len, MatchKind kind) {
  if (kind == MatchKind::kPlain) return true;
  unsigned char first = s[at];
  unsigned char last = s[at + len - 1];
  if (at > 0 && Glues(s[at - 1], kind) && Glues(first, kind)) return false;
  if (at + len < s.size() && Glues(last, kind) && Glues(s[at + len], kind)) return false;
  return true;
}

}  // namespace

size_t FindMatch(std::string_view s, std::string_view t, MatchKind kind, size_t from) {
  if (t.empty()) return kNoMatch;
  for (size_t at = s.find(t, from); at != kNoMatch; at = s.find(t, at + 1))
    if (Accepted(s, at, t.size(), kind)) return at;
  return kNoMatch;
}

size_t FindLastMatch(std::string_view s, std::string_view t, MatchKind kind) {
  size_t last = kNoMatch;
  for (size_t at = FindMatch(s, t, kind); at != kNoMatch; at = FindMatch(s, t, kind, at + t.size()))
    last = at;
  return last;
}

int ReplaceMatches(std::string& v, std::string_view t, std::string_view r, MatchKind kind,
                   size_t limit) {
  size_t at = FindMatch(v, t, kind);
  if (at == kNoMatch) return 0;
  std::string out;
  size_t done = 0;
  int count = 0;
  for (; at != kNoMatch; at = FindMatch(v, t, kind, at + t.size())) {
    // What is built so far, the replacement and the rest of v after it.
    if (out.size() + (at - done) + r.size() + (v.size() - at - t.size()) > limit)
      return kReplacedTooLong;
    out.append(v, done, at - done);
    out += r;
    done = at + t.size();
    ++count;
  }
  out.append(v, done);
  v = std::move(out);
  return count;
}

}  // namespace tornel
