#include "tornel/base/file_open.h"

#include <cerrno>

#include "platform/text_file.h"

namespace tornel {

std::string LangFormat(const Diagnostics& diag, LangMessage msg,
                       std::initializer_list<std::string_view> args) {
  return FormatMessage(LangText(diag.lang, msg.entry, msg.text), args);
}

std::FILE* OpenFile(Diagnostics& diag, const std::string& path, const char* mode) {
  errno = 0;
  std::FILE* f = platform::OpenBinary(path, mode);
  if (f) return f;
  LangMessage msg = kMsgErrorOpening;
  if (mode[0] == 'w')
    msg = kMsgErrorCreating;
  else if (errno == ENOENT)
    msg = kMsgFileNotFound;
  else if (errno == EACCES)
    msg = kMsgAccessDenied;
  FatalPlain(diag, LangFormat(diag, msg, {path}));
}

}  // namespace tornel
