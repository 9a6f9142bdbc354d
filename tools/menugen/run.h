// A whole run of Menugen over the files of a base directory: the list
// files split into "MPost", the menu file rebuilt.
//
// Nothing under a user's name is written until everything is: every split
// file and the new menu file are written beside their places under names of
// their own and renamed into them only when all of them are complete, the
// menu last.  A failed or stopped run removes what it wrote and leaves the
// old menu and the old split files as they were.  "MPost" is left behind
// only when it holds something.
#pragma once

#include <string>
#include <vector>

namespace menugen {

inline constexpr const char* kProgramTitle = "Menugen";

// Runs with the command line's arguments (the program name not included);
// gives the exit status: 0 done, 1 after a report.
int RunMenugen(const std::vector<std::string>& args);

}  // namespace menugen
