// A modal list to pick one entry from.  On the console it is answered at
// the terminal when standard input is one; otherwise the preselected entry
// is taken, as if OK had been pressed.
#pragma once

#include <string>
#include <vector>

namespace platform {

struct ListChoice {
  bool ok = false;  // false: Cancel
  int index = -1;   // -1: nothing selected
};

ListChoice SelectFromList(const std::string& caption, const std::string& prompt,
                          const std::vector<std::string>& entries, int preselected);

}  // namespace platform
