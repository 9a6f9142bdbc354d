#include "tornel/base/file_open.h"

#include <cerrno>

#include "platform/files.h"
#include "platform/text_file.h"

namespace tornel {

std::string LangFormat(const Diagnostics& diag, LangMessage msg,
                       std::initializer_list<std::string_view> args) {
  return FormatMessage(LangText(diag.lang, msg.entry, msg.text), args);
}

std::FILE* OpenFile(Diagnostics& diag, const std::string& path, const char* mode) {
  return OpenFileAs(diag, path, mode, path);
}

std::FILE* OpenFileAs(Diagnostics& diag, const std::string& path, const char* mode,
                      const std::string& shown) {
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
  FatalPlain(diag, LangFormat(diag, msg, {shown}));
}

std::string FileFailureReason(int err) {
  switch (platform::ClassifyFileError(err)) {
    case platform::FileFailure::kDiskFull: return kReasonDiskFull;
    case platform::FileFailure::kTooLarge: return kReasonTooLarge;
    case platform::FileFailure::kAccessDenied: return kReasonAccessDenied;
    case platform::FileFailure::kReadOnly: return kReasonReadOnly;
    case platform::FileFailure::kNotFound: return kReasonNotFound;
    case platform::FileFailure::kOther: break;
  }
  return FormatMessage(kReasonOther, {std::to_string(err)});
}

void FatalWriteError(Diagnostics& diag, std::string_view name, int err) {
  FatalPlain(diag, LangFormat(diag, kMsgErrorWriting, {name, FileFailureReason(err)}));
}

void FatalReadError(Diagnostics& diag, std::string_view name, int err) {
  FatalPlain(diag, LangFormat(diag, kMsgErrorReading, {name, FileFailureReason(err)}));
}

std::FILE* TryCreateBeside(const std::string& path, std::string& created) {
  for (int k = 1; k <= kBesideAttempts; ++k) {
    std::string name = path + kBesideInfix + std::to_string(k) + kBesideSuffix;
    errno = 0;
    if (std::FILE* f = platform::CreateNewFile(name)) {
      created = std::move(name);
      return f;
    }
    if (errno != EEXIST) break;
  }
  created.clear();
  return nullptr;
}

std::FILE* CreateBeside(Diagnostics& diag, const std::string& path, std::string& created) {
  std::FILE* f = TryCreateBeside(path, created);
  if (!f) FatalPlain(diag, LangFormat(diag, kMsgErrorCreating, {path}));
  return f;
}

}  // namespace tornel
