// The parts of the file service that are the same on every target.
#include "platform/files.h"

#include <cerrno>
#include <vector>

#include "platform/text_file.h"

namespace platform {

bool CopyFileTo(const std::string& from, const std::string& to, CopyFailure* failed) {
  CopyFailure failure = CopyFailure::kNone;
  std::FILE* in = OpenBinary(from, "r");
  std::FILE* out = nullptr;
  int err = 0;
  if (!in) {
    failure = CopyFailure::kSource;
    err = errno;
  } else if (!(out = OpenBinary(to, "w"))) {
    failure = CopyFailure::kTarget;
    err = errno;
  } else {
    std::vector<char> buf(1 << 16);
    for (;;) {
      size_t n = std::fread(buf.data(), 1, buf.size(), in);
      if (n > 0 && !WriteBytes(out, std::string_view(buf.data(), n))) {
        failure = CopyFailure::kTarget;
        err = errno;
        break;
      }
      if (n < buf.size()) {
        if (std::ferror(in)) {
          failure = CopyFailure::kSource;
          err = errno != 0 ? errno : EIO;
        }
        break;
      }
    }
    if (!CloseFile(out) && failure == CopyFailure::kNone) {
      failure = CopyFailure::kTarget;
      err = errno;
    }
  }
  if (in) std::fclose(in);
  if (failed) *failed = failure;
  if (failure != CopyFailure::kNone) errno = err;
  return failure == CopyFailure::kNone;
}

}  // namespace platform
