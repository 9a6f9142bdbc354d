// Fakes of Kysy's seams for the unit tests: files and folders in memory,
// an environment from a table, scripted dialogs that keep what they were
// asked.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "tools/kysy/answer_file.h"
#include "tools/kysy/seams.h"
#include "tools/kysy/text_lines.h"

namespace kysy {

class FakeEnvironment : public Environment {
 public:
  std::map<std::string, std::string> vars;  // names in upper case
  void Set(const std::string& name, const std::string& value) { vars[Upper(name)] = value; }
  std::optional<std::string> Get(std::string_view name) const override {
    auto it = vars.find(Upper(name));
    if (it == vars.end()) return std::nullopt;
    return it->second;
  }
};

class FakeFiles : public FileSystem {
 public:
  std::map<std::string, std::string> files;  // path -> bytes
  std::set<std::string> folders;
  std::string cwd = "C:\\work";
  bool cwd_fails = false;
  std::vector<char> drives;
  // A write fails once this many bytes have gone to new files (-1 never).
  long write_budget = -1;
  bool replace_fails = false;
  bool read_fails = false;  // reads end with an error after the first block
  int created = 0;

  class Input : public InputFile {
   public:
    Input(std::string bytes, bool fail) : bytes_(std::move(bytes)), fail_(fail) {}
    size_t Read(char* buffer, size_t n) override {
      if (fail_ && at_ > 0) {
        failed_ = true;
        return 0;
      }
      size_t k = bytes_.copy(buffer, n, at_);
      at_ += k;
      return k;
    }
    bool Failed() const override { return failed_; }

   private:
    std::string bytes_;
    bool fail_;
    bool failed_ = false;
    size_t at_ = 0;
  };

  class Output : public OutputFile {
   public:
    Output(FakeFiles& owner, std::string path) : owner_(owner), path_(std::move(path)) {}
    bool Write(std::string_view bytes) override {
      if (owner_.write_budget >= 0) {
        if (static_cast<long>(bytes.size()) > owner_.write_budget) {
          failed_ = true;
          return false;
        }
        owner_.write_budget -= static_cast<long>(bytes.size());
      }
      owner_.files[path_].append(bytes);
      return true;
    }
    bool Close() override { return !failed_; }

   private:
    FakeFiles& owner_;
    std::string path_;
    bool failed_ = false;
  };

  std::unique_ptr<InputFile> OpenRead(const std::string& path) override {
    auto it = files.find(path);
    if (it == files.end()) return nullptr;
    return std::make_unique<Input>(it->second, read_fails);
  }
  std::unique_ptr<OutputFile> CreateBeside(const std::string& path,
                                           std::string& name) override {
    name = path + ".new" + std::to_string(++created);
    files[name] = "";
    return std::make_unique<Output>(*this, name);
  }
  bool Replace(const std::string& from, const std::string& to) override {
    if (replace_fails || !files.count(from) || folders.count(to)) return false;
    files[to] = files[from];
    files.erase(from);
    return true;
  }
  bool Exists(const std::string& path) override {
    return files.count(path) || folders.count(path);
  }
  bool Rename(const std::string& from, const std::string& to) override {
    if (!files.count(from)) return false;
    files[to] = files[from];
    files.erase(from);
    return true;
  }
  bool RemoveFile(const std::string& path) override { return files.erase(path) > 0; }
  bool RemoveFolder(const std::string& path) override { return folders.erase(path) > 0; }
  bool MakeFolder(const std::string& path) override {
    if (Exists(path)) return false;
    folders.insert(path);
    return true;
  }
  std::optional<std::string> CurrentDirectory() override {
    if (cwd_fails) return std::nullopt;
    return cwd;
  }
  // Entries of `dir`: the files and folders whose paths are `dir` + '\' + name.
  std::optional<std::vector<DirEntry>> List(const std::string& dir) override {
    std::string prefix = (dir.empty() ? cwd : dir) + "\\";
    if (!dir.empty() && !folders.count(dir)) return std::nullopt;
    std::vector<DirEntry> out;
    auto add = [&](const std::string& path, bool folder) {
      if (path.rfind(prefix, 0) != 0) return;
      std::string name = path.substr(prefix.size());
      if (name.empty() || name.find('\\') != std::string::npos) return;
      out.push_back({name, folder, name[0] == '.'});
    };
    for (const auto& [path, bytes] : files) add(path, false);
    for (const std::string& path : folders) add(path, true);
    return out;
  }
  std::vector<char> Drives() override { return drives; }
};

class FakeRegistry : public Registry {
 public:
  std::map<std::string, std::string> values;  // key + "|" + value
  std::optional<std::string> ReadMachineValue(const std::string& key,
                                              const std::string& value) override {
    auto it = values.find(key + "|" + value);
    if (it == values.end()) return std::nullopt;
    return it->second;
  }
};

// Answers each dialog with what the test put in; keeps the last request.
class FakeDialogs : public Dialogs {
 public:
  int ask_answer = 0;
  ListAnswer list_answer;
  EditAnswer edit_answer;
  BoxesAnswer boxes_answer;
  std::optional<std::string> path_answer;

  int asked = 0;  // dialogs shown
  MessageRequest message;
  ListRequest list;
  EditRequest edit;
  BoxesRequest boxes;
  FileRequest file;
  FolderRequest folder;

  int Ask(const MessageRequest& r) override {
    ++asked;
    message = r;
    return ask_answer;
  }
  ListAnswer List(const ListRequest& r) override {
    ++asked;
    list = r;
    return list_answer;
  }
  ListAnswer Combo(const ListRequest& r) override {
    ++asked;
    list = r;
    return list_answer;
  }
  EditAnswer Edit(const EditRequest& r) override {
    ++asked;
    edit = r;
    return edit_answer;
  }
  BoxesAnswer Check(const BoxesRequest& r) override {
    ++asked;
    boxes = r;
    return boxes_answer;
  }
  BoxesAnswer Radio(const BoxesRequest& r) override {
    ++asked;
    boxes = r;
    return boxes_answer;
  }
  std::optional<std::string> ChooseFile(const FileRequest& r) override {
    ++asked;
    file = r;
    return path_answer;
  }
  std::optional<std::string> ChooseFolder(const FolderRequest& r) override {
    ++asked;
    folder = r;
    return path_answer;
  }
};

struct FakeHost {
  FakeEnvironment env;
  FakeFiles files;
  FakeRegistry registry;
  FakeDialogs dialogs;
  Host host{env, files, registry, dialogs};
  FakeHost() { env.Set("temp", "C:\\temp"); }
  // The answer file as the batch file sees it; "" when there is none.
  std::string AnswerFile() const {
    auto it = files.files.find(AnswerPath(env).value_or(""));
    return it == files.files.end() ? "" : it->second;
  }
};

}  // namespace kysy
