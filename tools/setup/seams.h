// What setup needs of the machine, behind one interface so that the logic
// runs against a fake in the tests: the registry, the environment, files
// and folders, the command interpreter and message boxes.  Paths use '\'.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/message_box.h"

namespace setup {

class Host {
 public:
  virtual ~Host() = default;

  virtual std::optional<std::string> Environment(const std::string& name) = 0;
  // HKEY_LOCAL_MACHINE, in the program's own view or the other one.
  virtual bool KeyOpens(const std::string& key, bool other_view) = 0;
  virtual std::optional<std::string> ReadValue(const std::string& key, const std::string& value,
                                               bool other_view) = 0;

  virtual bool FileExists(const std::string& path) = 0;  // a file or a folder
  virtual bool FolderExists(const std::string& path) = 0;
  // Names of the regular files in `folder`.
  virtual std::vector<std::string> ListFiles(const std::string& folder) = 0;
  // Copies `from` to `to`; an existing `to` is replaced only by a complete
  // copy.  False when `to` does not hold the copy.
  virtual bool CopyFile(const std::string& from, const std::string& to) = 0;
  virtual bool RemoveFile(const std::string& path) = 0;
  // Puts `from` in the place of `to`, which may or may not exist.
  virtual bool MoveOver(const std::string& from, const std::string& to) = 0;
  virtual bool MakeFolder(const std::string& path) = 0;

  // Runs `command` through the command interpreter in `folder` and waits
  // until it ends; false when it could not be started.
  virtual bool RunCommand(const std::string& command, const std::string& folder) = 0;

  // Entry `entry` of the program's string table; nullopt where it has none.
  virtual std::optional<std::string> StringTableEntry(int entry) = 0;

  virtual void Message(const std::string& text, platform::Icon icon) = 0;
  // A yes/no question; true for yes.
  virtual bool AskYesNo(const std::string& text, platform::Icon icon, bool yes_default) = 0;
};

}  // namespace setup
