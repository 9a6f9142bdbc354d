// The list at the console, for the backends.
#pragma once

#include "platform/select_list.h"

namespace platform::console {

ListChoice SelectFromList(const std::string& caption, const std::string& prompt,
                          const std::vector<std::string>& entries, int preselected);

}  // namespace platform::console
