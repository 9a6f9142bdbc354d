// Where the post file and its include files are read from: the disk in a
// run, texts held in memory in a test or a tool.  The compiler reads its
// sources through this seam, and so does the fatal report when it quotes a
// line, so both always see the same text.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

namespace tornel {

struct Diagnostics;

class SourceFiles {
 public:
  virtual ~SourceFiles() = default;

  // A file is there that can be read as a post or include file (on disk:
  // a regular file, not a directory).
  virtual bool Exists(const std::string& path) const = 0;

  // Every line of the file as a text-mode read gives it: its "\n" kept
  // when it has one, a "\r" right before it dropped; lines of any length.
  // A file that can't be read is reported the way the reporting open
  // reports it ("File %s not found." ...).
  virtual std::vector<std::string> Lines(Diagnostics& diag, const std::string& path) const = 0;
};

// The largest post or include file the compiler reads, in bytes.
inline constexpr size_t kSourceFileLimit = 16 * 1024 * 1024;
inline constexpr const char* kMsgSourceTooLarge =
    "File %s is too large: a post or include file may hold at most %d bytes.";

// The files on disk (stateless); a file larger than kSourceFileLimit is
// reported (kMsgSourceTooLarge).
const SourceFiles& DiskSources();

// Texts by path, exactly as a file on disk would hold them.
class MemorySources final : public SourceFiles {
 public:
  MemorySources() = default;
  MemorySources(std::initializer_list<std::pair<const std::string, std::string>> files)
      : files_(files) {}

  void Add(const std::string& path, std::string text) { files_[path] = std::move(text); }

  bool Exists(const std::string& path) const override;
  std::vector<std::string> Lines(Diagnostics& diag, const std::string& path) const override;

 private:
  std::map<std::string, std::string> files_;
};

// The lines of `text` as Lines() gives those of a file holding it.
std::vector<std::string> SplitTextLines(const std::string& text);

}  // namespace tornel
