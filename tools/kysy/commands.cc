#include "tools/kysy/commands.h"

#include <climits>
#include <functional>

#include "tools/kysy/dialog_commands.h"
#include "tools/kysy/file_commands.h"
#include "tools/kysy/text_commands.h"
#include "tools/kysy/text_lines.h"
#include "tools/kysy/texts.h"

namespace kysy {

std::optional<std::string> Arguments::Get(int n) const {
  if (n < 2 || n - 1 >= static_cast<int>(args_.size())) return std::nullopt;
  return args_[static_cast<size_t>(n - 1)];
}

std::optional<std::string> Arguments::NonEmpty(int n) const {
  std::optional<std::string> a = Get(n);
  if (a && a->empty()) return std::nullopt;
  return a;
}

namespace {

using Run = std::function<std::optional<Answer>(const Arguments&, Host&)>;

// A command word with the numbers of arguments it runs with.
struct Command {
  const char* word;
  int least, most;
  Run run;
};

std::optional<Answer> Silent(bool) { return std::nullopt; }

std::string Arg(const Arguments& a, int n) { return a.Get(n).value_or(""); }

const std::vector<Command>& Commands() {
  static const std::vector<Command> table = {
      {"COPY", 2, 2,
       [](const Arguments& a, Host& h) { return Silent(CopyOver(h.files, Arg(a, 2), Arg(a, 3))); }},
      {"REN", 2, 2,
       [](const Arguments& a, Host& h) { return Silent(RenameTo(h.files, Arg(a, 2), Arg(a, 3))); }},
      {"DEL", 1, 1,
       [](const Arguments& a, Host& h) { return Silent(h.files.RemoveFile(Arg(a, 2))); }},
      {"RD", 1, 1,
       [](const Arguments& a, Host& h) { return Silent(h.files.RemoveFolder(Arg(a, 2))); }},
      {"MD", 1, 1,
       [](const Arguments& a, Host& h) { return Silent(h.files.MakeFolder(Arg(a, 2))); }},
      {"?", 0, INT_MAX, [](const Arguments&, Host&) { return std::optional<Answer>(); }},
      {"CWD", 0, INT_MAX,
       [](const Arguments&, Host& h) { return std::optional<Answer>(CurrentDirectoryAnswer(h.files)); }},
      {"PARTS", 1, INT_MAX,
       [](const Arguments& a, Host&) {
         PathPieces p = SplitPathPieces(Arg(a, 2));
         return std::optional<Answer>(Answer{p.drive, p.dir, p.name, p.ext, p.whole});
       }},
      {"APPEND", 2, INT_MAX,
       [](const Arguments& a, Host& h) {
         std::vector<std::string> sources;
         for (int n = 2; n <= a.Count(); ++n) sources.push_back(Arg(a, n));
         return Silent(Append(h.files, sources, Arg(a, a.Count() + 1)));
       }},
      {"FINDSTR", 2, INT_MAX,
       [](const Arguments& a, Host& h) {
         bool exact = EqualNoCase(Arg(a, 4), "/C");
         return std::optional<Answer>(Answer{FindText(h.files, Arg(a, 2), Arg(a, 3), exact)});
       }},
      {"CHANGE", 3, INT_MAX,
       [](const Arguments& a, Host& h) {
         std::vector<std::string> options;
         for (int n = 5; n <= a.Count() + 1; ++n) options.push_back(Arg(a, n));
         std::string value = h.env.Get(Arg(a, 2)).value_or("");
         return std::optional<Answer>(
             Answer{ChangeText(value, Arg(a, 3), Arg(a, 4), ReadChangeOptions(options))});
       }},
      {"FILEDLG", 1, INT_MAX,
       [](const Arguments& a, Host& h) { return std::optional<Answer>(FileDialogCommand(a, h)); }},
      {"FOLDERDLG", 1, INT_MAX,
       [](const Arguments& a, Host& h) { return std::optional<Answer>(FolderDialogCommand(a, h)); }},
      {"READREG", 2, INT_MAX,
       [](const Arguments& a, Host& h) {
         return std::optional<Answer>(
             Answer{h.registry.ReadMachineValue(Arg(a, 2), Arg(a, 3)).value_or(kFailure)});
       }},
      {"MSGBOX", 0, INT_MAX, MessageBoxCommand},
      {"LISTBOX", 0, INT_MAX,
       [](const Arguments& a, Host& h) { return std::optional<Answer>(ListBoxCommand(a, h)); }},
      {"COMBOBOX", 0, INT_MAX,
       [](const Arguments& a, Host& h) { return std::optional<Answer>(ComboBoxCommand(a, h)); }},
      {"EDITBOX", 0, INT_MAX,
       [](const Arguments& a, Host& h) { return std::optional<Answer>(EditBoxCommand(a, h)); }},
      {"CHECKBOX", 0, INT_MAX,
       [](const Arguments& a, Host& h) { return std::optional<Answer>(CheckBoxCommand(a, h)); }},
      {"RADIOBOX", 0, INT_MAX,
       [](const Arguments& a, Host& h) { return std::optional<Answer>(RadioBoxCommand(a, h)); }},
  };
  return table;
}

}  // namespace

std::optional<Answer> RunCommand(const Arguments& args, Host& host) {
  if (!args.HasCommand()) return std::nullopt;
  for (const Command& c : Commands()) {
    if (!EqualNoCase(args.Command(), c.word)) continue;
    if (args.Count() < c.least || args.Count() > c.most) return std::nullopt;
    return c.run(args, host);
  }
  return std::nullopt;
}

void RunKysy(const std::vector<std::string>& args, Host& host) {
  if (args.empty()) return;
  std::optional<Answer> answer = RunCommand(Arguments(args), host);
  if (answer) WriteAnswer(host, *answer);
}

}  // namespace kysy
