#include "tools/change/line_edit.h"

#include "platform/code_pages.h"

namespace change {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Neither text: the whole line.
Edit EditWholeLine(std::string& line, bool continued, const Options& options) {
  if (options.upper) line = UpperAscii(line);
  if (options.lower) line = LowerAscii(line);
  if (options.ansi) line = platform::AnsiToOem(line);
  if (options.omit_empty && !continued && line == "\n") return Edit::kDrop;
  return Edit::kWrite;
}

}  // namespace

Edit EditLine(std::string& line, bool continued, const Texts& texts, const Options& options) {
  const std::string& search = texts.search;
  const std::string& replacement = texts.replacement;
  if (search.empty()) {
    if (!replacement.empty()) return Edit::kWrite;
    return EditWholeLine(line, continued, options);
  }

  // The line is rebuilt in `out`: what lies before `rest` is final (text
  // passed over and replacements), from `rest` on it is the line as read.
  // Searching on in the part as read is the same as searching the edited
  // line from just after the last replacement.
  const std::string compare = options.case_sensitive ? std::string() : UpperAscii(line);
  const std::string& seen = options.case_sensitive ? line : compare;
  std::string out;
  size_t rest = 0;
  size_t from = 0;
  bool replaced = false;
  bool dropped = false;
  for (;;) {
    size_t at = seen.find(search, from);
    if (at == std::string::npos) break;
    // Where the match stands in the edited line.
    if (options.at_start && out.size() + (at - rest) != 0) break;
    size_t end = at + search.size();
    if (options.at_end) {
      size_t after = end;
      while (after < line.size() && IsBlank(line[after])) ++after;
      if (after >= line.size() || line[after] != '\n') {
        // Not at the end: a later occurrence may be.
        from = at + 1;
        continue;
      }
      end = after;
    }
    size_t edited_size = out.size() + (at - rest) + replacement.size() + (line.size() - end);
    if (edited_size > kEditedLineBytes) return Edit::kTooLong;
    out.append(line, rest, at - rest);
    out += replacement;
    rest = end;
    from = end;
    replaced = true;
    if (replacement.empty() && options.omit_empty && !continued && out.empty() &&
        line.compare(rest, std::string::npos, "\n") == 0)
      dropped = true;
  }
  if (!replaced) return Edit::kWrite;
  out.append(line, rest, std::string::npos);
  line = std::move(out);
  return dropped ? Edit::kDrop : Edit::kWrite;
}

}  // namespace change
