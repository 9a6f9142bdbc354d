#include "tornel/dev/test_run.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/directories.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/text_file.h"
#include "tornel/dev/unified_diff.h"

namespace tornel::dev {

bool IsNcWorkFileName(std::string_view name) {
  size_t mark = name.find(".tornel-");
  return mark != std::string_view::npos && name.size() >= mark + 8 + 4 &&
         name.substr(name.size() - 4) == ".tmp";
}

bool RemoveTree(const std::string& path) {
  if (!platform::FileExists(path)) return true;
  std::optional<std::vector<platform::FolderEntry>> entries = platform::ListFolder(path);
  if (!entries) return platform::RemoveFile(path);
  for (const platform::FolderEntry& e : *entries) {
    std::string inner = path + "/" + e.name;
    if (e.folder ? !RemoveTree(inner) : !platform::RemoveFile(inner)) return false;
  }
  return platform::RemoveFolder(path);
}

bool ReplaceWholeFile(const std::string& path, const std::string& bytes) {
  std::string beside;
  std::FILE* f = nullptr;
  for (int n = 0; n < 1000 && !f; ++n) {
    beside = path + ".tornel-dev-" + std::to_string(n) + ".tmp";
    f = platform::CreateNewFile(beside);
    if (!f && errno != EEXIST) return false;
  }
  if (!f) return false;
  bool written = platform::WriteBytes(f, bytes);
  if (!platform::CloseFile(f) || !written || !platform::ReplaceFileWith(beside, path)) {
    platform::RemoveFile(beside);
    return false;
  }
  return true;
}

namespace {

// Makes `path` and the folders above it that are missing.
bool MakeFolders(const std::string& path) {
  if (path.empty() || platform::FileExists(path)) return true;
  size_t slash = path.find_last_of("/\\");
  if (slash != std::string::npos && slash > 0 && !MakeFolders(path.substr(0, slash)))
    return false;
  return platform::MakeFolder(path) || platform::FileExists(path);
}

// Copies a file, or a folder with everything in it, to `to`.
bool CopyTree(const std::string& from, const std::string& to, std::string& failure) {
  if (platform::IsRegularFile(from)) {
    if (platform::CopyFileTo(from, to)) return true;
    failure = "cannot copy " + from + " to " + to + ": " + std::strerror(errno) + "\n";
    return false;
  }
  std::optional<std::vector<platform::FolderEntry>> entries = platform::ListFolder(from);
  if (!entries) {
    failure = "cannot read " + from + "\n";
    return false;
  }
  if (!platform::MakeFolder(to)) {
    failure = "cannot make the folder " + to + ": " + std::strerror(errno) + "\n";
    return false;
  }
  for (const platform::FolderEntry& e : *entries)
    if (!CopyTree(from + "/" + e.name, to + "/" + e.name, failure)) return false;
  return true;
}

std::string BaseName(const std::string& path) {
  size_t cut = path.find_last_not_of("/\\");
  std::string trimmed = cut == std::string::npos ? path : path.substr(0, cut + 1);
  size_t slash = trimmed.find_last_of("/\\");
  return slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
}

// The fresh work folder with the case's inputs and sources; false with
// `failure` set when it cannot be made.
bool PrepareWork(const TestCase& c, const std::string& work, const TestRunOptions& options,
                 std::string& failure) {
  if (!RemoveTree(work)) {
    failure = "cannot remove the old work folder " + work + "\n";
    return false;
  }
  if (!MakeFolders(work)) {
    failure = "cannot make the work folder " + work + ": " + std::strerror(errno) + "\n";
    return false;
  }
  for (const std::string& input : c.inputs)
    if (!CopyTree(c.folder + "/" + input, work + "/" + input, failure)) return false;
  for (const std::string& source : c.sources) {
    std::string from = options.sources + "/" + source;
    if (!platform::FileExists(from)) {
      failure = "source " + source + " is not in " + options.sources + "\n";
      return false;
    }
    if (!CopyTree(from, work + "/" + BaseName(source), failure)) return false;
  }
  return true;
}

std::string WithoutCarriageReturns(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i)
    if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) out += text[i];
  return out;
}

// What a run left that the case's expected files do not say: every check
// of the case, in the order the case file names them.
struct Checked {
  std::string failures;
  bool status_differs = false, report_differs = false;
  std::vector<std::string> differing;  // expected files with other bytes
  bool unfixable = false;              // a failure an update cannot take away
};

Checked Check(const TestCase& c, const std::string& work, const platform::CapturedRun& run,
              const std::string& standard_error) {
  Checked k;
  if (std::to_string(run.status) != c.status) {
    k.status_differs = true;
    k.failures += "exit status " + std::to_string(run.status) + ", expected " + c.status + "\n";
  }
  if (standard_error != c.report) {
    k.report_differs = true;
    k.failures += "standard error differs from report:\n";
    k.failures += UnifiedDiff(SplitLines(c.report), SplitLines(standard_error), "report",
                              "standard error");
  }
  for (const std::string& f : c.expected) {
    std::string expected_path = c.folder + "/expected/" + f;
    std::optional<std::string> want = ReadWholeFile(expected_path);
    std::optional<std::string> got =
        platform::IsRegularFile(work + "/" + f) ? ReadWholeFile(work + "/" + f) : std::nullopt;
    if (!want) {
      k.failures += "cannot read expected/" + f + "\n";
      k.unfixable = true;
    } else if (!got) {
      k.failures += "missing output " + f + "\n";
      k.unfixable = true;
    } else if (*want != *got) {
      k.differing.push_back(f);
      k.failures += "output " + f + " differs from expected/" + f + ":\n";
      std::string diff = UnifiedDiff(SplitLines(*want), SplitLines(*got), "expected/" + f, f);
      if (WithoutCarriageReturns(*want) == WithoutCarriageReturns(*got))
        k.failures += "(the two differ only in their line ends)\n";
      k.failures += diff;
    }
  }
  std::vector<std::string> absent(std::begin(kNeverLeftBehind), std::end(kNeverLeftBehind));
  absent.insert(absent.end(), c.absent.begin(), c.absent.end());
  for (const std::string& f : absent) {
    if (platform::FileExists(work + "/" + f)) {
      k.failures += f + " should not exist\n";
      k.unfixable = true;
    }
  }
  for (const std::string& f : FilesUnder(work).value_or(std::vector<std::string>{})) {
    if (IsNcWorkFileName(BaseName(f))) {
      k.failures += "work file " + f + " should not exist\n";
      k.unfixable = true;
    }
  }
  return k;
}

// The files a case without expected files keeps: whatever the run made
// that was not copied in.
std::vector<std::string> MadeByTheRun(const TestCase& c, const std::string& work) {
  std::vector<std::string> made;
  for (const std::string& f : FilesUnder(work).value_or(std::vector<std::string>{})) {
    std::string top = f.substr(0, f.find('/'));
    bool copied = std::find(c.inputs.begin(), c.inputs.end(), top) != c.inputs.end();
    for (const std::string& s : c.sources) copied = copied || BaseName(s) == top;
    if (!copied && !IsNcWorkFileName(BaseName(f))) made.push_back(f);
  }
  return made;
}

// Takes the new output as the expected one; what it wrote goes to `report`.
bool Update(const TestCase& c, const std::string& work, const platform::CapturedRun& run,
            const std::string& standard_error, const Checked& k, std::string& report) {
  bool ok = true;
  auto replace = [&](const std::string& path, const std::string& bytes, const std::string& what) {
    size_t slash = path.find_last_of('/');
    if (!MakeFolders(path.substr(0, slash)) || !ReplaceWholeFile(path, bytes)) {
      report += "cannot write " + path + ": " + std::strerror(errno) + "\n";
      ok = false;
    } else {
      report += "updated " + what + "\n";
    }
  };
  if (k.status_differs) replace(c.folder + "/status", std::to_string(run.status) + "\n", "status");
  if (k.report_differs) replace(c.folder + "/report", standard_error, "report");
  std::vector<std::string> files = k.differing;
  if (c.expected.empty()) files = MadeByTheRun(c, work);
  for (const std::string& f : files) {
    std::optional<std::string> bytes = ReadWholeFile(work + "/" + f);
    if (!bytes) {
      report += "cannot read " + work + "/" + f + "\n";
      ok = false;
      continue;
    }
    replace(c.folder + "/expected/" + f, *bytes, "expected/" + f);
  }
  return ok;
}

}  // namespace

TestOutcome RunTestCase(const TestCase& c, const std::string& work,
                        const TestRunOptions& options) {
  TestOutcome outcome;
  if (!PrepareWork(c, work, options, outcome.report)) return outcome;
  std::vector<std::string> words{options.tornel};
  words.insert(words.end(), c.args.begin(), c.args.end());
  platform::CapturedRun run;
  if (!platform::RunCapturingErrors(words, work, &run)) {
    outcome.report = "cannot run " + options.tornel + ": " + std::strerror(errno) + "\n";
    return outcome;
  }
  std::string standard_error = WithoutCarriageReturns(run.standard_error);
  Checked k = Check(c, work, run, standard_error);
  // A case without expected files yet takes what the run made.
  bool first_output = options.update && c.expected.empty() && !MadeByTheRun(c, work).empty();
  outcome.passed = k.failures.empty() && !first_output;
  outcome.report = k.failures;
  if (options.update && !outcome.passed) {
    outcome.updated = true;
    outcome.fixed = Update(c, work, run, standard_error, k, outcome.report) && !k.unfixable;
  }
  if ((outcome.passed || outcome.fixed) && !RemoveTree(work))
    outcome.report += "cannot remove the work folder " + work + "\n";
  return outcome;
}

}  // namespace tornel::dev
