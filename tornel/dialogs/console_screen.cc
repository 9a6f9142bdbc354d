#include "tornel/dialogs/console_screen.h"

#include <cctype>
#include <cstdlib>

#include "tornel/dialogs/field_checks.h"

namespace tornel {

namespace {

std::string Join(const std::vector<std::string>& entries) {
  std::string out;
  for (size_t k = 0; k < entries.size(); ++k) {
    if (k) out += "; ";
    out += std::to_string(k + 1) + " " + entries[k];
  }
  return out;
}

std::string Chosen(const DialogItem& item, int choice) {
  if (choice < 1 || static_cast<size_t>(choice) > item.entries.size()) return "-";
  return item.entries[static_cast<size_t>(choice - 1)];
}

bool Editable(ItemKind k) {
  switch (k) {
    case ItemKind::kInputInt:
    case ItemKind::kInputReal:
    case ItemKind::kInputStr:
    case ItemKind::kSelectVal:
    case ItemKind::kSelectStr:
    case ItemKind::kSelectInd:
    case ItemKind::kSelectBtn:
    case ItemKind::kCheckBox:
    case ItemKind::kButton:
    case ItemKind::kButtonSys:
      return true;
    default:
      return false;
  }
}

}  // namespace

std::string FormLine(const DialogItem& item, const FieldState& f) {
  std::string prompt = item.text;
  switch (item.kind) {
    case ItemKind::kInputInt:
    case ItemKind::kInputReal:
      if (item.has_limits && item.min != item.max)
        prompt += " (" + BoundText(item.min) + " - " + BoundText(item.max) + ")";
      return prompt + ": " + f.text;
    case ItemKind::kInputStr:
      if (item.has_limits && item.min > 0)
        prompt += " (at least " + BoundText(item.min) + " characters)";
      return prompt + ": " + f.text;
    case ItemKind::kSelectVal:
    case ItemKind::kSelectStr:
    case ItemKind::kSelectInd:
      return prompt + ": " + Chosen(item, f.choice) + "   [" + Join(item.entries) + "]";
    case ItemKind::kSelectBtn:
      return std::string(f.choice == item.option ? "(*) " : "( ) ") + item.text;
    case ItemKind::kCheckBox:
      return std::string(f.choice ? "[x] " : "[ ] ") + item.text;
    case ItemKind::kButton:
    case ItemKind::kButtonSys:
      return "<" + item.text + ">";
    case ItemKind::kShowVal:
    case ItemKind::kShowStr:
      return f.text;
    default:
      return item.text;
  }
}

bool ConsoleScreen::ReadLine(std::string& line) {
  line.clear();
  int c;
  while ((c = std::fgetc(in_)) != EOF && c != '\n') {
    if (c != '\r' && line.size() < 4096) line += static_cast<char>(c);
  }
  return c != EOF || !line.empty();
}

void ConsoleScreen::Message(const std::string& text, MessageIcon icon) {
  std::fprintf(out_, "%s %s\n", icon == MessageIcon::kExclamation ? "!" : "i", text.c_str());
  std::fflush(out_);
  if (!interactive_ && icon == MessageIcon::kExclamation) failed_ = true;
}

void ConsoleScreen::Notice(const std::string& caption, const std::string& text,
                           platform::Icon icon) {
  platform::ShowMessage(caption, text, icon);
}

int ConsoleScreen::Question(const std::string& caption, const std::string& text,
                            platform::Icon icon, platform::Buttons buttons, int default_button) {
  return platform::AskQuestion(caption, text, icon, buttons, default_button);
}

std::optional<std::string> ConsoleScreen::Path(const PathRequest& request) {
  if (!interactive_) return std::nullopt;
  std::fprintf(out_, "%s: ", request.caption.c_str());
  std::fflush(out_);
  std::string line;
  if (!ReadLine(line)) return std::nullopt;
  while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back()))) line.pop_back();
  if (line.empty()) return std::nullopt;
  return line;
}

void ConsoleScreen::Edit(const DialogDef& d, int item, std::vector<FieldState>& fields) {
  const DialogItem& it = d.items[static_cast<size_t>(item)];
  FieldState& f = fields[static_cast<size_t>(item)];
  std::string line;
  switch (it.kind) {
    case ItemKind::kCheckBox:
      f.choice = f.choice ? 0 : 1;
      return;
    case ItemKind::kSelectBtn: {
      // The whole group takes this button.
      for (size_t k = 0; k < d.items.size(); ++k) {
        if (d.items[k].kind == ItemKind::kSelectBtn && d.items[k].group == it.group)
          fields[k].choice = it.option;
      }
      return;
    }
    case ItemKind::kSelectVal:
    case ItemKind::kSelectStr:
    case ItemKind::kSelectInd: {
      std::fprintf(out_, "%s: number of the entry (1-%zu): ", it.text.c_str(), it.entries.size());
      std::fflush(out_);
      if (!ReadLine(line)) return;
      char* end = nullptr;
      long n = std::strtol(line.c_str(), &end, 10);
      if (end != line.c_str() && n >= 1 && static_cast<size_t>(n) <= it.entries.size())
        f.choice = static_cast<int>(n);
      return;
    }
    default:
      std::fprintf(out_, "%s: ", it.text.c_str());
      std::fflush(out_);
      if (ReadLine(line)) f.text = line;
      return;
  }
}

PageAnswer ConsoleScreen::ShowPage(const DialogDef& d, int page, const std::vector<PageRange>& pages,
                                   const std::vector<FieldState>& fields,
                                   const PageButtons& buttons, int focus) {
  PageAnswer answer;
  answer.fields = fields;
  if (!interactive_) {
    answer.action = failed_ ? DialogAction::kCancel : DialogAction::kNext;
    return answer;
  }
  const PageRange& range = pages[static_cast<size_t>(page)];
  while (true) {
    std::fprintf(out_, "\n== %s (%d/%zu) ==\n", d.title.c_str(), page + 1, pages.size());
    // The fields a user may change are numbered 1, 2 ... on the page.
    std::vector<int> numbered;
    for (int i = range.first; i < range.end; ++i) {
      const DialogItem& item = d.items[static_cast<size_t>(i)];
      if (item.kind == ItemKind::kSpace) {
        for (int k = 0; k < item.count; ++k) std::fputc('\n', out_);
        continue;
      }
      if (!item.prompt.empty()) std::fprintf(out_, "      %s:\n", item.prompt.c_str());
      std::string line = FormLine(item, answer.fields[static_cast<size_t>(i)]);
      if (Editable(item.kind)) {
        numbered.push_back(i);
        std::fprintf(out_, "%c%3zu  %s\n", i == focus ? '>' : ' ', numbered.size(), line.c_str());
      } else {
        std::fprintf(out_, "      %s\n", line.c_str());
      }
    }
    std::string keys;
    if (buttons.next) keys += " n " + buttons.next_text + ",";
    if (buttons.ok) keys += " o " + buttons.ok_text + ",";
    if (buttons.back) keys += " b " + buttons.back_text + ",";
    if (buttons.reset) keys += " r " + buttons.reset_text + ",";
    if (buttons.reset_all) keys += " a " + buttons.reset_all_text + ",";
    if (buttons.save) keys += " s " + buttons.save_text + ",";
    keys += " c " + buttons.cancel_text;
    std::fprintf(out_, "Field number to change, or%s: ", keys.c_str());
    std::fflush(out_);
    std::string line;
    if (!ReadLine(line)) {
      answer.action = DialogAction::kCancel;  // the input ended
      return answer;
    }
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back()))) line.pop_back();
    if (line.empty()) continue;
    char key = static_cast<char>(std::tolower(static_cast<unsigned char>(line[0])));
    if (std::isdigit(static_cast<unsigned char>(key))) {
      int k = std::atoi(line.c_str());
      if (k < 1 || static_cast<size_t>(k) > numbered.size()) continue;
      int i = numbered[static_cast<size_t>(k - 1)];
      const DialogItem& item = d.items[static_cast<size_t>(i)];
      if (item.kind == ItemKind::kButton || item.kind == ItemKind::kButtonSys) {
        answer.action = DialogAction::kButton;
        answer.item = i;
        return answer;
      }
      Edit(d, i, answer.fields);
      continue;
    }
    struct Key {
      char key;
      bool shown;
      DialogAction action;
    } keys_table[] = {{'n', buttons.next, DialogAction::kNext},
                      {'o', buttons.ok, DialogAction::kNext},
                      {'b', buttons.back, DialogAction::kBack},
                      {'r', buttons.reset, DialogAction::kReset},
                      {'a', buttons.reset_all, DialogAction::kResetAll},
                      {'s', buttons.save, DialogAction::kSave},
                      {'c', true, DialogAction::kCancel}};
    for (const Key& k : keys_table) {
      if (k.key == key && k.shown) {
        answer.action = k.action;
        return answer;
      }
    }
  }
}

}  // namespace tornel
