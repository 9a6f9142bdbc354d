#include "tornel/dialogs/dialog_def.h"

namespace tornel {

bool AddItem(DialogDef& d, DialogItem item) {
  if (static_cast<int>(d.items.size()) >= kDialogItemLimit) return false;
  if (item.kind != ItemKind::kPageBreak && d.page_items >= kPageItemLimit) {
    EndPage(d);
    if (static_cast<int>(d.items.size()) >= kDialogItemLimit) return false;
  }
  item.layout = d.layout;
  bool page_break = item.kind == ItemKind::kPageBreak;
  d.items.push_back(std::move(item));
  d.page_items = page_break ? 0 : d.page_items + 1;
  return true;
}

void EndPage(DialogDef& d) {
  DialogItem item;
  item.kind = ItemKind::kPageBreak;
  AddItem(d, std::move(item));
}

void KeepGroupOnPage(DialogDef& d, int count) {
  if (d.page_items > 0 && d.page_items + count > kPageItemLimit) EndPage(d);
}

std::vector<PageRange> Pages(const DialogDef& d) {
  std::vector<PageRange> pages;
  int first = 0;
  int n = static_cast<int>(d.items.size());
  for (int i = 0; i < n; ++i) {
    if (d.items[static_cast<size_t>(i)].kind != ItemKind::kPageBreak) continue;
    if (i + 1 < n) pages.push_back({first, i});
    else if (i > first) pages.push_back({first, i});
    first = i + 1;
  }
  if (first < n || pages.empty()) pages.push_back({first, n});
  return pages;
}

std::vector<std::string> SplitChoices(const std::string& list) {
  std::vector<std::string> out;
  size_t start = 0;
  while (true) {
    size_t semi = list.find(';', start);
    out.push_back(list.substr(start, semi == std::string::npos ? std::string::npos : semi - start));
    if (semi == std::string::npos) break;
    start = semi + 1;
  }
  return out;
}

bool ValidLayout(double start, double width) {
  return start >= 0 && width >= 1 && start + width <= kDialogColumns;
}

}  // namespace tornel
