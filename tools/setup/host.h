// setup's seams put onto the platform: the registry, files, the command
// interpreter and message boxes (owned by the main dialog when it is open).
#pragma once

#include "platform/form_window.h"
#include "tools/setup/seams.h"

namespace setup {

// `text` (Windows-1252) as the console shows it: unchanged on Windows,
// UTF-8 elsewhere (setup's texts are Latin-1 letters).
std::string ForConsole(const std::string& text);

class PlatformHost : public Host {
 public:
  // Message boxes belong to `windows` when it is given.
  explicit PlatformHost(platform::FormWindows* windows = nullptr) : windows_(windows) {}

  std::optional<std::string> Environment(const std::string& name) override;
  bool KeyOpens(const std::string& key, bool other_view) override;
  std::optional<std::string> ReadValue(const std::string& key, const std::string& value,
                                       bool other_view) override;
  bool FileExists(const std::string& path) override;
  bool FolderExists(const std::string& path) override;
  std::vector<std::string> ListFiles(const std::string& folder) override;
  bool CopyFile(const std::string& from, const std::string& to) override;
  bool RemoveFile(const std::string& path) override;
  bool MoveOver(const std::string& from, const std::string& to) override;
  bool MakeFolder(const std::string& path) override;
  bool RunCommand(const std::string& command, const std::string& folder) override;
  std::optional<std::string> StringTableEntry(int entry) override;
  void Message(const std::string& text, platform::Icon icon) override;
  bool AskYesNo(const std::string& text, platform::Icon icon, bool yes_default) override;

 private:
  platform::FormWindows* windows_;
};

}  // namespace setup
