// Lines of real files for the generator's passes, read and written in text
// mode; a failed read or write ends the run with a report that names the
// file.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

#include "platform/text_file.h"
#include "tornel/base/diagnostics.h"
#include "tools/menugen/lines.h"

namespace menugen {

// Closes a file when a run ends early (a complete file is closed, and its
// close checked, by CloseChecked).
struct FileCloser {
  void operator()(std::FILE* f) const { platform::CloseFile(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Closes a written file; a failed close is reported with `name`.
void CloseChecked(tornel::Diagnostics& diag, FilePtr& file, const std::string& name);

// Opens a file to read through the file-open operation; a folder or a
// device of that name is reported as "Error opening file %s.".
FilePtr OpenForReading(tornel::Diagnostics& diag, const std::string& path);

class FileSource : public LineSource {
 public:
  FileSource(tornel::Diagnostics& diag, std::FILE* file, std::string name)
      : diag_(diag), reader_(file), name_(std::move(name)) {}
  bool Next(std::string& line) override;
  void Rewind() override;

 private:
  tornel::Diagnostics& diag_;
  platform::LineReader reader_;
  std::string name_;
};

class FileSink : public LineSink {
 public:
  FileSink(tornel::Diagnostics& diag, std::FILE* file, std::string name)
      : diag_(diag), file_(file), name_(std::move(name)) {}
  void Put(std::string_view line) override;

 private:
  tornel::Diagnostics& diag_;
  std::FILE* file_;
  std::string name_;
};

}  // namespace menugen
