#include "tools/menugen/menu_rebuild.h"

#include <climits>
#include <string>
#include <vector>

namespace menugen {

namespace {

// The item being collected inside a section.
struct Item {
  std::vector<std::string> lines;
  bool dropped = false;
};

void Flush(Item& item, LineSink& out) {
  if (!item.dropped)
    for (const std::string& l : item.lines) out.Put(l);
  item.lines.clear();
  item.dropped = false;
}

// The reference line pointing at the split file, or false when the
// line's number names no post of the kind.
bool ResolveReference(std::string& line, const std::vector<std::string>& files,
                      std::string_view library) {
  long long n = ReferenceNumber(line);
  if (n < 1 || static_cast<unsigned long long>(n) > files.size()) return false;
  size_t blank = line.rfind(' ');
  std::string resolved = line.substr(0, blank + 1);
  resolved += '"';
  resolved += library;
  resolved += files[static_cast<size_t>(n - 1)];
  resolved += "\"\n";
  line = std::move(resolved);
  return true;
}

// Inserts the items of kind `k` from its section of the post list.  True
// when the section ended with "ENDPOST" (the next kind's turn).
bool InsertItems(int k, LineSource& post_list, const PostTables& posts, LineSink& out,
                 std::string_view library) {
  const MachineKind& kind = kMachineKinds[k];
  post_list.Rewind();
  std::string line;
  bool found = false;
  while (!found && post_list.Next(line)) found = ContainsWord(line, kind.section_header);
  if (!found) return false;

  bool collecting = false;
  Item item;
  while (post_list.Next(line)) {
    std::string upper = UpperCase(line);
    if (upper.find(kEndWord) != std::string::npos) {
      Flush(item, out);
      return true;
    }
    if (upper.find(kItemWord) != std::string::npos) {
      Flush(item, out);
      collecting = true;
      if (upper.find(kAptClWord) != std::string::npos) item.dropped = true;
    }
    if (!collecting) {
      out.Put(line);
      continue;
    }
    if (upper.find(kind.reference_word) != std::string::npos)
      item.dropped = !ResolveReference(line, posts.files[static_cast<size_t>(k)], library);
    item.lines.push_back(std::move(line));
  }
  return false;  // the post list ended inside the section: the open item is not written
}

}  // namespace

long long ReferenceNumber(std::string_view line) {
  size_t blank = line.rfind(' ');
  std::string_view s = blank == std::string_view::npos ? line : line.substr(blank + 1);
  size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || (s[i] >= '\t' && s[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  long long n = 0;
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
    int d = s[i] - '0';
    if (n > (LLONG_MAX - d) / 10) {
      n = LLONG_MAX;
      break;
    }
    n = n * 10 + d;
  }
  return negative ? -n : n;
}

void RebuildMenu(LineSource& menu, LineSource& post_list, const PostTables& posts,
                 LineSink& out, std::string_view library) {
  std::string line;
  post_list.Rewind();
  bool post_list_empty = !post_list.Next(line);
  int k = 0;
  while (menu.Next(line)) {
    out.Put(line);
    if (k < kKindCount && !post_list_empty && ContainsWord(line, kMachineKinds[k].menu_header) &&
        InsertItems(k, post_list, posts, out, library))
      ++k;
  }
}

}  // namespace menugen
