// A modal list to pick one entry from: a window with the prompt, the list,
// OK and Cancel on Windows; where no window can be made (and on every
// other system) it is answered at the terminal when standard input is one,
// and otherwise the preselected entry is taken, as if OK had been pressed.
#pragma once

#include <string>
#include <vector>

namespace platform {

struct ListChoice {
  bool ok = false;  // false: Cancel
  int index = -1;   // -1: nothing selected
};

struct ListRequest {
  std::string caption;
  std::string prompt;
  std::string ok_label = "OK";
  std::string cancel_label = "Cancel";
  std::vector<std::string> entries;
  int preselected = 0;  // -1 none
};

ListChoice SelectFromList(const ListRequest& request);

}  // namespace platform
