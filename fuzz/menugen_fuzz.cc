// Fuzz target for Menugen's list file splitter and menu rebuilder: the
// input holds a list file, a post list and a menu file, parted by NUL
// bytes.  The split must hand on every line from the first post on, once
// and in order, under unique names that a file system can hold; the
// rebuilt menu must keep the menu's own lines and give an empty post list
// nothing to insert.
//
//   cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DTORNEL_FUZZ=ON -DTORNEL_TESTS=OFF
//   cmake --build build-fuzz --target menugen_fuzz
//   build-fuzz/menugen_fuzz -max_total_time=60 -max_len=4096
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>

#include "tools/menugen/list_split.h"
#include "tools/menugen/menu_rebuild.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

std::string_view Part(std::string_view& rest) {
  size_t nul = rest.find('\0');
  std::string_view part = rest.substr(0, nul);
  rest = nul == std::string_view::npos ? std::string_view() : rest.substr(nul + 1);
  return part;
}

// The text from the first line that starts a post.
std::string_view FromFirstPost(std::string_view text) {
  menugen::TextSource source(text);
  std::string line;
  size_t at = 0;
  while (source.Next(line)) {
    if (menugen::IsNameLine(line) && !menugen::PostNameOf(line).empty()) return text.substr(at);
    at += line.size();
  }
  return {};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  std::string_view list_text = Part(rest);
  std::string_view post_list_text = Part(rest);
  std::string_view menu_text = Part(rest);

  menugen::PostTables posts;
  for (int k = 0; k < menugen::kKindCount; ++k) {
    const std::string ext = std::string(".") + menugen::kMachineKinds[k].list_file;
    menugen::TextSource list(list_text);
    menugen::SplitTexts split;
    auto& files = posts.files[static_cast<size_t>(k)];
    menugen::SplitList(list, menugen::kMachineKinds[k].list_file, files, split);
    Check(split.files.size() == files.size());
    std::string joined;
    std::set<std::string> keys;
    for (size_t i = 0; i < files.size(); ++i) {
      const std::string& name = files[i];
      Check(split.files[i].name == name && split.files[i].complete);
      joined += split.files[i].text;
      Check(name.size() > ext.size() &&
            name.compare(name.size() - ext.size(), ext.size(), ext) == 0);
      std::string stem = name.substr(0, name.size() - ext.size());
      Check(stem.back() != '.' && stem.back() != ' ' && stem.front() != ' ');
      for (char c : stem)
        Check(static_cast<unsigned char>(c) >= 0x20 && c != 0x7f &&
              std::string_view("\\/:*?\"<>|").find(c) == std::string_view::npos);
      Check(keys.insert(menugen::UpperCase(name)).second);
    }
    Check(joined == FromFirstPost(list_text));
  }

  menugen::TextSource menu(menu_text);
  menugen::TextSource post_list(post_list_text);
  menugen::TextSink out;
  menugen::RebuildMenu(menu, post_list, posts, out);
  Check(out.text.size() >= menu_text.size());
  // The menu's own lines come through in order, whatever was inserted.
  {
    menugen::TextSource own(menu_text);
    std::string line;
    size_t at = 0;
    while (own.Next(line)) {
      size_t found = out.text.find(line, at);
      Check(found != std::string::npos);
      at = found + line.size();
    }
  }
  menugen::TextSource again(menu_text);
  menugen::TextSource empty("");
  menugen::TextSink plain;
  menugen::RebuildMenu(again, empty, posts, plain);
  Check(plain.text == menu_text);
  return 0;
}
