// Lines in and out of the generator's passes.  A line carries its "\n"
// when it has one (the last line of a text may not); the files' text-mode
// translation is done where the files are read and written.
#pragma once

#include <string>
#include <string_view>

namespace menugen {

// Where lines come from.  Rewind starts again at the first line.
struct LineSource {
  virtual ~LineSource() = default;
  virtual bool Next(std::string& line) = 0;  // false at the end
  virtual void Rewind() = 0;
};

struct LineSink {
  virtual ~LineSink() = default;
  virtual void Put(std::string_view line) = 0;
};

// The lines of a text in memory.
class TextSource : public LineSource {
 public:
  explicit TextSource(std::string_view text) : text_(text) {}
  bool Next(std::string& line) override;
  void Rewind() override { at_ = 0; }

 private:
  std::string_view text_;
  size_t at_ = 0;
};

// Lines gathered into one text.
struct TextSink : LineSink {
  void Put(std::string_view line) override { text += line; }
  std::string text;
};

// An ASCII upper-case copy (other bytes as they are).
std::string UpperCase(std::string_view text);

// `word` stands anywhere in the upper-case copy of `line`.
bool ContainsWord(std::string_view line, std::string_view word);

}  // namespace menugen
