#include "platform/text_file.h"

#include <cstring>

#include "platform/paths.h"

namespace platform {

std::FILE* OpenBinary(const std::string& path, const char* mode) {
  std::string m(mode);
  if (m.find('b') == std::string::npos) m += 'b';
  return std::fopen(NativePath(path).c_str(), m.c_str());
}

bool WriteText(std::FILE* file, std::string_view text) {
  size_t start = 0;
  while (start < text.size()) {
    size_t nl = text.find('\n', start);
    size_t end = nl == std::string_view::npos ? text.size() : nl;
    if (end > start && std::fwrite(text.data() + start, 1, end - start, file) != end - start)
      return false;
    if (nl == std::string_view::npos) break;
    if (std::fwrite("\r\n", 1, 2, file) != 2) return false;
    start = nl + 1;
  }
  return true;
}

bool ReadTextLine(std::FILE* file, std::string& line) {
  line.clear();
  char buf[4096];
  for (;;) {
    // fgets does not say how many bytes it read, and a line may hold NUL
    // bytes: clear the buffer first, then the data ends after the '\n', or
    // fills the buffer, or (at end of file) ends at the last non-NUL byte.
    std::memset(buf, 0, sizeof buf);
    if (!std::fgets(buf, sizeof buf, file)) break;
    const char* nl = static_cast<const char*>(std::memchr(buf, '\n', sizeof buf - 1));
    if (nl) {
      line.append(buf, static_cast<size_t>(nl - buf) + 1);
      break;
    }
    size_t n = sizeof buf - 1;
    if (std::feof(file))
      while (n > 0 && buf[n - 1] == '\0') --n;
    line.append(buf, n);
  }
  if (line.empty()) return false;
  if (line.size() >= 2 && line[line.size() - 1] == '\n' && line[line.size() - 2] == '\r')
    line.erase(line.size() - 2, 1);
  return true;
}

}  // namespace platform
