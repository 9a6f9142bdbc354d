#include "tools/kysy/host.h"

#include <cerrno>
#include <cstdio>

#include "platform/directories.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/machine_registry.h"
#include "platform/message_box.h"
#include "platform/terminal.h"
#include "platform/text_file.h"
#include "tools/kysy/window_forms.h"

namespace kysy {

std::optional<std::string> HostEnvironment::Get(std::string_view name) const {
  return platform::EnvironmentValue(name);
}

namespace {

class HostInput : public InputFile {
 public:
  explicit HostInput(std::FILE* f) : file_(f) {}
  ~HostInput() override { std::fclose(file_); }
  size_t Read(char* buffer, size_t n) override { return std::fread(buffer, 1, n, file_); }
  bool Failed() const override { return std::ferror(file_) != 0; }

 private:
  std::FILE* file_;
};

class HostOutput : public OutputFile {
 public:
  explicit HostOutput(std::FILE* f) : file_(f) {}
  ~HostOutput() override {
    if (file_) platform::CloseFile(file_);
  }
  bool Write(std::string_view bytes) override { return platform::WriteBytes(file_, bytes); }
  bool Close() override {
    std::FILE* f = file_;
    file_ = nullptr;
    return platform::CloseFile(f);
  }

 private:
  std::FILE* file_;
};

// Tries this many names beside a file before giving up.
constexpr int kBesideAttempts = 1000;

}  // namespace

std::unique_ptr<InputFile> HostFiles::OpenRead(const std::string& path) {
  if (!platform::IsRegularFile(path)) return nullptr;
  std::FILE* f = platform::OpenBinary(path, "r");
  if (!f) return nullptr;
  return std::make_unique<HostInput>(f);
}

std::unique_ptr<OutputFile> HostFiles::CreateBeside(const std::string& path,
                                                    std::string& created) {
  for (int k = 1; k <= kBesideAttempts; ++k) {
    std::string name = path + ".kysy-" + std::to_string(k) + ".tmp";
    errno = 0;
    if (std::FILE* f = platform::CreateNewFile(name)) {
      created = name;
      return std::make_unique<HostOutput>(f);
    }
    if (errno != EEXIST) break;
  }
  created.clear();
  return nullptr;
}

bool HostFiles::Replace(const std::string& from, const std::string& to) {
  return platform::ReplaceFileWith(from, to);
}

bool HostFiles::Exists(const std::string& path) { return platform::FileExists(path); }

bool HostFiles::Rename(const std::string& from, const std::string& to) {
  return platform::RenameFile(from, to);
}

bool HostFiles::RemoveFile(const std::string& path) { return platform::RemoveFile(path); }

bool HostFiles::RemoveFolder(const std::string& path) { return platform::RemoveFolder(path); }

bool HostFiles::MakeFolder(const std::string& path) { return platform::MakeFolder(path); }

std::optional<std::string> HostFiles::CurrentDirectory() {
  std::string dir = platform::CurrentDirectory();
  if (dir.empty()) return std::nullopt;
  return dir;
}

std::optional<std::vector<DirEntry>> HostFiles::List(const std::string& dir) {
  std::optional<std::vector<platform::FolderEntry>> entries = platform::ListFolder(dir);
  if (!entries) return std::nullopt;
  std::vector<DirEntry> out;
  for (const platform::FolderEntry& e : *entries) out.push_back({e.name, e.folder, e.hidden});
  return out;
}

std::vector<char> HostFiles::Drives() { return platform::DriveLetters(); }

std::optional<std::string> HostRegistry::ReadMachineValue(const std::string& key,
                                                          const std::string& value) {
  return platform::ReadMachineValue(key, value);
}

bool ConsoleIo::ReadLine(std::string& line) {
  line.clear();
  int c;
  while ((c = std::fgetc(stdin)) != EOF && c != '\n') line += static_cast<char>(c);
  return c != EOF || !line.empty();
}

void ConsoleIo::Write(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fflush(stderr);
}

HostDialogs::HostDialogs() = default;

std::optional<platform::FormAnswer> HostDialogs::ShowWindow(const platform::Form& form) {
  if (!platform::FormWindows::Available()) return std::nullopt;
  std::optional<platform::FormAnswer> answer = windows_.Show(0, form);
  windows_.Close(0);
  return answer;
}

TerminalDialogs* HostDialogs::Terminal() {
  if (!platform::StdinIsTerminal()) return nullptr;
  if (!terminal_)
    terminal_ = std::make_unique<TerminalDialogs>(console_, platform::CurrentDirectory());
  return terminal_.get();
}

int HostDialogs::Ask(const MessageRequest& r) {
  // Without a box to show, both backends take the default button.
  return windows_.Ask(r.title, r.text, r.icon, r.buttons, r.default_button);
}

ListAnswer HostDialogs::List(const ListRequest& r) {
  DialogForm f = ListForm(r);
  if (auto a = ShowWindow(f.form)) return ListFromForm(f, *a);
  if (TerminalDialogs* t = Terminal()) return t->List(r);
  return {};
}

ListAnswer HostDialogs::Combo(const ListRequest& r) {
  DialogForm f = ComboForm(r);
  if (auto a = ShowWindow(f.form)) return ComboFromForm(f, *a);
  if (TerminalDialogs* t = Terminal()) return t->Combo(r);
  return {};
}

EditAnswer HostDialogs::Edit(const EditRequest& r) {
  DialogForm f = EditForm(r);
  if (auto a = ShowWindow(f.form)) return EditFromForm(f, *a);
  if (TerminalDialogs* t = Terminal()) return t->Edit(r);
  return {};
}

BoxesAnswer HostDialogs::Check(const BoxesRequest& r) {
  DialogForm f = CheckForm(r);
  if (auto a = ShowWindow(f.form)) return CheckFromForm(f, r, *a);
  if (TerminalDialogs* t = Terminal()) return t->Check(r);
  return {};
}

BoxesAnswer HostDialogs::Radio(const BoxesRequest& r) {
  DialogForm f = RadioForm(r);
  if (auto a = ShowWindow(f.form)) return RadioFromForm(f, *a);
  if (TerminalDialogs* t = Terminal()) return t->Radio(r);
  return {};
}

std::optional<std::string> HostDialogs::ChooseFile(const FileRequest& r) {
  platform::FileChoice choice;
  choice.save = !r.open;
  choice.filters = r.filters;
  choice.folder = r.folder;
  choice.name = r.name;
  choice.extension = r.extension;
  bool shown = false;
  std::optional<std::string> path = windows_.ChooseFile(choice, &shown);
  if (shown) return path;
  if (TerminalDialogs* t = Terminal()) return t->ChooseFile(r);
  return std::nullopt;
}

std::optional<std::string> HostDialogs::ChooseFolder(const FolderRequest& r) {
  bool shown = false;
  std::optional<std::string> path = windows_.ChooseFolder("", r.start, &shown);
  if (shown) return path;
  if (TerminalDialogs* t = Terminal()) return t->ChooseFolder(r);
  return std::nullopt;
}

}  // namespace kysy
