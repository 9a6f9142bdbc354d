#include "platform/paths.h"

#include <cctype>
#include <vector>

namespace platform {

bool HasDriveLetter(std::string_view path) {
  return path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
}

bool IsAbsolutePath(std::string_view path) {
  return (!path.empty() && IsSeparator(path[0])) || HasDriveLetter(path);
}

PathParts SplitPath(std::string_view path) {
  PathParts parts;
  if (HasDriveLetter(path)) {
    parts.drive = std::string(path.substr(0, 2));
    path.remove_prefix(2);
  }
  size_t last_sep = std::string_view::npos;
  for (size_t i = 0; i < path.size(); ++i)
    if (IsSeparator(path[i])) last_sep = i;
  if (last_sep != std::string_view::npos) {
    parts.dir = std::string(path.substr(0, last_sep + 1));
    path.remove_prefix(last_sep + 1);
  }
  size_t dot = path.rfind('.');
  if (dot == std::string_view::npos) {
    parts.name = std::string(path);
  } else {
    parts.name = std::string(path.substr(0, dot));
    parts.ext = std::string(path.substr(dot));
  }
  return parts;
}

std::string WithTrailingSeparator(std::string dir) {
  if (!dir.empty() && !IsSeparator(dir.back())) dir += kNativeSeparator;
  return dir;
}

std::string NativePath(std::string_view path) {
  std::string out(path);
  for (char& c : out)
    if (IsSeparator(c)) c = kNativeSeparator;
  return out;
}

bool SamePathText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (IsSeparator(x) && IsSeparator(y)) continue;
    if (std::tolower(static_cast<unsigned char>(x)) != std::tolower(static_cast<unsigned char>(y)))
      return false;
  }
  return true;
}

std::string ResolvedPathText(std::string_view full) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  while (start < full.size() && IsSeparator(full[start])) ++start;
  std::string out(start, '/');  // a leading separator, or the two of "\\server"
  for (size_t i = start; i <= full.size(); ++i) {
    if (i < full.size() && !IsSeparator(full[i])) continue;
    std::string_view part = full.substr(start, i - start);
    start = i + 1;
    if (part.empty() || part == ".") continue;
    if (part == ".." && !parts.empty() && parts.back() != "..") {
      parts.pop_back();
      continue;
    }
    parts.push_back(part);
  }
  for (size_t k = 0; k < parts.size(); ++k) {
    if (k) out += '/';
    out += parts[k];
  }
  return out;
}

}  // namespace platform
