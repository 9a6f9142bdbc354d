#include "tools/menugen/file_lines.h"

#include <cerrno>

#include "platform/files.h"
#include "platform/stop_requests.h"
#include "tornel/base/file_open.h"

namespace menugen {

void CloseChecked(tornel::Diagnostics& diag, FilePtr& file, const std::string& name) {
  if (!platform::CloseFile(file.release())) tornel::FatalWriteError(diag, name, errno);
}

FilePtr OpenForReading(tornel::Diagnostics& diag, const std::string& path) {
  if (platform::FileExists(path) && !platform::IsRegularFile(path))
    tornel::FatalPlain(diag, tornel::LangFormat(diag, tornel::kMsgErrorOpening, {path}));
  return FilePtr(tornel::OpenFile(diag, path, "r"));
}

bool FileSource::Next(std::string& line) {
  // Ctrl-C or a stop signal ends the run here, between lines, so that the
  // run's files of its own are removed and the user's stay as they were.
  if (platform::TakeStopRequest()) throw tornel::RunEnded{1};
  errno = 0;
  if (platform::ReadTextLine(reader_, line)) return true;
  if (std::ferror(reader_.file)) tornel::FatalReadError(diag_, name_, errno != 0 ? errno : EIO);
  return false;
}

void FileSource::Rewind() {
  if (std::fseek(reader_.file, 0, SEEK_SET) != 0) tornel::FatalReadError(diag_, name_, errno);
  std::clearerr(reader_.file);
  reader_.at = reader_.end = 0;
}

void FileSink::Put(std::string_view line) {
  if (!platform::WriteText(file_, line)) tornel::FatalWriteError(diag_, name_, errno);
}

}  // namespace menugen
