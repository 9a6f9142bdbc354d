// Unified diffs of two texts taken as lists of lines, as "diff -u" prints
// them: "---"/"+++" names, "@@ -a,b +c,d @@" hunks with a few lines of
// context, "\ No newline at end of file" after a last line without one.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tornel::dev {

// The lines of a text, each with its "\n" when it has one (only the last
// may lack it); none for an empty text.
std::vector<std::string> SplitLines(std::string_view text);

// One step of turning the first list of lines into the second.
struct DiffStep {
  enum Kind { kSame, kRemoved, kAdded } kind;
  size_t from;  // index in the first list (kSame, kRemoved)
  size_t to;    // index in the second list (kSame, kAdded)
};

// The steps from `from` to `to`, as few changes as can be found quickly;
// past many thousands of changes the differing middle is given as removed
// and added whole, which is still a true diff.
std::vector<DiffStep> DiffSteps(const std::vector<std::string>& from,
                                const std::vector<std::string>& to);

// The unified diff from `from` to `to`; empty when the lists are equal.
std::string UnifiedDiff(const std::vector<std::string>& from, const std::vector<std::string>& to,
                        std::string_view from_name, std::string_view to_name,
                        size_t context = 3);

}  // namespace tornel::dev
