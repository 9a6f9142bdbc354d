#include "tools/menugen/menugen_paths.h"

#include "platform/paths.h"

namespace menugen {

std::string JoinPath(std::string_view dir, std::string_view name) {
  std::string path(dir);
  path += platform::kNativeSeparator;
  path += name;
  return path;
}

MenugenPaths PathsFromArguments(const std::vector<std::string>& args) {
  MenugenPaths p;
  if (!args.empty()) p.base = args[0];
  if (!p.base.empty() && platform::IsSeparator(p.base.back())) p.base.pop_back();
  p.post_list = JoinPath(p.base, args.size() > 1 ? args[1] : kDefaultPostList);
  p.menu = JoinPath(p.base, args.size() > 2 ? args[2] : kDefaultMenu);
  p.split_dir = JoinPath(p.base, kSplitFolder);
  return p;
}

}  // namespace menugen
