// Fuzz target for the parsers of Kysy's outside input: the list file
// "Dlg_List.lst", the paths PARTS splits, CHANGE's options and texts, and
// the file name patterns and filters of the dialogs.  The input is cut at
// its first NUL bytes into the pieces each takes.
//
//   cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DTORNEL_FUZZ=ON -DTORNEL_TESTS=OFF
//   make -C build-fuzz kysy_fuzz
//   build-fuzz/kysy_fuzz -max_total_time=60 -max_len=4096
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "tools/kysy/dialog_commands.h"
#include "tools/kysy/text_commands.h"
#include "tools/kysy/text_lines.h"
#include "tools/kysy/wildcard.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);

  // The whole input as a list file: items hold no line feed and stay
  // within the limit; there are never more items than lines.
  std::vector<std::string> items = kysy::ListItems(input);
  size_t lines = 0;
  for (char c : input) lines += c == '\n';
  Check(items.size() <= lines + 1);
  for (const std::string& item : items) {
    Check(item.size() <= kysy::kListItemBytes);
    Check(item.find('\n') == std::string::npos);
  }

  std::vector<std::string> parts;
  size_t start = 0;
  while (parts.size() < 6) {
    size_t nul = input.find('\0', start);
    parts.emplace_back(input.substr(start, nul == std::string_view::npos ? nul : nul - start));
    if (nul == std::string_view::npos) break;
    start = nul + 1;
  }
  parts.resize(6);

  // PARTS: every piece is a piece of the path.
  kysy::PathPieces p = kysy::SplitPathPieces(parts[0]);
  for (const std::string* piece : {&p.drive, &p.dir, &p.name, &p.ext, &p.whole})
    Check(piece->size() <= parts[0].size() && parts[0].find(*piece) != std::string::npos);

  // CHANGE: without a search text nothing but the case changes.
  kysy::ChangeOptions o = kysy::ReadChangeOptions({parts[3], parts[4]});
  std::string changed = kysy::ChangeText(parts[0], parts[1], parts[2], o);
  if (parts[1].empty()) Check(changed.size() == parts[0].size());
  if (!parts[1].empty() && parts[1].find('`') == std::string::npos &&
      parts[2].find('`') == std::string::npos && !o.upper && !o.lower) {
    // Every occurrence replaced: the text's length tells how many.
    if (parts[1].size() != parts[2].size()) {
      long diff = static_cast<long>(changed.size()) - static_cast<long>(parts[0].size());
      Check(diff % (static_cast<long>(parts[2].size()) - static_cast<long>(parts[1].size())) == 0);
    }
  }

  kysy::MatchesPattern(parts[0], parts[1]);
  kysy::ParseFileFilters(parts[5]);
  kysy::LeadingNumber(parts[5]);
  return 0;
}
