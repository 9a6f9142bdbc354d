// The files of a run, from the command line:
//   menugen [base directory [post list file [menu file]]]
// The post list file (default "Surfcam.pst"), the menu file (default
// "PostMenu.cfg"), the list files "m3", "l2", "e2" and the folder "MPost"
// of the split files all lie in the base directory.  Without a base
// directory the paths begin at the root ("\Surfcam.pst").
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace menugen {

inline constexpr const char* kDefaultPostList = "Surfcam.pst";
inline constexpr const char* kDefaultMenu = "PostMenu.cfg";
inline constexpr const char* kSplitFolder = "MPost";

struct MenugenPaths {
  std::string base;       // as given, one trailing separator removed
  std::string post_list;  // base, separator, post list file
  std::string menu;       // base, separator, menu file
  std::string split_dir;  // base, separator, "MPost"
};

// `dir` and `name` joined with the target's separator.
std::string JoinPath(std::string_view dir, std::string_view name);

// The paths of a run from its arguments (the program name not included);
// arguments after the third are not used.
MenugenPaths PathsFromArguments(const std::vector<std::string>& args);

}  // namespace menugen
