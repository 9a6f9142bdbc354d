// What Kysy works on, as small interfaces: the environment, the file
// system, the registry and the dialogs.  The program hands in the host's;
// the unit tests hand in fakes, so every command runs without a disk or a
// window.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/form_window.h"
#include "platform/message_box.h"

namespace kysy {

class Environment {
 public:
  virtual ~Environment() = default;
  // The variable's value; nullopt when it is not set.
  virtual std::optional<std::string> Get(std::string_view name) const = 0;
};

// A file opened for reading, its bytes as they are.
class InputFile {
 public:
  virtual ~InputFile() = default;
  // Up to `n` bytes into `buffer`; 0 at the end of the file (or on a read
  // error, which Failed() then tells).
  virtual size_t Read(char* buffer, size_t n) = 0;
  virtual bool Failed() const = 0;
};

// A new file being written, its bytes as they are.
class OutputFile {
 public:
  virtual ~OutputFile() = default;
  virtual bool Write(std::string_view bytes) = 0;
  // False when any write or the close itself failed: the file is not
  // complete.
  virtual bool Close() = 0;
};

struct DirEntry {
  std::string name;
  bool directory = false;
  bool hidden = false;  // hidden or system on Windows, a dot name elsewhere
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Null when the file cannot be opened for reading (missing, a directory,
  // no access).
  virtual std::unique_ptr<InputFile> OpenRead(const std::string& path) = 0;
  // A new file in the folder of `path`, under a name no other file has
  // (given in `created`); null when none can be made.
  virtual std::unique_ptr<OutputFile> CreateBeside(const std::string& path,
                                                   std::string& created) = 0;
  // Puts file `from` in the place of `to` in one step (replacing it).
  virtual bool Replace(const std::string& from, const std::string& to) = 0;
  virtual bool Exists(const std::string& path) = 0;
  // Renames `from` to `to`, which must not exist.
  virtual bool Rename(const std::string& from, const std::string& to) = 0;
  virtual bool RemoveFile(const std::string& path) = 0;
  virtual bool RemoveFolder(const std::string& path) = 0;
  virtual bool MakeFolder(const std::string& path) = 0;
  // Nullopt when it cannot be read.
  virtual std::optional<std::string> CurrentDirectory() = 0;
  // The entries of `dir` ("" the current directory), "." and ".." left
  // out; nullopt when it cannot be listed.
  virtual std::optional<std::vector<DirEntry>> List(const std::string& dir) = 0;
  // The letters of the drives there are (none where there are no drives).
  virtual std::vector<char> Drives() = 0;
};

class Registry {
 public:
  virtual ~Registry() = default;
  // The text of value `value` of key `key` under HKEY_LOCAL_MACHINE;
  // nullopt when it cannot be read.
  virtual std::optional<std::string> ReadMachineValue(const std::string& key,
                                                      const std::string& value) = 0;
};

// --- the dialogs -----------------------------------------------------------

inline constexpr int kMaxBoxes = 5;  // extra buttons, check boxes, radio buttons

struct MessageRequest {
  std::string title;
  std::string text;  // line breaks as '\n'
  platform::Icon icon = platform::Icon::kInformation;
  platform::Buttons buttons = platform::Buttons::kOk;
  int default_button = 0;  // 0 the first
};

// LISTBOX and COMBOBOX.
struct ListRequest {
  std::string title;
  std::string message;  // shown above the list, line breaks as '\n'
  std::vector<std::string> items;
  int selected = -1;  // from 0; -1 none
};

struct ListAnswer {
  bool ok = false;    // false: cancelled
  int selected = -1;  // from 0; -1 none
  std::string text;   // COMBOBOX: the text in its field
};

struct EditRequest {
  std::string title;
  std::string message;
  std::string text;
  // The labels of the extra buttons 1 to 5; an empty label is a hidden button.
  std::array<std::string, kMaxBoxes> buttons;
};

struct EditAnswer {
  int pressed = -1;  // 0 OK, 1 to 5 an extra button, -1 cancelled
  std::string text;
};

// CHECKBOX and RADIOBOX: the boxes shown are those with a label.
struct BoxesRequest {
  std::string title;
  std::string message;
  std::vector<std::string> labels;  // at most kMaxBoxes
  std::array<bool, kMaxBoxes> ticked{};  // CHECKBOX: the boxes ticked at first
  int selected = -1;                     // RADIOBOX: the button chosen at first, from 0
};

struct BoxesAnswer {
  bool ok = false;
  std::array<bool, kMaxBoxes> ticked{};
  int selected = -1;
};

struct FileRequest {
  bool open = true;  // the open chooser, else the save one
  std::string name;  // the proposed file name
  std::string folder;
  std::vector<platform::FileFilter> filters;
  std::string extension;  // added to a name typed without one
};

struct FolderRequest {
  std::string start;  // the folder shown and selected at first
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // The button pressed (0 the first); -1 when the box gave no button.
  virtual int Ask(const MessageRequest& request) = 0;
  virtual ListAnswer List(const ListRequest& request) = 0;
  // An editable list: the answer's text is what its field holds.
  virtual ListAnswer Combo(const ListRequest& request) = 0;
  virtual EditAnswer Edit(const EditRequest& request) = 0;
  virtual BoxesAnswer Check(const BoxesRequest& request) = 0;
  virtual BoxesAnswer Radio(const BoxesRequest& request) = 0;
  // The full path chosen; nullopt when cancelled.
  virtual std::optional<std::string> ChooseFile(const FileRequest& request) = 0;
  virtual std::optional<std::string> ChooseFolder(const FolderRequest& request) = 0;
};

// Everything a command works on.
struct Host {
  Environment& env;
  FileSystem& files;
  Registry& registry;
  Dialogs& dialogs;
};

}  // namespace kysy
