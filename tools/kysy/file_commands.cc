#include "tools/kysy/file_commands.h"

#include "tools/kysy/text_commands.h"
#include "tools/kysy/text_lines.h"
#include "tools/kysy/texts.h"

namespace kysy {

namespace {

// Writes a new file beside `target` through `fill` and puts it in the
// target's place when it is complete; removes it otherwise.
template <typename Fill>
bool ReplaceWhole(FileSystem& files, const std::string& target, Fill fill) {
  std::string scratch;
  std::unique_ptr<OutputFile> out = files.CreateBeside(target, scratch);
  if (!out) return false;
  bool ok = fill(*out);
  ok = out->Close() && ok;
  if (ok) ok = files.Replace(scratch, target);
  if (!ok) files.RemoveFile(scratch);
  return ok;
}

}  // namespace

bool CopyOver(FileSystem& files, const std::string& from, const std::string& to) {
  std::unique_ptr<InputFile> in = files.OpenRead(from);
  if (!in) return false;
  return ReplaceWhole(files, to, [&](OutputFile& out) {
    std::vector<char> block(64 * 1024);
    while (size_t n = in->Read(block.data(), block.size()))
      if (!out.Write(std::string_view(block.data(), n))) return false;
    return !in->Failed();
  });
}

bool RenameTo(FileSystem& files, const std::string& from, const std::string& to) {
  if (files.Exists(to)) return false;
  return files.Rename(from, to);
}

Answer CurrentDirectoryAnswer(FileSystem& files) {
  std::optional<std::string> dir = files.CurrentDirectory();
  if (!dir) return {kFailure, ""};
  std::string drive;
  if (dir->size() >= 2 && (*dir)[1] == ':') drive = dir->substr(0, 1);
  return {*dir, drive};
}

namespace {

// Copies a source's text in pieces; `ends_line` tells afterwards whether
// the text written so far ends in a line feed.
bool CopyText(InputFile& in, OutputFile& out, bool& wrote, bool& ends_line) {
  TextReader reader(in);
  std::string piece;
  while (reader.ReadPiece(piece, kAppendPieceBytes)) {
    if (!WriteText(out, piece)) return false;
    wrote = true;
    ends_line = piece.back() == '\n';
  }
  return !reader.Failed();
}

}  // namespace

bool Append(FileSystem& files, const std::vector<std::string>& sources, const std::string& target) {
  return ReplaceWhole(files, target, [&](OutputFile& out) {
    bool wrote = false, ends_line = false;
    for (size_t k = 0; k < sources.size(); ++k) {
      std::unique_ptr<InputFile> in = files.OpenRead(sources[k]);
      if (!in) {
        if (k == 0) continue;  // a missing first file adds nothing
        break;
      }
      if (wrote && !ends_line && !WriteText(out, "\n")) return false;
      if (wrote && !ends_line) ends_line = true;
      if (!CopyText(*in, out, wrote, ends_line)) return false;
    }
    return true;
  });
}

std::string FindText(FileSystem& files, const std::string& path, const std::string& text,
                     bool case_sensitive) {
  std::unique_ptr<InputFile> in = files.OpenRead(path);
  if (!in) return kFailure;
  std::string wanted = QuotesFromBackquotes(text);
  if (!case_sensitive) wanted = Lower(wanted);
  TextReader reader(*in);
  std::string line;
  while (reader.ReadLine(line)) {
    if (line.back() == '\n') line.pop_back();
    if (LineHasText(line, wanted, case_sensitive)) return "1";
  }
  return reader.Failed() ? kFailure : "0";
}

}  // namespace kysy
