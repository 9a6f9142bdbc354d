// The filter text of a file chooser: groups of a description and its
// patterns in parentheses, "Programs (*.nc;*.tap) All files (*.*)".  Each
// group is one file type, shown as the whole group, matching the text in
// its parentheses.
#pragma once

#include <string>
#include <vector>

#include "platform/form_window.h"

namespace tornel {

enum class FilterFault { kNone, kNoLeftParenthesis, kNoRightParenthesis };

FilterFault ParseFileFilter(const std::string& text, std::vector<platform::FileFilter>& out);

}  // namespace tornel
