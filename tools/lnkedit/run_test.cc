#include "tools/lnkedit/run.h"

#include <map>

#include <gtest/gtest.h>

#include "platform/shell_link.h"
#include "tests/test_dir.h"
#include "tools/lnkedit/disk_host.h"

namespace lnkedit {
namespace {

// Shortcuts in memory; paths are made full against "C:\work".
class FakeHost : public LinkHost {
 public:
  void Show(const std::string& text) override { shown.push_back(text); }
  bool FullPath(const std::string& path, std::string* full, long* error) override {
    if (path.find('?') != std::string::npos) {
      *error = 123;  // ERROR_INVALID_NAME
      return false;
    }
    *full = path.size() > 1 && path[1] == ':' ? path : "C:\\work\\" + path;
    return true;
  }
  bool Exists(const std::string& path) override {
    return links.count(path) > 0 || unreadable.count(path) > 0;
  }
  StoreResult Start(Message* message) override {
    *message = Message::kCoInitializeFailed;
    return {start_code, ""};
  }
  StoreResult Load(const std::string& link, LinkRecord* record) override {
    if (unreadable.count(link)) return {kBadFormat, "not a shortcut file"};
    auto it = links.find(link);
    if (it == links.end()) return {2, ""};
    *record = it->second;
    return {};
  }
  StoreResult Resolve(LinkRecord* record, bool keep_target) override {
    ++resolved;
    if (resolve_to.empty()) return {2, ""};
    if (!keep_target) record->target = resolve_to;
    return {};
  }
  StoreResult Save(const std::string& link, const LinkRecord& record) override {
    if (save_code != 0) return {save_code, ""};
    links[link] = record;
    ++saves;
    return {};
  }

  std::vector<std::string> shown;
  std::map<std::string, LinkRecord> links;
  std::map<std::string, bool> unreadable;
  long start_code = 0;
  long save_code = 0;
  std::string resolve_to;
  int resolved = 0;
  int saves = 0;
};

int Lnkedit(FakeHost& host, std::vector<std::string> args) {
  args.insert(args.begin(), "lnkedit");
  return RunLnkedit(args, host);
}

std::string Usage(const char* message) {
  return std::string("ERROR: ") + message + "\n" + Text(Message::kUsage);
}

LinkRecord Existing() {
  LinkRecord r;
  r.target = "C:\\old\\tool.exe";
  r.arguments = "-old";
  r.description = "Old tool";
  r.working_dir = "C:\\old";
  r.hotkey = 0x641;
  r.icon_file = "C:\\old\\tool.ico";
  r.icon_index = 2;
  r.show_command = kShowMaximized;
  return r;
}

TEST(LnkeditRun, UsageAndCommands) {
  FakeHost host;
  EXPECT_EQ(Lnkedit(host, {}), 0);
  EXPECT_EQ(host.shown.back(), Text(Message::kUsage));
  EXPECT_EQ(Lnkedit(host, {"/?", "x.lnk"}), 0);
  EXPECT_EQ(host.shown.back(), Text(Message::kUsage));
  EXPECT_EQ(Lnkedit(host, {"help"}), 1);  // a command without its link name
  EXPECT_EQ(host.shown.back(), Usage("missing link name"));
  EXPECT_EQ(Lnkedit(host, {"new"}), 1);
  EXPECT_EQ(host.shown.back(), Usage("missing link name"));
  EXPECT_EQ(Lnkedit(host, {"NEW", "x.lnk"}), 1);  // commands are lower case
  EXPECT_EQ(host.shown.back(), Usage("Unknown command"));
  EXPECT_EQ(host.saves, 0);
  EXPECT_EQ(Text(Message::kUsage),
            std::string("Usage:\n   lnkedit dump|new|replace|change file.lnk [options...]\n"
                        "Options:\n"
                        "   -t filepath     full (path and name) filename of target object\n"
                        "   -a arguments    command line\n"
                        "   -e description  \n"
                        "   -k hotkey       integer 16-bit value\n"
                        "   -i iconfile     \n"
                        "   -x icon_ndx     integer index of icon in iconfile\n"
                        "   -d workdir      \n"
                        "   -w showcmd      integer value (Norm=1, Min=7, Max=3)\n"
                        "   -r              Resolve broken shortcut\n"));
}

TEST(LnkeditRun, DumpShowsEveryField) {
  FakeHost host;
  host.links["C:\\work\\a.lnk"] = Existing();
  for (const char* word : {"dump", "list", "l"}) {
    EXPECT_EQ(Lnkedit(host, {word, "a.lnk", "-t"}), 0);  // options are not looked at
    EXPECT_EQ(host.shown.back(),
              "target file  : \"C:\\old\\tool.exe\"\n"
              "description  : \"Old tool\"\n"
              "command line : \"-old\"\n"
              "directory    : \"C:\\old\"\n"
              "hotkey       : 1601 (hex 641)\n"
              "icon         : \"C:\\old\\tool.ico\",2\n"
              "showcmd      : 3\n");
  }
  EXPECT_EQ(Lnkedit(host, {"dump", "missing.lnk"}), 2);
  EXPECT_EQ(host.shown.back(), "Loading link file failed, error = 2");
  host.unreadable["C:\\work\\bad.lnk"] = true;
  EXPECT_EQ(Lnkedit(host, {"dump", "bad.lnk"}), static_cast<int>(kBadFormat));
  EXPECT_EQ(host.shown.back(), "Loading link file failed: not a shortcut file, error = 8007000b");
}

TEST(LnkeditRun, CreateMakesTheShortcutFromTheOptions) {
  FakeHost host;
  EXPECT_EQ(Lnkedit(host, {"new", "a.lnk", "-t", "bin\\tool.exe", "-a", "-p iso", "-e", "Tool",
                       "-k", "0x0654", "-i", "tool.ico", "-x", "-3", "-d", "D:\\cam", "-w",
                       "7", "stray", "words"}),
            0);
  EXPECT_TRUE(host.shown.empty());
  const LinkRecord& r = host.links.at("C:\\work\\a.lnk");
  EXPECT_EQ(r.target, "C:\\work\\bin\\tool.exe");
  EXPECT_EQ(r.arguments, "-p iso");
  EXPECT_EQ(r.description, "Tool");
  EXPECT_EQ(r.hotkey, 0x654);
  EXPECT_EQ(r.icon_file, "C:\\work\\tool.ico");
  EXPECT_EQ(r.icon_index, -3);
  EXPECT_EQ(r.working_dir, "D:\\cam");
  EXPECT_EQ(r.show_command, kShowMinimized);
  // Later options win.
  EXPECT_EQ(Lnkedit(host, {"f", "a.lnk", "-t", "x", "-t", "y", "-k", "1601"}), 0);
  EXPECT_EQ(host.links.at("C:\\work\\a.lnk").target, "C:\\work\\y");
  EXPECT_EQ(host.links.at("C:\\work\\a.lnk").hotkey, 1601);
  EXPECT_EQ(host.links.at("C:\\work\\a.lnk").description, "");  // replace starts empty
}

TEST(LnkeditRun, CreateLeavesAnExistingLinkAlone) {
  FakeHost host;
  host.links["C:\\work\\a.lnk"] = Existing();
  for (const char* word : {"create", "new", "n"}) {
    EXPECT_EQ(Lnkedit(host, {word, "a.lnk", "-t", "other.exe"}), 0);
    EXPECT_EQ(host.shown.back(), "Cannot overwrite existing link file");
  }
  EXPECT_EQ(host.saves, 0);
  EXPECT_EQ(host.links.at("C:\\work\\a.lnk").target, "C:\\old\\tool.exe");
  // replace overwrites it.
  EXPECT_EQ(Lnkedit(host, {"replace", "a.lnk", "-t", "other.exe"}), 0);
  EXPECT_EQ(host.links.at("C:\\work\\a.lnk").target, "C:\\work\\other.exe");
}

TEST(LnkeditRun, ChangeKeepsWhatIsNotGiven) {
  FakeHost host;
  host.links["C:\\work\\a.lnk"] = Existing();
  EXPECT_EQ(Lnkedit(host, {"c", "a.lnk", "-a", "-new", "-w", "1"}), 0);
  LinkRecord want = Existing();
  want.arguments = "-new";
  want.show_command = kShowNormal;
  const LinkRecord& r = host.links.at("C:\\work\\a.lnk");
  EXPECT_EQ(r.target, want.target);
  EXPECT_EQ(r.arguments, want.arguments);
  EXPECT_EQ(r.description, want.description);
  EXPECT_EQ(r.hotkey, want.hotkey);
  EXPECT_EQ(r.icon_index, want.icon_index);
  EXPECT_EQ(r.show_command, want.show_command);
  // An empty value empties a field.
  EXPECT_EQ(Lnkedit(host, {"change", "a.lnk", "-d", "", "-e", ""}), 0);
  EXPECT_EQ(host.links.at("C:\\work\\a.lnk").working_dir, "");
  EXPECT_EQ(host.links.at("C:\\work\\a.lnk").description, "");
}

TEST(LnkeditRun, ChangeOfAMissingLinkCreatesIt) {
  FakeHost host;
  EXPECT_EQ(Lnkedit(host, {"change", "new.lnk", "-t", "C:\\x.exe", "-e", "New"}), 0);
  EXPECT_EQ(host.links.at("C:\\work\\new.lnk").target, "C:\\x.exe");
  EXPECT_EQ(host.links.at("C:\\work\\new.lnk").description, "New");
  // Without a target there is nothing to point to.
  EXPECT_EQ(Lnkedit(host, {"change", "none.lnk", "-e", "New"}), 1);
  EXPECT_EQ(host.shown.back(), "Target filename required, but is empty now");
  EXPECT_EQ(host.links.count("C:\\work\\none.lnk"), 0u);
}

TEST(LnkeditRun, ChangeNeverOverwritesAFileItCannotRead) {
  FakeHost host;
  host.unreadable["C:\\work\\notes.lnk"] = true;
  EXPECT_EQ(Lnkedit(host, {"change", "notes.lnk", "-t", "C:\\x.exe"}), static_cast<int>(kBadFormat));
  EXPECT_EQ(host.shown.back(), "Loading link file failed: not a shortcut file, error = 8007000b");
  EXPECT_EQ(host.saves, 0);
}

TEST(LnkeditRun, OptionValuesMissingOrWrong) {
  const struct {
    std::vector<std::string> options;
    const char* message;
  } cases[] = {
      {{"-t"}, "missing target name"},   {{"-a"}, "missing arguments"},
      {{"-e"}, "missing description"},   {{"-k"}, "missing hotkey"},
      {{"-i"}, "missing icon file"},     {{"-x"}, "missing icon index"},
      {{"-d"}, "missing directory"},     {{"-w"}, "missing showcmd"},
      {{"-k", "0"}, "invalid hotkey"},   {{"-k", "65536"}, "invalid hotkey"},
      {{"-k", "F5"}, "invalid hotkey"},  {{"-k", "-1"}, "invalid hotkey"},
      {{"-x", "one"}, "invalid icon index"}, {{"-w", "7x"}, "invalid showcmd"},
      {{"-a", std::string(260, 'a')}, "arguments longer than 259 characters"},
      {{"-e", std::string(260, 'e')}, "description longer than 259 characters"},
      // "C:\work\" and 252 characters make 260.
      {{"-t", std::string(252, 't')}, "target name longer than 259 characters"},
      {{"-i", std::string(252, 'i')}, "icon file name longer than 259 characters"},
      {{"-d", std::string(252, 'd')}, "directory name longer than 259 characters"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    FakeHost host;
    std::vector<std::string> args = {"new", "a.lnk", "-t", "x.exe"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    EXPECT_EQ(Lnkedit(host, args), 1);
    ASSERT_EQ(host.shown.size(), 1u);
    EXPECT_EQ(host.shown[0], Usage(c.message));
    EXPECT_EQ(host.saves, 0);
  }
  // At the limit a value is taken whole.
  FakeHost host;
  EXPECT_EQ(Lnkedit(host, {"new", "a.lnk", "-t", std::string(251, 't'), "-a", std::string(259, 'a')}),
            0);
  EXPECT_EQ(host.links.at("C:\\work\\a.lnk").arguments.size(), 259u);
  EXPECT_EQ(host.links.at("C:\\work\\a.lnk").target.size(), 259u);
  EXPECT_EQ(Lnkedit(host, {"new", std::string(252, 'l'), "-t", "x"}), 1);
  EXPECT_EQ(host.shown.back(), Usage("link name longer than 259 characters"));
}

TEST(LnkeditRun, FailuresShowTheirCodes) {
  FakeHost host;
  EXPECT_EQ(Lnkedit(host, {"new", "a.lnk", "-t", "bad?name"}), 123);
  EXPECT_EQ(host.shown.back(), "cannot get full path name of target, error = 123");
  EXPECT_EQ(Lnkedit(host, {"new", "a.lnk", "-t", "x", "-i", "?"}), 123);
  EXPECT_EQ(host.shown.back(), "cannot get full path name of iconfile, error = 123");
  EXPECT_EQ(Lnkedit(host, {"new", "a.lnk", "-t", "x", "-d", "?"}), 123);
  EXPECT_EQ(host.shown.back(), "cannot get full path name of directory, error = 123");
  EXPECT_EQ(Lnkedit(host, {"new", "?.lnk", "-t", "x"}), 123);
  EXPECT_EQ(host.shown.back(), "cannot get full path name of shell link, error = 123");

  const long access_denied = static_cast<long>(static_cast<int>(0x80070005));
  host.save_code = access_denied;
  EXPECT_EQ(Lnkedit(host, {"new", "a.lnk", "-t", "x"}), static_cast<int>(access_denied));
  EXPECT_EQ(host.shown.back(), "Cannot save link file, error = 80070005");

  FakeHost no_com;
  no_com.start_code = static_cast<long>(static_cast<int>(0x800401F0));
  EXPECT_EQ(Lnkedit(no_com, {"dump", "a.lnk"}), static_cast<int>(0x800401F0));
  EXPECT_EQ(no_com.shown.back(), "CoInitialize failed, error = 800401f0");

  EXPECT_EQ(ErrorCodeText("Resolving failed", 0), "Resolving failed");
}

TEST(LnkeditRun, ResolveBeforeSaving) {
  FakeHost host;
  host.links["C:\\work\\a.lnk"] = Existing();
  EXPECT_EQ(Lnkedit(host, {"change", "a.lnk", "-r"}), 2);
  EXPECT_EQ(host.shown.back(), "Resolving failed, error = 2");
  EXPECT_EQ(host.saves, 0);
  // The found target is kept, unless -t gave one.
  host.resolve_to = "C:\\moved\\tool.exe";
  EXPECT_EQ(Lnkedit(host, {"change", "a.lnk", "-r"}), 0);
  EXPECT_EQ(host.links.at("C:\\work\\a.lnk").target, "C:\\moved\\tool.exe");
  EXPECT_EQ(Lnkedit(host, {"change", "a.lnk", "-r", "-t", "C:\\given.exe"}), 0);
  EXPECT_EQ(host.links.at("C:\\work\\a.lnk").target, "C:\\given.exe");
  EXPECT_EQ(host.resolved, 3);
}

// The host that reads and writes shortcut files itself, on a real folder.
class LnkeditDiskHost : public tornel_test::InTempDir {};

TEST_F(LnkeditDiskHost, WritesBesideAndReadsBack) {
  DiskHost host;
  EXPECT_EQ(RunLnkedit({"lnkedit", "new", "a.lnk", "-t", "C:\\x.exe", "-e", "X"}, host), 0);
  WriteFile("keep.txt", "not a shortcut");
  DiskHost change;
  EXPECT_EQ(RunLnkedit({"lnkedit", "c", "a.lnk", "-a", "-y"}, change), 0);
  LnkFile file;
  ASSERT_TRUE(ReadLnkFile("a.lnk", &file).ok());
  EXPECT_EQ(file.record.target, "C:\\x.exe");
  EXPECT_EQ(file.record.description, "X");
  EXPECT_EQ(file.record.arguments, "-y");
  // Nothing is left beside it.
  EXPECT_FALSE(Exists("a.lnk.lnkedit-1.tmp"));
  // A file that is no shortcut is reported and kept.
  DiskHost bad;
  EXPECT_NE(RunLnkedit({"lnkedit", "change", "keep.txt", "-t", "C:\\x.exe"}, bad), 0);
  EXPECT_EQ(ReadFile("keep.txt"), "not a shortcut");
  EXPECT_EQ(ReadLnkFile("keep.txt", &file).why, "not a shortcut file");
  WriteFile("empty.lnk", "");
  EXPECT_EQ(ReadLnkFile("empty.lnk", &file).why, "the file is empty");
  EXPECT_EQ(ReadLnkFile("nothing.lnk", &file).code, 2);  // ENOENT
}

TEST_F(LnkeditDiskHost, ResolveChecksTheTarget) {
  WriteFile("tool.exe", "MZ");
  DiskHost host;
  EXPECT_EQ(RunLnkedit({"lnkedit", "new", "a.lnk", "-t", "tool.exe", "-r"}, host), 0);
  DiskHost missing;
  EXPECT_EQ(RunLnkedit({"lnkedit", "new", "b.lnk", "-t", "gone.exe", "-r"}, missing), 2);
  EXPECT_FALSE(Exists("b.lnk"));
}

TEST_F(LnkeditDiskHost, NoFullPathInARemovedFolder) {
  // Windows makes full paths from the text alone; elsewhere the current
  // directory must still be there.
  if (platform::ShellLinkObject::Available()) GTEST_SKIP() << "full paths need no folder here";
  std::filesystem::create_directory("gone");
  std::filesystem::current_path("gone");
  std::filesystem::remove(dir_ / "gone");
  DiskHost host;
  EXPECT_EQ(RunLnkedit({"lnkedit", "new", "a.lnk", "-t", "C:\\x.exe"}, host), 2);  // ENOENT
  std::filesystem::current_path(dir_);
  EXPECT_FALSE(Exists("gone"));
}

}  // namespace
}  // namespace lnkedit
