// The system's shell-link object (Windows: IShellLink with IPersistFile
// over COM), which reads and writes shortcut files.  Elsewhere there is
// none: Available() is false and every call fails with kNotAvailable.
// Calls give the system's HRESULT: 0 (S_OK) for success, negative for a
// failure; a positive code is a success with a remark (S_FALSE).
#pragma once

#include <memory>
#include <string>

namespace platform {

struct ShellLinkFields {
  std::string target;
  std::string arguments;
  std::string description;
  std::string working_dir;
  int hotkey = 0;
  std::string icon_file;
  int icon_index = 0;
  int show_command = 1;
};

class ShellLinkObject {
 public:
  static constexpr long kNotAvailable = static_cast<long>(static_cast<int>(0x80004001));  // E_NOTIMPL

  ShellLinkObject();
  ~ShellLinkObject();  // releases the object and shuts COM down
  ShellLinkObject(const ShellLinkObject&) = delete;
  ShellLinkObject& operator=(const ShellLinkObject&) = delete;

  static bool Available();

  long StartCom();           // CoInitialize
  long Create();             // the shell-link object and its persist-file interface
  long Load(const std::string& path);  // read access
  long Read(ShellLinkFields* fields);
  long ReadTarget(std::string* target);
  // Looks for the target of a broken link, without user interface.
  long Resolve();
  // Description, hotkey, icon location, working directory, arguments,
  // target path, show command, in this order.  With `loaded` (what Read
  // gave) a field that is still the same is left as the object has it, so
  // that nothing of a loaded link is lost through the ANSI texts (the ID
  // list of its target, characters outside the code page).
  long Write(const ShellLinkFields& fields, const ShellLinkFields* loaded = nullptr);
  long Save(const std::string& path);

 private:
  struct Com;
  std::unique_ptr<Com> com_;
};

}  // namespace platform
