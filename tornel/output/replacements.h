// The text replacements that replace:, repword: and repaddr: register while
// the post file runs; the finishing of the NC file applies them to the
// whole file once the run is over.
//
//   replace: 'G00' = 'G0'          every occurrence in NC text
//   repword: 'X' = 'U' com         whole words, in comment texts only
//   repaddr: 'X' = 'U'             address letters: not inside a run of letters
//
// Comment words carry kCommentStart before and kCommentEnd after their
// text, so that the finishing can tell comment text from NC text; it
// removes the markers.
#pragma once

#include <vector>

namespace tornel {

inline constexpr unsigned char kCommentStart = 183;
inline constexpr unsigned char kCommentEnd = 184;

enum ReplaceMode : int {
  kReplaceText = 1,   // replace: every occurrence
  kReplaceWord = 2,   // repword: no letter, digit, _, $ or # directly before or after
  kReplaceAddr = 3,   // repaddr: does not continue a run of letters (or _) on either side
  kReplaceTextInComments = 11,  // the same three, applied to comment texts only
  kReplaceWordInComments = 12,
  kReplaceAddrInComments = 13,
};
// Added to a mode when the statement ends with `com`.
inline constexpr int kReplaceInComments = 10;

struct Replacement {
  int search = 0;       // string table index of the replaced text
  int replacement = 0;  // string table index of the replacing text
  int mode = kReplaceText;
};

// In the order of registration; applied in that order.
struct ReplacementList {
  std::vector<Replacement> entries;
};

inline bool InComments(const Replacement& r) { return r.mode > kReplaceInComments; }
inline int BaseMode(const Replacement& r) { return r.mode % kReplaceInComments; }

}  // namespace tornel
