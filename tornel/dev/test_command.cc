// tornel-dev test: runs a post writer's regression cases (test_case.h)
// through tornel and prints what differs and a summary line.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/directories.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/process.h"
#include "tornel/dev/commands.h"
#include "tornel/dev/test_case.h"
#include "tornel/dev/test_run.h"

namespace tornel::dev {

namespace {

#ifdef _WIN32
constexpr const char* kTornelFile = "tornel.exe";
#else
constexpr const char* kTornelFile = "tornel";
#endif

constexpr const char* kTestUsage =
    "usage: tornel-dev test DIR [--update] [--tornel PATH] [--work FOLDER] [--sources FOLDER]\n"
    "       tornel-dev test --case CASE [--update] [--tornel PATH] [--work FOLDER] "
    "[--sources FOLDER]\n";

// The tornel beside this program.
std::string TornelBeside() {
  std::string self = platform::OwnProgramPath();
  size_t slash = self.find_last_of("/\\");
  if (slash == std::string::npos) return kTornelFile;
  return self.substr(0, slash + 1) + kTornelFile;
}

// The system's folder for temporary files.
std::string TempFolder() {
  for (const char* name : {"TMPDIR", "TEMP", "TMP"})
    if (std::optional<std::string> v = platform::EnvironmentValue(name); v && !v->empty())
      return *v;
  return "/tmp";
}

std::string Parent(const std::string& path) {
  size_t cut = path.find_last_not_of("/\\");
  std::string trimmed = cut == std::string::npos ? path : path.substr(0, cut + 1);
  size_t slash = trimmed.find_last_of("/\\");
  return slash == std::string::npos ? "." : trimmed.substr(0, slash);
}

}  // namespace

int TestCommand(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
  std::string dir, one_case, work, sources;
  TestRunOptions options;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    bool has_value = i + 1 < args.size();
    if (a == "--update") {
      options.update = true;
    } else if ((a == "--tornel" || a == "--case" || a == "--work" || a == "--sources") &&
               has_value) {
      std::string& to = a == "--tornel" ? options.tornel
                        : a == "--case" ? one_case
                        : a == "--work" ? work
                                        : sources;
      to = args[++i];
    } else if (!a.empty() && a[0] != '-' && dir.empty()) {
      dir = a;
    } else {
      std::fputs(kTestUsage, err);
      return 2;
    }
  }
  if (dir.empty() == one_case.empty()) {
    std::fputs(kTestUsage, err);
    return 2;
  }
  if (options.tornel.empty()) options.tornel = TornelBeside();
  options.tornel = platform::AbsolutePath(options.tornel);
  if (!platform::IsRegularFile(options.tornel)) {
    std::fprintf(err, "tornel-dev: no tornel program at %s (name one with --tornel)\n",
                 options.tornel.c_str());
    return 2;
  }

  // The cases: one named with --case, else every case folder in DIR (DIR
  // itself when it is one).
  std::vector<std::string> folders;
  if (!one_case.empty()) {
    folders.push_back(one_case);
  } else if (IsCaseFolder(dir)) {
    folders.push_back(dir);
  } else {
    std::optional<std::vector<platform::FolderEntry>> entries = platform::ListFolder(dir);
    if (!entries) {
      std::fprintf(err, "tornel-dev: cannot read the folder %s\n", dir.c_str());
      return 2;
    }
    for (const platform::FolderEntry& e : *entries)
      if (e.folder && IsCaseFolder(dir + "/" + e.name)) folders.push_back(dir + "/" + e.name);
    std::sort(folders.begin(), folders.end());
    if (folders.empty()) {
      std::fprintf(err, "tornel-dev: no cases in %s (a case is a folder with an \"args\" file)\n",
                   dir.c_str());
      return 2;
    }
  }
  if (sources.empty()) sources = one_case.empty() ? dir : Parent(one_case);
  options.sources = sources;

  int passed = 0, failed = 0, updated = 0;
  for (const std::string& folder : folders) {
    std::string error;
    std::optional<TestCase> c = ReadTestCase(folder, &error);
    if (!c) {
      std::fprintf(out, "FAIL %s\n%s\n", folder.c_str(), error.c_str());
      ++failed;
      continue;
    }
    // With --case the work folder is the one named; else one per case.
    std::string case_work = !one_case.empty() && !work.empty()
                                ? work
                                : (work.empty() ? TempFolder() + "/tornel-dev-test" : work) +
                                      "/" + c->name;
    TestOutcome o = RunTestCase(*c, case_work, options);
    if (o.passed) {
      std::fprintf(out, "ok   %s\n", c->name.c_str());
      ++passed;
      continue;
    }
    const char* verdict = o.updated && o.fixed ? "UPDATED" : "FAIL";
    std::fprintf(out, "%s %s\n%s", verdict, c->name.c_str(), o.report.c_str());
    if (o.updated && o.fixed) {
      ++updated;
    } else {
      std::fprintf(out, "(work folder kept: %s)\n", case_work.c_str());
      ++failed;
    }
  }
  std::fprintf(out, "tests: %d passed, %d failed", passed, failed);
  if (options.update) std::fprintf(out, ", %d updated", updated);
  std::fputs("\n", out);
  return failed == 0 ? 0 : 1;
}

}  // namespace tornel::dev
