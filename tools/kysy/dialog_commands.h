// The dialog commands: MSGBOX, LISTBOX, COMBOBOX, EDITBOX, CHECKBOX,
// RADIOBOX, FILEDLG and FOLDERDLG.  Each takes its texts from its
// arguments, else from the variables Dlg_Title, Dlg_Message and
// Dlg_Default, and its items from "Dlg_List.lst".
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tools/kysy/answer_file.h"
#include "tools/kysy/commands.h"
#include "tools/kysy/seams.h"

namespace kysy {

std::optional<Answer> MessageBoxCommand(const Arguments& args, Host& host);
Answer ListBoxCommand(const Arguments& args, Host& host);
Answer ComboBoxCommand(const Arguments& args, Host& host);
Answer EditBoxCommand(const Arguments& args, Host& host);
Answer CheckBoxCommand(const Arguments& args, Host& host);
Answer RadioBoxCommand(const Arguments& args, Host& host);
Answer FileDialogCommand(const Arguments& args, Host& host);
Answer FolderDialogCommand(const Arguments& args, Host& host);

// A number as the C library's atoi reads it: leading blanks, a sign,
// digits; 0 when there are none.
int LeadingNumber(const std::string& text);

// FILEDLG's filter: "text|patterns|text|patterns..."; a text without '|'
// is its own pattern.
std::vector<platform::FileFilter> ParseFileFilters(const std::string& filter);

// The items LISTBOX shows in its FILES, DIRS and DRIVES modes: the name
// as shown (a directory in brackets, a drive as "[-c-]") and the answer.
struct ListedEntry {
  std::string shown, answer;
};
enum class ListKind { kFiles, kDirs, kDrives };
std::vector<ListedEntry> ListEntries(FileSystem& files, ListKind kind, const std::string& dir,
                                     const std::string& pattern);

}  // namespace kysy
