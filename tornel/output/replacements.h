// The replacement list: text replacements that `replace:`, `repword:` and
// `repaddr:` register while the post runs and that the finishing of the NC
// file applies to every line.  Entries keep their registration order, which
// is the order they are applied in.
#pragma once

#include <vector>

namespace tornel {

// Modes: 1 plain (`replace:`), 2 word (`repword:`), 3 address (`repaddr:`)
// apply to the NC text outside comments; the same plus 10 (the statement
// ended in `com`) apply to comment texts only.
inline constexpr int kReplacePlain = 1;
inline constexpr int kReplaceWord = 2;
inline constexpr int kReplaceAddress = 3;
inline constexpr int kReplaceInComment = 10;

struct Replacement {
  int search = 0;       // string table index of the searched text
  int replacement = 0;  // string table index of the text put in its place
  int mode = kReplacePlain;
};

struct ReplacementList {
  std::vector<Replacement> entries;
};

}  // namespace tornel
