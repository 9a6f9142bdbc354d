#include "tools/kysy/text_lines.h"


namespace kysy {

int TextReader::Peek() {
  if (at_ == end_) {
    at_ = 0;
    end_ = file_.Read(block_.data(), block_.size());
    if (end_ == 0) return -1;
  }
  return static_cast<unsigned char>(block_[at_]);
}

int TextReader::Next() {
  int c = Peek();
  if (c >= 0) ++at_;
  return c;
}

bool TextReader::ReadPiece(std::string& piece, size_t max) {
  piece.clear();
  while (piece.size() < max) {
    int c = Next();
    if (c < 0) break;
    if (c == '\r' && Peek() == '\n') continue;
    piece.push_back(static_cast<char>(c));
    if (c == '\n') break;
  }
  return !piece.empty();
}

bool TextReader::ReadLine(std::string& line) {
  line.clear();
  std::string piece;
  while (ReadPiece(piece, block_.size())) {
    line += piece;
    if (line.back() == '\n') break;
  }
  return !line.empty();
}

namespace {

void AddItem(std::vector<std::string>& items, std::string line) {
  if (!line.empty() && line.back() == '\n') line.pop_back();
  if (line.size() > kListItemBytes) line.resize(kListItemBytes);
  items.push_back(std::move(line));
}

}  // namespace

std::vector<std::string> ReadListFile(FileSystem& files, const std::string& path) {
  std::vector<std::string> items;
  std::unique_ptr<InputFile> file = files.OpenRead(path);
  if (!file) return items;
  TextReader reader(*file);
  std::string piece, line;
  // Only the first bytes of a line are kept; the rest is read past.
  bool in_line = false;
  while (reader.ReadPiece(piece, kListItemBytes + 1)) {
    if (!in_line) line = piece;
    in_line = piece.back() != '\n';
    if (!in_line) AddItem(items, std::move(line));
  }
  if (in_line) AddItem(items, std::move(line));
  return items;
}

namespace {

// A file over a text in memory.
class TextInput : public InputFile {
 public:
  explicit TextInput(std::string_view text) : text_(text) {}
  size_t Read(char* buffer, size_t n) override {
    size_t k = text_.copy(buffer, n, at_);
    at_ += k;
    return k;
  }
  bool Failed() const override { return false; }

 private:
  std::string_view text_;
  size_t at_ = 0;
};

class TextFiles : public FileSystem {
 public:
  explicit TextFiles(std::string_view text) : text_(text) {}
  std::unique_ptr<InputFile> OpenRead(const std::string&) override {
    return std::make_unique<TextInput>(text_);
  }
  std::unique_ptr<OutputFile> CreateBeside(const std::string&, std::string&) override {
    return nullptr;
  }
  bool Replace(const std::string&, const std::string&) override { return false; }
  bool Exists(const std::string&) override { return false; }
  bool Rename(const std::string&, const std::string&) override { return false; }
  bool RemoveFile(const std::string&) override { return false; }
  bool RemoveFolder(const std::string&) override { return false; }
  bool MakeFolder(const std::string&) override { return false; }
  std::optional<std::string> CurrentDirectory() override { return std::nullopt; }
  std::optional<std::vector<DirEntry>> List(const std::string&) override { return std::nullopt; }
  std::vector<char> Drives() override { return {}; }

 private:
  std::string_view text_;
};

}  // namespace

std::vector<std::string> ListItems(std::string_view text) {
  TextFiles files(text);
  return ReadListFile(files, "");
}

bool WriteText(OutputFile& file, std::string_view text) {
  size_t start = 0;
  while (start < text.size()) {
    size_t nl = text.find('\n', start);
    size_t end = nl == std::string_view::npos ? text.size() : nl;
    if (end > start && !file.Write(text.substr(start, end - start))) return false;
    if (nl == std::string_view::npos) break;
    if (!file.Write("\r\n")) return false;
    start = nl + 1;
  }
  return true;
}

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && Upper(a) == Upper(b);
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualNoCase(text.substr(0, prefix.size()), prefix);
}

}  // namespace kysy
