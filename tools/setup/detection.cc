#include "tools/setup/detection.h"

#include "tools/setup/texts.h"

namespace setup {

std::string WithoutTrailingBackslash(std::string path) {
  if (!path.empty() && path.back() == '\\') path.pop_back();
  return path;
}

std::string ParentFolder(const std::string& path) {
  size_t at = path.rfind('\\');
  return at == std::string::npos ? std::string() : path.substr(0, at);
}

std::string PublicFolder(Host& host) {
  std::optional<std::string> v = host.Environment("Public");
  if (!v) v = host.Environment("AllUsersProfile");
  return WithoutTrailingBackslash(v.value_or(""));
}

namespace {

VersionFolders Detect(const VersionEntry& e, bool before_modern, const std::string& public_folder,
                      Host& host) {
  VersionFolders f;
  // Keys an installer of the other width wrote are in the other view.
  bool other = !host.KeyOpens(e.key, false);
  if (other && !host.KeyOpens(e.key, true)) return f;
  std::optional<std::string> program = host.ReadValue(e.key, e.program_value, other);
  if (program) {
    f.found = true;
    f.program = *program;
    if (!e.sub_folder.empty()) f.program += "\\" + e.sub_folder;
  }
  std::optional<std::string> data = host.ReadValue(e.key, e.data_value, other);
  f.data = before_modern ? f.program : data.value_or("");
  if (f.data.empty()) f.data = public_folder;
  if (!e.sub_folder.empty()) {
    if (!(before_modern && program)) f.data += "\\SURFCAM\\" + e.sub_folder;
  } else if (!data) {
    f.data += "\\SURFCAM";
  }
  return f;
}

}  // namespace

Detection DetectVersions(const VersionList& list, Host& host) {
  Detection d;
  std::string public_folder = PublicFolder(host);
  for (size_t k = 0; k < list.entries.size(); ++k) {
    d.folders.push_back(Detect(list.entries[k], k < list.modern, public_folder, host));
    if (!d.folders.back().found) continue;
    if (k >= list.modern) d.listed.push_back(k);
    d.detected = k;
  }
  if (d.detected) {
    d.version = list.entries[*d.detected].name;
    d.program = d.folders[*d.detected].program;
    d.data = d.folders[*d.detected].data;
  } else {
    d.version = Text(host, kNotFound);
  }
  return d;
}

}  // namespace setup
