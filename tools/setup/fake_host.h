// A Host in memory for the tests: files and folders by path, registry
// values per view, and a record of the commands run and messages shown.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "tools/setup/seams.h"

namespace setup {

struct FakeHost : Host {
  std::map<std::string, std::string> env;
  // Keys present per view (false own, true other) and values "key|value".
  std::set<std::pair<bool, std::string>> keys;
  std::map<std::pair<bool, std::string>, std::string> values;
  std::map<std::string, std::string> files;  // path -> bytes
  std::set<std::string> folders;
  std::set<std::string> failing_copies;  // targets whose copy fails
  struct Command {
    std::string command, folder;
  };
  std::vector<Command> commands;
  std::function<void(const std::string&)> on_command;  // what the command does
  std::vector<std::pair<std::string, platform::Icon>> messages;
  std::vector<std::string> questions;
  bool answer_yes = true;
  bool commands_start = true;  // false: the interpreter cannot be started
  std::map<int, std::string> string_table;  // the program's entries, by number

  void Key(const std::string& key, bool other = false) { keys.insert({other, key}); }
  void Value(const std::string& key, const std::string& name, const std::string& v,
             bool other = false) {
    Key(key, other);
    values[{other, key + "|" + name}] = v;
  }
  void File(const std::string& path, const std::string& bytes = "x") { files[path] = bytes; }

  std::optional<std::string> Environment(const std::string& name) override {
    auto it = env.find(name);
    if (it == env.end()) return std::nullopt;
    return it->second;
  }
  bool KeyOpens(const std::string& key, bool other) override { return keys.count({other, key}) > 0; }
  std::optional<std::string> ReadValue(const std::string& key, const std::string& value,
                                       bool other) override {
    if (!KeyOpens(key, other)) return std::nullopt;
    auto it = values.find({other, key + "|" + value});
    if (it == values.end()) return std::nullopt;
    return it->second;
  }
  bool FileExists(const std::string& p) override { return files.count(p) || folders.count(p); }
  bool FolderExists(const std::string& p) override { return folders.count(p) > 0; }
  std::vector<std::string> ListFiles(const std::string& folder) override {
    std::vector<std::string> names;
    std::string prefix = folder + "\\";
    for (const auto& [path, bytes] : files)
      if (path.compare(0, prefix.size(), prefix) == 0 &&
          path.find('\\', prefix.size()) == std::string::npos)
        names.push_back(path.substr(prefix.size()));
    return names;
  }
  bool CopyFile(const std::string& from, const std::string& to) override {
    auto it = files.find(from);
    size_t slash = to.rfind('\\');
    if (it == files.end() || failing_copies.count(to) ||
        (slash != std::string::npos && !folders.count(to.substr(0, slash))))
      return false;
    files[to] = it->second;
    return true;
  }
  bool RemoveFile(const std::string& p) override { return files.erase(p) > 0; }
  bool MoveOver(const std::string& from, const std::string& to) override {
    auto it = files.find(from);
    if (it == files.end()) return false;
    files[to] = it->second;
    files.erase(from);
    return true;
  }
  bool MakeFolder(const std::string& p) override { return folders.insert(p).second; }
  bool RunCommand(const std::string& command, const std::string& folder) override {
    commands.push_back({command, folder});
    if (!commands_start) return false;
    if (on_command) on_command(command);
    return true;
  }
  std::optional<std::string> StringTableEntry(int entry) override {
    auto it = string_table.find(entry);
    if (it == string_table.end()) return std::nullopt;
    return it->second;
  }
  void Message(const std::string& text, platform::Icon icon) override {
    messages.push_back({text, icon});
  }
  bool AskYesNo(const std::string& text, platform::Icon, bool) override {
    questions.push_back(text);
    return answer_yes;
  }
};

}  // namespace setup
