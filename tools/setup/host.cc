#include "tools/setup/host.h"

#include "platform/command_interpreter.h"
#include "platform/directories.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/machine_registry.h"
#include "platform/string_table.h"
#include "platform/working_directory.h"
#include "tools/setup/texts.h"

namespace setup {

std::string ForConsole(const std::string& text) {
#ifdef _WIN32
  return text;
#else
  std::string out;
  for (char ch : text) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (c < 0x80) {
      out += ch;
    } else {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
#endif
}

std::optional<std::string> PlatformHost::Environment(const std::string& name) {
  return platform::EnvironmentValue(name);
}

bool PlatformHost::KeyOpens(const std::string& key, bool other_view) {
  return platform::MachineKeyOpens(key, other_view);
}

std::optional<std::string> PlatformHost::ReadValue(const std::string& key, const std::string& value,
                                                   bool other_view) {
  return platform::ReadMachineValue(key, value, other_view);
}

bool PlatformHost::FileExists(const std::string& path) { return platform::FileExists(path); }

bool PlatformHost::FolderExists(const std::string& path) {
  return platform::ListFolder(path).has_value();
}

std::vector<std::string> PlatformHost::ListFiles(const std::string& folder) {
  return platform::ListFiles(folder);
}

bool PlatformHost::CopyFile(const std::string& from, const std::string& to) {
  // The copy is made beside the target and put in its place only whole.
  std::string part = to + ".setup-part";
  platform::RemoveFile(part);
  if (!platform::CopyFileTo(from, part)) {
    platform::RemoveFile(part);
    return false;
  }
  if (!platform::ReplaceFileWith(part, to)) {
    platform::RemoveFile(part);
    return false;
  }
  return true;
}

bool PlatformHost::RemoveFile(const std::string& path) { return platform::RemoveFile(path); }

bool PlatformHost::MoveOver(const std::string& from, const std::string& to) {
  return platform::ReplaceFileWith(from, to);
}

bool PlatformHost::MakeFolder(const std::string& path) { return platform::MakeFolder(path); }

bool PlatformHost::RunCommand(const std::string& command, const std::string& folder) {
  std::string back = platform::CurrentDirectory();
  if (!platform::ChangeDirectory(folder)) return false;
  // The main dialog stays painted but takes no input while the command runs.
  if (windows_) windows_->SetBusy(true);
  bool ran = platform::RunInterpreterCommand(command, windows_ != nullptr);
  if (windows_) windows_->SetBusy(false);
  platform::ChangeDirectory(back);
  return ran;
}

std::optional<std::string> PlatformHost::StringTableEntry(int entry) {
  return platform::ProgramStringEntry(entry);
}

void PlatformHost::Message(const std::string& text, platform::Icon icon) {
  if (windows_)
    windows_->Message(Text(*this, kCaption), text, icon);
  else
    platform::ShowMessage(ForConsole(Text(*this, kCaption)), ForConsole(text), icon);
}

bool PlatformHost::AskYesNo(const std::string& text, platform::Icon icon, bool yes_default) {
  int def = yes_default ? 0 : 1;
  std::string caption = Text(*this, kCaption);
  int got = windows_ ? windows_->Ask(caption, text, icon, platform::Buttons::kYesNo, def)
                     : platform::AskQuestion(ForConsole(caption), ForConsole(text), icon,
                                             platform::Buttons::kYesNo, def);
  return got == 0;
}

}  // namespace setup
