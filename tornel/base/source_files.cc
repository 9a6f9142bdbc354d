#include "tornel/base/source_files.h"

#include <memory>

#include "platform/files.h"
#include "tornel/base/diagnostics.h"
#include "tornel/base/file_open.h"

namespace tornel {

namespace {

class DiskFiles final : public SourceFiles {
 public:
  // A directory of that name is no include file.
  bool Exists(const std::string& path) const override { return platform::IsRegularFile(path); }

  std::vector<std::string> Lines(Diagnostics& diag, const std::string& path) const override {
    struct Closer {
      void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, Closer> f(OpenFile(diag, path, "r"));
    // Read whole but bounded, so that a file without end ("/dev/zero")
    // or without line ends can't take all memory.
    std::string text;
    char block[65536];
    size_t n;
    while ((n = std::fread(block, 1, sizeof block, f.get())) > 0) {
      if (text.size() + n > kSourceFileLimit)
        FatalPlain(diag, FormatMessage(kMsgSourceTooLarge,
                                       {path, std::to_string(kSourceFileLimit)}));
      text.append(block, n);
    }
    return SplitTextLines(text);
  }
};

}  // namespace

const SourceFiles& DiskSources() {
  static const DiskFiles disk;
  return disk;
}

bool MemorySources::Exists(const std::string& path) const { return files_.count(path) != 0; }

std::vector<std::string> MemorySources::Lines(Diagnostics& diag, const std::string& path) const {
  auto it = files_.find(path);
  if (it == files_.end()) FatalPlain(diag, LangFormat(diag, kMsgFileNotFound, {path}));
  return SplitTextLines(it->second);
}

std::vector<std::string> SplitTextLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t nl = text.find('\n', start);
    size_t end = nl == std::string::npos ? text.size() : nl + 1;
    std::string line = text.substr(start, end - start);
    if (line.size() >= 2 && line[line.size() - 1] == '\n' && line[line.size() - 2] == '\r')
      line.erase(line.size() - 2, 1);
    lines.push_back(std::move(line));
    start = end;
  }
  return lines;
}

}  // namespace tornel
