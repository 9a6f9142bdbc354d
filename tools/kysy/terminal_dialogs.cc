#include "tools/kysy/terminal_dialogs.h"

#include "platform/paths.h"
#include "tools/kysy/text_lines.h"
#include "tools/kysy/texts.h"

namespace kysy {

namespace {

// A number 1 to `count` typed alone, as an index; -1 otherwise.
int Choice(const std::string& line, size_t count) {
  if (line.empty() || line.size() > 9) return -1;
  int n = 0;
  for (char c : line) {
    if (c < '0' || c > '9') return -1;
    n = n * 10 + (c - '0');
  }
  return n >= 1 && static_cast<size_t>(n) <= count ? n - 1 : -1;
}

std::string Numbered(size_t k, const std::string& text) {
  std::string n = std::to_string(k + 1);
  return (n.size() < 2 ? " " : "") + n + "  " + text;
}

}  // namespace

void TerminalDialogs::Header(const std::string& title, const std::string& message) {
  io_.Write("\n== " + title + " ==\n");
  if (!message.empty()) io_.Write(message + "\n");
}

std::optional<std::string> TerminalDialogs::Ask(const char* prompt) {
  io_.Write(prompt);
  std::string line;
  if (!io_.ReadLine(line)) {
    io_.Write("\n");
    return std::nullopt;
  }
  while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
  if (line == kCancelKey) return std::nullopt;
  return line;
}

ListAnswer TerminalDialogs::List(const ListRequest& r) {
  Header(r.title, r.message);
  for (size_t k = 0; k < r.items.size(); ++k)
    io_.Write((static_cast<int>(k) == r.selected ? "> " : "  ") + Numbered(k, r.items[k]) + "\n");
  for (;;) {
    std::optional<std::string> line = Ask(kPromptPick);
    if (!line) return {};
    if (line->empty()) return {true, r.selected, ""};
    if (int k = Choice(*line, r.items.size()); k >= 0) return {true, k, ""};
  }
}

ListAnswer TerminalDialogs::Combo(const ListRequest& r) {
  Header(r.title, r.message);
  for (size_t k = 0; k < r.items.size(); ++k) io_.Write("  " + Numbered(k, r.items[k]) + "\n");
  bool chosen = r.selected >= 0 && static_cast<size_t>(r.selected) < r.items.size();
  std::string text = chosen ? r.items[static_cast<size_t>(r.selected)] : "";
  io_.Write("[" + text + "]\n");
  std::optional<std::string> line = Ask(kPromptCombo);
  if (!line) return {};
  if (line->empty()) return {true, chosen ? r.selected : -1, text};
  if (int k = Choice(*line, r.items.size()); k >= 0)
    return {true, k, r.items[static_cast<size_t>(k)]};
  return {true, -1, *line};
}

EditAnswer TerminalDialogs::Edit(const EditRequest& r) {
  Header(r.title, r.message);
  io_.Write("[" + r.text + "]\n");
  EditAnswer a;
  std::optional<std::string> text = Ask(kPromptEdit);
  if (!text) return a;
  a.text = text->empty() ? r.text : *text;
  bool buttons = false;
  for (size_t k = 0; k < kMaxBoxes; ++k) {
    if (r.buttons[k].empty()) continue;
    io_.Write("  " + Numbered(k, "<" + r.buttons[k] + ">") + "\n");
    buttons = true;
  }
  for (;;) {
    std::optional<std::string> line = Ask(buttons ? kPromptEditButtons : kPromptConfirm);
    if (!line) return {-1, a.text};
    if (line->empty()) {
      a.pressed = 0;
      return a;
    }
    int k = Choice(*line, kMaxBoxes);
    if (k >= 0 && !r.buttons[static_cast<size_t>(k)].empty()) {
      a.pressed = k + 1;
      return a;
    }
  }
}

BoxesAnswer TerminalDialogs::Check(const BoxesRequest& r) {
  Header(r.title, r.message);
  BoxesAnswer a;
  a.ticked = r.ticked;
  for (;;) {
    for (size_t k = 0; k < r.labels.size(); ++k)
      io_.Write(std::string(a.ticked[k] ? "[x] " : "[ ] ") + Numbered(k, r.labels[k]) + "\n");
    std::optional<std::string> line = Ask(kPromptToggle);
    if (!line) return {};
    if (line->empty()) {
      a.ok = true;
      return a;
    }
    if (int k = Choice(*line, r.labels.size()); k >= 0)
      a.ticked[static_cast<size_t>(k)] = !a.ticked[static_cast<size_t>(k)];
  }
}

BoxesAnswer TerminalDialogs::Radio(const BoxesRequest& r) {
  Header(r.title, r.message);
  BoxesAnswer a;
  a.selected = r.selected;
  for (;;) {
    for (size_t k = 0; k < r.labels.size(); ++k)
      io_.Write(std::string(static_cast<int>(k) == a.selected ? "(*) " : "( ) ") +
                Numbered(k, r.labels[k]) + "\n");
    std::optional<std::string> line = Ask(kPromptRadio);
    if (!line) return {};
    if (line->empty()) {
      a.ok = true;
      return a;
    }
    if (int k = Choice(*line, r.labels.size()); k >= 0) a.selected = k;
  }
}

std::optional<std::string> TerminalDialogs::ChooseFile(const FileRequest& r) {
  std::string patterns;
  for (const platform::FileFilter& f : r.filters)
    patterns += (patterns.empty() ? "" : ", ") + f.text + " (" + f.patterns + ")";
  Header(r.open ? kTitleOpen : kTitleSave, patterns);
  if (!r.folder.empty()) io_.Write(r.folder + "\n");
  io_.Write("[" + r.name + "]\n");
  std::optional<std::string> line = Ask(kPromptFile);
  if (!line) return std::nullopt;
  std::string name = line->empty() ? r.name : *line;
  if (name.empty()) return std::nullopt;
  std::string ext = r.extension;
  if (!ext.empty() && ext[0] == '.') ext.erase(0, 1);
  size_t sep = name.find_last_of("\\/");
  std::string file = sep == std::string::npos ? name : name.substr(sep + 1);
  if (!ext.empty() && file.find('.') == std::string::npos) name += "." + ext;
  if (!platform::IsAbsolutePath(name)) {
    std::string folder = r.folder;
    if (!platform::IsAbsolutePath(folder))
      folder = folder.empty() ? current_dir_ : platform::WithTrailingSeparator(current_dir_) + folder;
    name = platform::WithTrailingSeparator(folder) + name;
  }
  return name;
}

std::optional<std::string> TerminalDialogs::ChooseFolder(const FolderRequest& r) {
  Header(kTitleFolder, "");
  io_.Write("[" + r.start + "]\n");
  std::optional<std::string> line = Ask(kPromptFolder);
  if (!line) return std::nullopt;
  std::string folder = line->empty() ? r.start : *line;
  if (folder.empty()) return std::nullopt;
  if (!platform::IsAbsolutePath(folder))
    folder = platform::WithTrailingSeparator(current_dir_) + folder;
  return folder;
}

}  // namespace kysy
