// The dialogs in text form, for a terminal without windows: the title and
// message, the items numbered, and a prompt; a line typed answers it.
// "q" is Peruuta, the end of the input too.
#pragma once

#include <optional>
#include <string>

#include "tools/kysy/seams.h"

namespace kysy {

// Where the text form reads and writes.
class LineIo {
 public:
  virtual ~LineIo() = default;
  // One line without its line feed; false at the end of the input.
  virtual bool ReadLine(std::string& line) = 0;
  virtual void Write(const std::string& text) = 0;
};

class TerminalDialogs {
 public:
  // `current_dir` completes a relative file name.
  TerminalDialogs(LineIo& io, std::string current_dir)
      : io_(io), current_dir_(std::move(current_dir)) {}

  ListAnswer List(const ListRequest& request);
  ListAnswer Combo(const ListRequest& request);
  EditAnswer Edit(const EditRequest& request);
  BoxesAnswer Check(const BoxesRequest& request);
  BoxesAnswer Radio(const BoxesRequest& request);
  std::optional<std::string> ChooseFile(const FileRequest& request);
  std::optional<std::string> ChooseFolder(const FolderRequest& request);

 private:
  void Header(const std::string& title, const std::string& message);
  // The answer to `prompt`: nullopt for "q" or the end of the input.
  std::optional<std::string> Ask(const char* prompt);
  LineIo& io_;
  std::string current_dir_;
};

}  // namespace kysy
