#include "tools/change/change_run.h"

#include "tools/change/line_edit.h"
#include "tools/change/messages.h"
#include "tools/change/texts.h"

namespace change {

namespace {

// The piece as it goes into the new file.
std::string WithLineEnds(const std::string& text, bool crlf) {
  if (!crlf) return text;
  std::string out;
  out.reserve(text.size() + 8);
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

// Copies the pieces of `source` into `target`, edited, then closes the
// source (Windows cannot put a file in the place of one that is open) and
// puts the new file in its place.
Outcome CopyEdited(std::unique_ptr<ByteSource>& source, NewFile& target, const Texts& texts,
                   const Options& options, LineEnds line_ends) {
  PieceReader reader(*source);
  Piece piece;
  // The pieces of a long line before its end do not know how it ends:
  // line feeds put into them follow the line end read last.
  bool crlf = line_ends == LineEnds::kCrLf;
  while (reader.Next(piece)) {
    if (line_ends == LineEnds::kAsRead && !piece.text.empty() && piece.text.back() == '\n')
      crlf = piece.crlf;
    switch (EditLine(piece.text, piece.continued, texts, options)) {
      case Edit::kTooLong: return Outcome::kLineTooLong;
      case Edit::kDrop: continue;
      case Edit::kWrite: break;
    }
    if (!target.Write(WithLineEnds(piece.text, crlf))) return Outcome::kWriteFailed;
  }
  if (source->Failed()) return Outcome::kReadFailed;
  source.reset();
  return target.Finish() ? Outcome::kReplaced : Outcome::kWriteFailed;
}

}  // namespace

Outcome RunChange(const CommandLine& line, FileSystem& files, MessageBoxes& boxes,
                  LineEnds line_ends) {
  const Options options = ParseOptions(line);
  if (!line.HasFile()) {
    boxes.Show(kHelpCaption, HelpText(), platform::Icon::kInformation);
    return Outcome::kHelp;
  }
  if (!line.HasTexts()) return Outcome::kNoTexts;
  const std::string& path = line.args[0];
  if (line.args[1].size() > kMaxTextBytes || line.args[2].size() > kMaxTextBytes)
    return Outcome::kTextTooLong;
  const Texts texts = PrepareTexts(line.args[1], line.args[2], options);

  Outcome outcome;
  std::unique_ptr<ByteSource> source = files.OpenToRead(path);
  std::unique_ptr<NewFile> target;
  if (!source) {
    outcome = Outcome::kNotOpened;
  } else if (!(target = files.CreateBeside(path))) {
    outcome = Outcome::kNotCreated;
  } else {
    outcome = CopyEdited(source, *target, texts, options, line_ends);
  }
  // The new file is gone before a box can keep the run waiting.
  target.reset();
  source.reset();
  if (options.warn) {
    switch (outcome) {
      case Outcome::kNotOpened:
      case Outcome::kReadFailed:
        boxes.Show(kWarningCaption, path + kNotFoundSuffix, platform::Icon::kExclamation);
        break;
      case Outcome::kNotCreated:
      case Outcome::kWriteFailed:
      case Outcome::kLineTooLong:
        boxes.Show(kWarningCaption, path + kWriteErrorSuffix, platform::Icon::kExclamation);
        break;
      default: break;
    }
  }
  return outcome;
}

}  // namespace change
