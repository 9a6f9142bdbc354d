#include "platform/text_file.h"

#include <cerrno>
#include <cstring>

#include "platform/disk_limit.h"
#include "platform/paths.h"

namespace platform {

std::FILE* OpenBinary(const std::string& path, const char* mode) {
  std::string m(mode);
  if (m.find('b') == std::string::npos) m += 'b';
  std::FILE* f = std::fopen(NativePath(path).c_str(), m.c_str());
  if (f && m.find_first_of("wa+") != std::string::npos) NoteOpenedForWriting(f, path);
  return f;
}

bool WriteText(std::FILE* file, std::string_view text) {
  size_t start = 0;
  while (start < text.size()) {
    size_t nl = text.find('\n', start);
    size_t end = nl == std::string_view::npos ? text.size() : nl;
    if (end > start && !LimitedWrite(file, text.substr(start, end - start))) return false;
    if (nl == std::string_view::npos) break;
    if (!LimitedWrite(file, "\r\n")) return false;
    start = nl + 1;
  }
  return true;
}

bool WriteBytes(std::FILE* file, std::string_view bytes) { return LimitedWrite(file, bytes); }

bool CloseFile(std::FILE* file) {
  bool ok = std::ferror(file) == 0;
  int err = ok ? 0 : (errno != 0 ? errno : EIO);
  if (std::fflush(file) != 0 && ok) {
    ok = false;
    err = errno;
  }
  if (ok && !LimitAllowsClose(file)) {
    ok = false;
    err = errno;
  }
  NoteClosed(file);
  if (std::fclose(file) != 0 && ok) {
    ok = false;
    err = errno;
  }
  if (!ok) errno = err;
  return ok;
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

bool ReadRawLine(LineReader& reader, std::string& line) {
  line.clear();
  for (;;) {
    if (reader.at == reader.end) {
      reader.at = 0;
      reader.end = std::fread(reader.block.data(), 1, reader.block.size(), reader.file);
      if (reader.end == 0) return !line.empty();
    }
    const char* from = reader.block.data() + reader.at;
    size_t left = reader.end - reader.at;
    const char* nl = static_cast<const char*>(std::memchr(from, '\n', left));
    size_t take = nl ? static_cast<size_t>(nl - from) + 1 : left;
    line.append(from, take);
    reader.at += take;
    if (nl) return true;
  }
}

bool ReadTextLine(LineReader& reader, std::string& line) {
  if (!ReadRawLine(reader, line)) return false;
  if (line.size() >= 2 && line[line.size() - 1] == '\n' && line[line.size() - 2] == '\r')
    line.erase(line.size() - 2, 1);
  return true;
}

}  // namespace platform
