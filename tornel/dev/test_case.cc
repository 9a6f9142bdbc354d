#include "tornel/dev/test_case.h"

#include <algorithm>
#include <cstdio>

#include "platform/directories.h"
#include "platform/files.h"
#include "platform/text_file.h"

namespace tornel::dev {

std::vector<std::string> CaseFileLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.empty()) lines.emplace_back(line);
    start = end + 1;
  }
  return lines;
}

bool IsCaseFileName(std::string_view name) {
  return name == "args" || name == "status" || name == "report" || name == "absent" ||
         name == "expected" || name == "sources";
}

bool IsCaseFolder(const std::string& folder) {
  return platform::IsRegularFile(folder + "/args");
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  std::FILE* f = platform::OpenBinary(path, "r");
  if (!f) return std::nullopt;
  std::string bytes;
  char buffer[8192];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
  bool failed = std::ferror(f) != 0;
  std::fclose(f);
  if (failed) return std::nullopt;
  return bytes;
}

namespace {

bool CollectFiles(const std::string& folder, const std::string& prefix,
                  std::vector<std::string>& files) {
  std::optional<std::vector<platform::FolderEntry>> entries = platform::ListFolder(folder);
  if (!entries) return false;
  for (const platform::FolderEntry& e : *entries) {
    if (e.folder) {
      if (!CollectFiles(folder + "/" + e.name, prefix + e.name + "/", files)) return false;
    } else {
      files.push_back(prefix + e.name);
    }
  }
  return true;
}

// An optional file of the case: false with `error` set when it is there
// and cannot be read.
bool ReadOptional(const std::string& path, std::string& text, bool& there, std::string* error) {
  there = platform::FileExists(path);
  if (!there) return true;
  std::optional<std::string> bytes = ReadWholeFile(path);
  if (!bytes) {
    *error = "cannot read " + path;
    return false;
  }
  text = *bytes;
  return true;
}

}  // namespace

std::optional<std::vector<std::string>> FilesUnder(const std::string& folder) {
  std::vector<std::string> files;
  if (!CollectFiles(folder, "", files)) return std::nullopt;
  std::sort(files.begin(), files.end());
  return files;
}

std::optional<TestCase> ReadTestCase(const std::string& folder, std::string* error) {
  TestCase c;
  c.folder = folder;
  size_t cut = folder.find_last_not_of("/\\");
  std::string trimmed = cut == std::string::npos ? folder : folder.substr(0, cut + 1);
  size_t slash = trimmed.find_last_of("/\\");
  c.name = slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);

  std::string text;
  bool there = false;
  if (!ReadOptional(folder + "/args", text, there, error)) return std::nullopt;
  if (!there) {
    *error = "no args file in " + folder;
    return std::nullopt;
  }
  c.args = CaseFileLines(text);

  text.clear();
  if (!ReadOptional(folder + "/status", text, c.has_status, error)) return std::nullopt;
  if (c.has_status) {
    std::vector<std::string> lines = CaseFileLines(text);
    c.status = lines.empty() ? "" : lines[0];
  }
  if (!ReadOptional(folder + "/report", c.report, c.has_report, error)) return std::nullopt;
  text.clear();
  if (!ReadOptional(folder + "/absent", text, there, error)) return std::nullopt;
  c.absent = CaseFileLines(text);
  text.clear();
  if (!ReadOptional(folder + "/sources", text, there, error)) return std::nullopt;
  c.sources = CaseFileLines(text);

  if (platform::FileExists(folder + "/expected")) {
    std::optional<std::vector<std::string>> files = FilesUnder(folder + "/expected");
    if (!files) {
      *error = "cannot read " + folder + "/expected";
      return std::nullopt;
    }
    c.expected = *files;
  }
  std::optional<std::vector<platform::FolderEntry>> entries = platform::ListFolder(folder);
  if (!entries) {
    *error = "cannot read " + folder;
    return std::nullopt;
  }
  for (const platform::FolderEntry& e : *entries)
    if (!IsCaseFileName(e.name)) c.inputs.push_back(e.name);
  std::sort(c.inputs.begin(), c.inputs.end());
  return c;
}

}  // namespace tornel::dev
