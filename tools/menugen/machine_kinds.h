// Surfcam's machine kinds: mill, lathe and wire EDM, each with a list file
// of its posts and a section in the menu file and in the post list.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace menugen {

struct MachineKind {
  const char* list_file;       // also the extension of its split files
  const char* menu_header;     // in the menu file
  const char* section_header;  // in the post list file
  const char* reference_word;  // before the number of a post in an item
};

inline constexpr MachineKind kMachineKinds[] = {
#define MACHINE_KIND(list, menu, section, reference) {list, menu, section, reference},
#include "tools/menugen/machine_kinds.def"
#undef MACHINE_KIND
};
inline constexpr int kKindCount = static_cast<int>(std::size(kMachineKinds));

// The split file names found in each kind's list file, post 1 first.
struct PostTables {
  std::array<std::vector<std::string>, kKindCount> files;
};

}  // namespace menugen
