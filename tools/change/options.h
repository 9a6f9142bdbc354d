// CHANGE's command line: the file, the search text, the replacement text
// and, from the fourth argument on, the options.
#pragma once

#include <string>
#include <vector>

namespace change {

struct Options {
  bool case_sensitive = false;  // /C
  bool upper = false;           // /U: the replacement in capitals
  bool lower = false;           // /L: the replacement in small letters
  bool ansi = false;            // /A: the texts are ANSI, turned into OEM
  bool omit_empty = false;      // /O
  bool at_start = false;        // /B
  bool at_end = false;          // /E
  bool warn = false;            // /W
  char quote = '`';             // /Q=c: stands for '"' in both texts ('\0' none)
  char line_break = '~';        // /N=c: a line feed in the replacement ('\0' none)
};

// The arguments after the program name, as given.
struct CommandLine {
  std::vector<std::string> args;
  bool HasFile() const { return !args.empty(); }
  // The file and both texts are there (the options may follow).
  bool HasTexts() const { return args.size() >= 3; }
};

// The options among the arguments: only the fourth argument and those after
// it are read.  Until /C has been seen an argument is read in capitals;
// "/X" selects the flag X by the second character, and independently
// "/Q=" and "/N=" anywhere in it take the character after the "=" (none
// when the argument ends there).  Anything else is ignored.
Options ParseOptions(const CommandLine& line);

}  // namespace change
