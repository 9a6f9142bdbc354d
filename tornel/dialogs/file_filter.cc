#include "tornel/dialogs/file_filter.h"

namespace tornel {

FilterFault ParseFileFilter(const std::string& text, std::vector<platform::FileFilter>& out) {
  out.clear();
  size_t at = 0;
  while (at < text.size()) {
    while (at < text.size() && text[at] == ' ') ++at;
    if (at >= text.size()) break;
    size_t open = text.find('(', at);
    if (open == std::string::npos) return FilterFault::kNoLeftParenthesis;
    size_t close = text.find(')', open);
    if (close == std::string::npos) return FilterFault::kNoRightParenthesis;
    out.push_back({text.substr(at, close + 1 - at), text.substr(open + 1, close - open - 1)});
    at = close + 1;
  }
  return FilterFault::kNone;
}

}  // namespace tornel
