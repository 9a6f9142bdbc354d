// The host's environment, files, registry and dialogs behind Kysy's seams.
// Dialogs are windows where the platform has them; without a window, the
// text form at a terminal; with neither, each dialog answers as cancelled
// and a message box takes its default button.
#pragma once

#include <memory>

#include "platform/form_window.h"
#include "tools/kysy/seams.h"
#include "tools/kysy/terminal_dialogs.h"

namespace kysy {

class HostEnvironment : public Environment {
 public:
  std::optional<std::string> Get(std::string_view name) const override;
};

class HostFiles : public FileSystem {
 public:
  std::unique_ptr<InputFile> OpenRead(const std::string& path) override;
  std::unique_ptr<OutputFile> CreateBeside(const std::string& path, std::string& created) override;
  bool Replace(const std::string& from, const std::string& to) override;
  bool Exists(const std::string& path) override;
  bool Rename(const std::string& from, const std::string& to) override;
  bool RemoveFile(const std::string& path) override;
  bool RemoveFolder(const std::string& path) override;
  bool MakeFolder(const std::string& path) override;
  std::optional<std::string> CurrentDirectory() override;
  std::optional<std::vector<DirEntry>> List(const std::string& dir) override;
  std::vector<char> Drives() override;
};

class HostRegistry : public Registry {
 public:
  std::optional<std::string> ReadMachineValue(const std::string& key,
                                              const std::string& value) override;
};

// Standard input and standard error.
class ConsoleIo : public LineIo {
 public:
  bool ReadLine(std::string& line) override;
  void Write(const std::string& text) override;
};

class HostDialogs : public Dialogs {
 public:
  HostDialogs();
  int Ask(const MessageRequest& request) override;
  ListAnswer List(const ListRequest& request) override;
  ListAnswer Combo(const ListRequest& request) override;
  EditAnswer Edit(const EditRequest& request) override;
  BoxesAnswer Check(const BoxesRequest& request) override;
  BoxesAnswer Radio(const BoxesRequest& request) override;
  std::optional<std::string> ChooseFile(const FileRequest& request) override;
  std::optional<std::string> ChooseFolder(const FolderRequest& request) override;

 private:
  std::optional<platform::FormAnswer> ShowWindow(const platform::Form& form);
  // The text form when standard input is a terminal; null otherwise.
  TerminalDialogs* Terminal();
  platform::FormWindows windows_;
  ConsoleIo console_;
  std::unique_ptr<TerminalDialogs> terminal_;
};

}  // namespace kysy
