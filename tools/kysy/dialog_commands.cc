#include "tools/kysy/dialog_commands.h"

#include <algorithm>
#include <cctype>
#include <climits>

#include "platform/paths.h"
#include "tools/kysy/text_commands.h"
#include "tools/kysy/text_lines.h"
#include "tools/kysy/texts.h"
#include "tools/kysy/wildcard.h"

namespace kysy {

namespace {

std::string EnvText(const Host& host, const char* name) {
  return host.env.Get(name).value_or("");
}

// The title: argument `n`, else Dlg_Title, else `fallback`.
std::string Title(const Arguments& args, int n, const Host& host, const char* fallback) {
  if (auto a = args.NonEmpty(n)) return *a;
  std::string env = EnvText(host, kEnvTitle);
  return env.empty() ? fallback : env;
}

// The message: argument `n`, else Dlg_Message, with "~" and "`" turned.
std::string Message(const Arguments& args, int n, const Host& host) {
  if (auto a = args.NonEmpty(n)) return MessageText(*a);
  return MessageText(EnvText(host, kEnvMessage));
}

// The initial value: argument `n`, else Dlg_Default.
std::string Default(const Arguments& args, int n, const Host& host) {
  if (auto a = args.NonEmpty(n)) return *a;
  return EnvText(host, kEnvDefault);
}

std::vector<std::string> ListFileItems(Host& host) {
  return ReadListFile(host.files, kListFile);
}

// The first kMaxBoxes items: the labels of boxes and buttons.
std::vector<std::string> BoxLabels(Host& host) {
  std::vector<std::string> items = ListFileItems(host);
  if (items.size() > kMaxBoxes) items.resize(kMaxBoxes);
  return items;
}

// A one-based number as an index into `count` items, -1 when out of range.
int OneBased(const std::string& text, size_t count) {
  int n = LeadingNumber(text);
  return n >= 1 && static_cast<size_t>(n) <= count ? n - 1 : -1;
}

Answer Chosen(const std::string& text, int index) { return {text, std::to_string(index + 1)}; }

Answer NoChoice() { return {kFailure, kNoPosition}; }

}  // namespace

int LeadingNumber(const std::string& text) {
  size_t k = 0;
  while (k < text.size() && std::isspace(static_cast<unsigned char>(text[k]))) ++k;
  bool negative = false;
  if (k < text.size() && (text[k] == '+' || text[k] == '-')) negative = text[k++] == '-';
  long long n = 0;
  for (; k < text.size() && text[k] >= '0' && text[k] <= '9'; ++k)
    n = std::min<long long>(n * 10 + (text[k] - '0'), INT_MAX);
  return static_cast<int>(negative ? -n : n);
}

std::optional<Answer> MessageBoxCommand(const Arguments& args, Host& host) {
  MessageRequest r;
  r.text = Message(args, 6, host);
  if (r.text.empty()) return std::nullopt;
  r.title = Title(args, 5, host, kTitleMessage);
  std::string icon = Upper(args.Get(2).value_or(""));
  r.icon = icon == "STOP"          ? platform::Icon::kStop
           : icon == "QUESTION"    ? platform::Icon::kQuestion
           : icon == "EXCLAMATION" ? platform::Icon::kExclamation
                                   : platform::Icon::kInformation;
  std::string buttons = Upper(args.Get(3).value_or(""));
  r.buttons = buttons == "OKCANCEL"      ? platform::Buttons::kOkCancel
              : buttons == "RETRYCANCEL" ? platform::Buttons::kRetryCancel
              : buttons == "YESNO"       ? platform::Buttons::kYesNo
              : buttons == "YESNOCANCEL" ? platform::Buttons::kYesNoCancel
                                         : platform::Buttons::kOk;
  int count = r.buttons == platform::Buttons::kOk            ? 1
              : r.buttons == platform::Buttons::kYesNoCancel ? 3
                                                             : 2;
  std::string def = Upper(args.Get(4).value_or(""));
  r.default_button = def == "DEFBUTTON2" ? 1 : def == "DEFBUTTON3" ? 2 : 0;
  // A box without that many buttons takes its first, as Windows does.
  if (r.default_button >= count) r.default_button = 0;

  int pressed = host.dialogs.Ask(r);
  bool cancel_third = r.buttons == platform::Buttons::kYesNoCancel;
  auto cancel = [&] { return Answer{kAnswerCancel, cancel_third ? "3" : "2"}; };
  switch (r.buttons) {
    case platform::Buttons::kOk:
      if (pressed == 0) return Answer{kAnswerOk, "1"};
      break;
    case platform::Buttons::kOkCancel:
      if (pressed == 0) return Answer{kAnswerOk, "1"};
      if (pressed == 1) return cancel();
      break;
    case platform::Buttons::kRetryCancel:
      if (pressed == 0) return Answer{kAnswerRetry, "1"};
      if (pressed == 1) return cancel();
      break;
    case platform::Buttons::kYesNo:
    case platform::Buttons::kYesNoCancel:
      if (pressed == 0) return Answer{kAnswerYes, "1"};
      if (pressed == 1) return Answer{kAnswerNo, "2"};
      if (pressed == 2 && cancel_third) return cancel();
      break;
  }
  return Answer{"", ""};
}

std::vector<ListedEntry> ListEntries(FileSystem& files, ListKind kind, const std::string& dir,
                                     const std::string& pattern) {
  std::vector<ListedEntry> out;
  if (kind == ListKind::kDrives) {
    for (char letter : files.Drives()) {
      char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
      out.push_back({std::string("[-") + lower + "-]", std::string(1, lower)});
    }
    return out;
  }
  std::vector<DirEntry> entries = files.List(dir).value_or(std::vector<DirEntry>{});
  std::sort(entries.begin(), entries.end(), [](const DirEntry& a, const DirEntry& b) {
    std::string ua = Upper(a.name), ub = Upper(b.name);
    return ua != ub ? ua < ub : a.name < b.name;
  });
  bool dirs = kind == ListKind::kDirs;
  for (const DirEntry& e : entries) {
    if (e.hidden || e.directory != dirs || !MatchesPattern(e.name, pattern)) continue;
    out.push_back({dirs ? "[" + e.name + "]" : e.name, e.name});
  }
  return out;
}

Answer ListBoxCommand(const Arguments& args, Host& host) {
  std::string mode = Upper(args.Get(2).value_or(""));
  ListRequest r;
  std::vector<std::string> answers;
  if (mode == "FILES" || mode == "DIRS" || mode == "DRIVES") {
    ListKind kind = mode == "FILES" ? ListKind::kFiles
                    : mode == "DIRS" ? ListKind::kDirs
                                     : ListKind::kDrives;
    std::vector<ListedEntry> entries = ListEntries(host.files, kind, args.Get(4).value_or(""),
                                                   args.NonEmpty(5).value_or(kAllFiles));
    std::string start = args.Get(3).value_or("");
    for (size_t k = 0; k < entries.size(); ++k) {
      r.items.push_back(entries[k].shown);
      answers.push_back(entries[k].answer);
      if (r.selected < 0 && (StartsWithNoCase(entries[k].shown, start) ||
                             StartsWithNoCase(entries[k].answer, start)))
        r.selected = static_cast<int>(k);
    }
    if (r.selected < 0 && !entries.empty()) r.selected = 0;
    r.title = Title(args, 6, host, kTitleList);
    r.message = Message(args, 7, host);
  } else {
    r.items = ListFileItems(host);
    answers = r.items;
    r.selected = OneBased(Default(args, 2, host), r.items.size());
    r.title = Title(args, 3, host, kTitleList);
    r.message = Message(args, 4, host);
  }
  ListAnswer a = host.dialogs.List(r);
  if (!a.ok || a.selected < 0 || static_cast<size_t>(a.selected) >= answers.size())
    return NoChoice();
  return Chosen(answers[static_cast<size_t>(a.selected)], a.selected);
}

Answer ComboBoxCommand(const Arguments& args, Host& host) {
  ListRequest r;
  r.items = ListFileItems(host);
  // Zero-based, unlike the other lists.
  int n = LeadingNumber(Default(args, 2, host));
  r.selected = n >= 0 && static_cast<size_t>(n) < r.items.size() ? n : -1;
  r.title = Title(args, 3, host, kTitleDialog);
  r.message = Message(args, 4, host);
  ListAnswer a = host.dialogs.Combo(r);
  if (!a.ok) return NoChoice();
  // The position of the item the field shows: the one selected, else one
  // typed as it stands in the list (the list's own lookup ignores case).
  int at = -1;
  if (a.selected >= 0 && static_cast<size_t>(a.selected) < r.items.size() &&
      r.items[static_cast<size_t>(a.selected)] == a.text)
    at = a.selected;
  for (size_t k = 0; at < 0 && k < r.items.size(); ++k)
    if (EqualNoCase(r.items[k], a.text)) at = static_cast<int>(k);
  return {a.text, at < 0 ? std::string(kNoPosition) : std::to_string(at + 1)};
}

Answer EditBoxCommand(const Arguments& args, Host& host) {
  EditRequest r;
  r.text = Default(args, 2, host);
  r.title = Title(args, 3, host, kTitleDialog);
  r.message = Message(args, 4, host);
  std::vector<std::string> labels = BoxLabels(host);
  for (size_t k = 0; k < labels.size(); ++k) r.buttons[k] = labels[k];
  EditAnswer a = host.dialogs.Edit(r);
  if (a.pressed == 0) return {a.text};
  if (a.pressed >= 1 && a.pressed <= kMaxBoxes && !r.buttons[a.pressed - 1].empty())
    return {kButtonAnswer + std::to_string(a.pressed)};
  return {kFailure};
}

Answer CheckBoxCommand(const Arguments& args, Host& host) {
  BoxesRequest r;
  std::string def = Default(args, 2, host);
  for (size_t k = 0; k < kMaxBoxes; ++k) r.ticked[k] = k < def.size() && def[k] == '1';
  r.title = Title(args, 3, host, kTitleDialog);
  r.message = Message(args, 4, host);
  r.labels = BoxLabels(host);
  BoxesAnswer a = host.dialogs.Check(r);
  Answer out;
  for (size_t k = 0; k < kMaxBoxes; ++k) out.push_back(a.ok && a.ticked[k] ? "1" : "0");
  return out;
}

Answer RadioBoxCommand(const Arguments& args, Host& host) {
  BoxesRequest r;
  r.labels = BoxLabels(host);
  r.selected = OneBased(Default(args, 2, host), r.labels.size());
  r.title = Title(args, 3, host, kTitleDialog);
  r.message = Message(args, 4, host);
  BoxesAnswer a = host.dialogs.Radio(r);
  if (!a.ok || a.selected < 0 || static_cast<size_t>(a.selected) >= r.labels.size())
    return NoChoice();
  return Chosen(r.labels[static_cast<size_t>(a.selected)], a.selected);
}

std::vector<platform::FileFilter> ParseFileFilters(const std::string& filter) {
  std::vector<platform::FileFilter> out;
  if (filter.empty()) return out;
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    size_t bar = filter.find('|', start);
    parts.push_back(filter.substr(start, bar == std::string::npos ? bar : bar - start));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  for (size_t k = 0; k < parts.size(); k += 2) {
    const std::string& text = parts[k];
    const std::string& patterns = k + 1 < parts.size() ? parts[k + 1] : parts[k];
    if (text.empty() && patterns.empty()) continue;
    out.push_back({text.empty() ? patterns : text, patterns.empty() ? text : patterns});
  }
  return out;
}

Answer FileDialogCommand(const Arguments& args, Host& host) {
  FileRequest r;
  r.open = EqualNoCase(args.Get(2).value_or(""), "OPEN");
  r.name = args.Get(3).value_or("");
  r.folder = args.Get(4).value_or("");
  r.filters = ParseFileFilters(args.Get(5).value_or(""));
  r.extension = args.Get(6).value_or("");
  std::optional<std::string> path = host.dialogs.ChooseFile(r);
  if (!path || path->empty()) return Answer(5, "");
  size_t sep = path->find_last_of("\\/");
  std::string name = sep == std::string::npos ? *path : path->substr(sep + 1);
  std::string folder = sep == std::string::npos ? "" : path->substr(0, sep);
  size_t dot = name.rfind('.');
  std::string title = dot == std::string::npos ? name : name.substr(0, dot);
  std::string ext = dot == std::string::npos ? "" : name.substr(dot + 1);
  return {*path, name, folder, title, ext};
}

Answer FolderDialogCommand(const Arguments& args, Host& host) {
  FolderRequest r;
  r.start = args.NonEmpty(2).value_or(host.files.CurrentDirectory().value_or(""));
  std::optional<std::string> chosen = host.dialogs.ChooseFolder(r);
  std::string folder = chosen.value_or("");
  // "C:\" becomes "C:"; the root of a system without drives stays.
  if (folder.size() > 1 && platform::IsSeparator(folder.back())) folder.pop_back();
  return {folder};
}

}  // namespace kysy
