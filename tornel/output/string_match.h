// The three kinds of match of the find and replace functions and of the
// NC file's text replacements.  Searches are case-sensitive and go from
// left to right; after a match the search goes on behind it, so matches
// never overlap.  An empty search text matches nothing.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tornel {

enum class MatchKind {
  kPlain,    // any occurrence
  kWord,     // not glued to a name: letters, digits, _, # and $ glue
  kAddress,  // the same with letters and _ only, so X is found in X12.5 but not in XY
};

inline constexpr size_t kNoMatch = std::string_view::npos;

// Index (from 0) of the first match at or after `from`, or kNoMatch.
size_t FindMatch(std::string_view s, std::string_view t, MatchKind kind, size_t from = 0);

// Index of the last match of the left-to-right scan, or kNoMatch.
size_t FindLastMatch(std::string_view s, std::string_view t, MatchKind kind);

// Replaces every match of `t` in `v` by `r` (the inserted text is not
// searched again); gives the number of replacements.  When the result
// would be longer than `limit`, v stays as it was and the result is
// kReplacedTooLong.
inline constexpr int kReplacedTooLong = -1;
int ReplaceMatches(std::string& v, std::string_view t, std::string_view r, MatchKind kind,
                   size_t limit = std::string::npos);

}  // namespace tornel
