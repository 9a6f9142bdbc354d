#include "tornel/cl/cl_input.h"

#include <cerrno>
#include <cstring>
#include <string_view>

#include "platform/text_file.h"
#include "tornel/base/diagnostics.h"
#include "tornel/base/file_open.h"
#include "tornel/base/run_context.h"

namespace tornel {

namespace {

bool Fill(Diagnostics& diag, std::FILE* file, InputBlock& b) {
  if (b.eof) return false;
  b.at = 0;
  errno = 0;
  b.end = std::fread(b.bytes.data(), 1, b.bytes.size(), file);
  if (b.end == 0) {
    if (std::ferror(file)) FatalReadError(diag, b.name, errno);
    b.eof = true;
  }
  return b.end > 0;
}

// The first pass's copy of the input ("TorApt.tmp").
void Copy(Diagnostics& diag, std::FILE* copy, const char* data, size_t n) {
  if (!copy || n == 0) return;
  errno = 0;
  if (!platform::WriteBytes(copy, std::string_view(data, n)))
    FatalWriteError(diag, kTempAptCopy, errno);
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The first LF or CR in [begin, stop), or stop.
const char* LineEnd(const char* begin, const char* stop) {
  size_t n = static_cast<size_t>(stop - begin);
  const char* lf = static_cast<const char*>(std::memchr(begin, '\n', n));
  const char* end = lf ? lf : stop;
  const char* cr =
      static_cast<const char*>(std::memchr(begin, '\r', static_cast<size_t>(end - begin)));
  return cr ? cr : end;
}

// What the bytes after the kept ones hold: blanks only up to a "$$" (or
// the end of the part), or something a record would have to take.
struct Overflow {
  bool significant = false;
  bool in_comment = false;
  bool dollar = false;  // the byte before was a "$" that may open a comment

  void Take(char c) {
    if (in_comment || significant) return;
    if (dollar) {
      dollar = false;
      if (c == '$') {
        in_comment = true;
        return;
      }
      significant = true;
      return;
    }
    if (c == '$') {
      dollar = true;
    } else if (!IsBlank(c)) {
      significant = true;
    }
  }
  // A "$" that ends the part continues the record: it counts.
  void End() {
    if (dollar) significant = true;
  }
};

}  // namespace

void ResetInputBlock(InputBlock& block, const std::string& name) {
  block.name = name;
  block.at = block.end = 0;
  block.taken = 0;
  block.eof = false;
  block.line_start = true;
}

bool ReadInputPart(Diagnostics& diag, std::FILE* file, InputBlock& b, std::FILE* copy,
                   InputPart& part) {
  part.text.clear();
  part.cut = false;
  part.new_line = b.line_start;
  if (b.at == b.end && !Fill(diag, file, b)) return false;

  Overflow overflow;
  bool kept_has_comment = false;  // the kept text holds a "$$": the rest is comment
  bool ended = false;
  while (!ended) {
    if (b.at == b.end && !Fill(diag, file, b)) break;  // the last part, without a line end
    const char* begin = b.bytes.data() + b.at;
    const char* stop = b.bytes.data() + b.end;
    const char* p = LineEnd(begin, stop);
    size_t n = static_cast<size_t>(p - begin);

    // The bytes of the part in this block: kept while there is room.
    size_t room = kKeptPartLimit - part.text.size();
    size_t keep = n < room ? n : room;
    part.text.append(begin, keep);
    if (keep < n) {
      if (!part.cut && !kept_has_comment)
        kept_has_comment = part.text.find("$$") != std::string::npos;
      if (!part.cut && part.text.back() == '$') overflow.dollar = true;
      part.cut = true;
      if (!kept_has_comment) {
        for (const char* q = begin + keep; q < p && !overflow.significant; ++q) overflow.Take(*q);
        // The record is too long: the rest of the line need not be read.
        if (overflow.significant) {
          Copy(diag, copy, begin, keep);
          b.at += keep;
          b.taken += static_cast<long>(keep);
          return true;
        }
      }
    }
    Copy(diag, copy, begin, n);
    b.at += n;
    b.taken += static_cast<long>(n);
    if (p == stop) continue;  // the part goes on in the next block

    // The line end: a line feed, or a CR that a line feed may follow.
    ended = true;
    if (*p == '\n') {
      ++b.at;
      ++b.taken;
      Copy(diag, copy, "\r\n", 2);
      b.line_start = true;
      break;
    }
    ++b.at;
    ++b.taken;
    if (b.at == b.end) Fill(diag, file, b);
    if (b.at < b.end && b.bytes[b.at] == '\n') {
      ++b.at;
      ++b.taken;
      Copy(diag, copy, "\r\n", 2);
      b.line_start = true;
    } else {
      Copy(diag, copy, "\r", 1);
      b.line_start = false;
    }
  }
  if (!ended) {
    // A last line without a line feed: NUL bytes at its end are no text.
    while (!part.text.empty() && part.text.back() == '\0') part.text.pop_back();
    b.line_start = true;
  }
  if (part.cut && !kept_has_comment) {
    overflow.End();
    part.cut = overflow.significant;
  } else {
    part.cut = false;
  }
  return true;
}

}  // namespace tornel
