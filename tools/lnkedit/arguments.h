// lnkedit's own command-line splitter: words part at blanks and tabs, a
// double quote switches quoting on and off and is itself removed, wherever
// it stands in a word.  Backslashes are ordinary characters, so that
// "C:\Program Files\" stays a folder.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lnkedit {

// The program name counts as the first of them; words after the last are
// dropped.
inline constexpr size_t kMaxArguments = 31;

// The words of a whole command line (the program name first).
std::vector<std::string> SplitArguments(std::string_view line);

// The same rules for arguments a shell has already split (systems without
// one command line): each word is kept whole and its quotes are removed.
std::vector<std::string> CleanArguments(const std::vector<std::string>& words);

}  // namespace lnkedit
