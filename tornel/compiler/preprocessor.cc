#include "tornel/compiler/preprocessor.h"

#include <string_view>
#include <utility>

#include "platform/text_file.h"
#include "tornel/compiler/location_prefix.h"
#include "tornel/compiler/tokens.h"
#include "tornel/compiler/words.h"

namespace tornel {

namespace {

constexpr std::string_view kKeyInclude = "include:";
constexpr std::string_view kKeyInclexs = "inclexs:";  // include when present
constexpr std::string_view kComment = "//";
constexpr std::string_view kControlOff = "----";
constexpr std::string_view kControlOn = "++++";

constexpr const char* kMsgIncludeNameMissing = "Include filename missing or not in quotes in";
constexpr const char* kMsgQuotesDoNotMatch = "Quotes ' do not match in";
constexpr const char* kMsgIncludeNotFound = "Include file not found as specified in";
constexpr const char* kMsgInvalidControlOff = "Invalid ---- CONTROL OFF statement in";
constexpr const char* kMsgInvalidControlOn = "Invalid ++++ CONTROL ON statement in";

[[noreturn]] void FatalAtLine(Diagnostics& diag, int file, int line, std::string_view message) {
  diag.loc = {file, line};
  FatalAt(diag, message);
}

bool IsBlankOrTab(char c) { return c == ' ' || c == '\t'; }

// The backslash that continues an unterminated literal: the first one at or
// after `from` behind which only white space stands, up to a comment.
size_t ContinuationBackslash(std::string_view line, size_t from) {
  for (size_t b = line.find('\\', from); b != std::string_view::npos; b = line.find('\\', b + 1)) {
    size_t rest = b + 1;
    while (rest < line.size() && (IsBlankOrTab(line[rest]) || line[rest] == '\r')) ++rest;
    if (rest == line.size() || line.substr(rest, kComment.size()) == kComment) return b;
  }
  return std::string_view::npos;
}

// Where each physical line of a joined line begins: the number of the
// physical line holding position `pos`.
struct LineStart {
  size_t offset;
  int number;
};

int PhysicalLineAt(const std::vector<LineStart>& starts, size_t pos) {
  int number = starts.front().number;
  for (const LineStart& s : starts)
    if (s.offset <= pos) number = s.number;
  return number;
}

// Comment cut, lower case, tabs made blanks, blanks squeezed: a blank stays
// only between two name characters, and a run of them becomes one.
std::string NormaliseText(std::string_view text) {
  text = text.substr(0, text.find(kComment));
  std::string out;
  out.reserve(text.size());
  for (size_t k = 0; k < text.size(); ++k) {
    char c = text[k] == '\t' ? ' ' : LowerAscii(text[k]);
    if (c != ' ') {
      out += c;
      continue;
    }
    size_t next = k;
    while (next < text.size() && IsBlankOrTab(text[next])) ++next;
    if (next < text.size() && !out.empty() && IsNameChar(out.back()) && IsNameChar(text[next]))
      out += ' ';
    k = next - 1;
  }
  return out;
}

// The address forms of output statements: "_" before a string reference and
// "_%" get the word separator in place of "_"; "_*" becomes the separator.
std::string RewriteAddressForms(std::string_view line) {
  std::string out;
  out.reserve(line.size());
  for (size_t k = 0; k < line.size(); ++k) {
    if (line[k] == '_' && k + 1 < line.size()) {
      char next = line[k + 1];
      if (next == kTokStringRef || next == '%') {
        out += kTokWordSep;
        continue;
      }
      if (next == '*') {
        out += kTokWordSep;
        ++k;
        continue;
      }
    }
    out += line[k];
  }
  return out;
}

void AddInclude(Diagnostics& diag, std::vector<std::string>& includes, const std::string& path) {
  for (const std::string& known : includes)
    if (known == path) return;  // every file is processed once
  includes.push_back(path);
  diag.include_list += '\t';
  diag.include_list += path;
  diag.include_list += '\n';
}

}  // namespace

std::vector<NumberedLine> TakeIncludeStatements(Diagnostics& diag, const SourceFiles& files,
                                                int file,
                                                const std::vector<std::string>& lines,
                                                std::vector<std::string>& includes) {
  std::vector<NumberedLine> out;
  out.reserve(lines.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    int number = static_cast<int>(i) + 1;
    std::string copy = lines[i].substr(0, lines[i].find(kComment));
    LowerAsciiInPlace(copy);
    size_t start = 0;
    while (start < copy.size() && IsBlankOrTab(copy[start])) ++start;
    std::string_view stmt = std::string_view(copy).substr(start);

    std::string_view key;
    if (stmt.find(kKeyInclude) != std::string_view::npos)
      key = kKeyInclude;
    else if (stmt.find(kKeyInclexs) != std::string_view::npos)
      key = kKeyInclexs;
    if (key.empty()) {
      out.push_back({number, lines[i]});
      continue;
    }
    if (!stmt.starts_with(key))
      FatalAtLine(diag, file, number, FormatMessage(kMsgInvalidStatement, {key}));
    size_t open = key.size();
    while (open < stmt.size() && IsBlankOrTab(stmt[open])) ++open;
    if (open == stmt.size() || stmt[open] != '\'')
      FatalAtLine(diag, file, number, kMsgIncludeNameMissing);
    size_t close = stmt.rfind('\'');
    std::string path(stmt.substr(open + 1, close - open - 1));
    if (close == open || path.find('\'') != std::string::npos)
      FatalAtLine(diag, file, number, kMsgQuotesDoNotMatch);

    if (files.Exists(path))
      AddInclude(diag, includes, path);
    else if (key == kKeyInclude)
      FatalAtLine(diag, file, number, kMsgIncludeNotFound);
    out.push_back({number, std::string()});  // keeps the line numbers right
  }
  return out;
}

std::vector<NumberedLine> ExtractStringLiterals(Diagnostics& diag, StackStore& stacks,
                                                int first_literal, int file,
                                                std::vector<NumberedLine> lines) {
  std::vector<NumberedLine> out;
  out.reserve(lines.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    int first = lines[i].number;
    std::string line = std::move(lines[i].text);
    std::vector<LineStart> starts{{0, first}};
    size_t pos = 0;
    for (;;) {
      size_t open = line.find('\'', pos);
      if (open == std::string::npos || line.find(kComment, pos) < open) break;
      size_t close = line.find('\'', open + 1);
      while (close == std::string::npos) {
        // A literal that runs on: backslash and comment give way to the next
        // line, leading blanks and all, and the search goes on there.
        size_t backslash = ContinuationBackslash(line, open + 1);
        if (backslash == std::string::npos || i + 1 == lines.size())
          FatalAtLine(diag, file, PhysicalLineAt(starts, open), kMsgQuotesDoNotMatch);
        ++i;
        line.resize(backslash);
        starts.push_back({line.size(), lines[i].number});
        line += lines[i].text;
        close = line.find('\'', backslash);
      }
      int number = first_literal + static_cast<int>(TextCount(stacks, kStringLiteralRow));
      PushText(diag, stacks, kStringLiteralRow,
               std::string_view(line).substr(open + 1, close - open - 1));
      std::string ref = " ";
      ref += kTokStringRef;
      ref += std::to_string(number);
      ref += ' ';
      line.replace(open, close - open + 1, ref);
      pos = open + ref.size();
      // Lines joined inside the literal now begin after its reference.
      for (LineStart& s : starts)
        if (s.offset > open) s.offset = pos;
    }
    out.push_back({first, std::move(line)});
  }
  return out;
}

void NormaliseLines(Diagnostics& diag, int file, const std::vector<NumberedLine>& lines,
                    std::vector<std::string>& out) {
  bool control_on = true;
  for (size_t i = 0; i < lines.size(); ++i) {
    int number = lines[i].number;
    std::string line = NormaliseText(lines[i].text);
    // Statement continuation: the next physical line is appended and the
    // joined line normalised again; it keeps the first line's location.
    while (!line.empty() && line.back() == '\\') {
      line.pop_back();
      if (i + 1 == lines.size()) break;
      line = NormaliseText(line + lines[++i].text);
    }
    if (line.empty()) continue;

    if (line == kControlOff || line == kControlOn) {
      control_on = line == kControlOn;
      continue;
    }
    if (line.find(kControlOff) != std::string::npos)
      FatalAtLine(diag, file, number, kMsgInvalidControlOff);
    if (line.find(kControlOn) != std::string::npos)
      FatalAtLine(diag, file, number, kMsgInvalidControlOn);
    if (!control_on) continue;

    line = RewriteAddressForms(line);
    // Several statements on one line become records of the same location.
    std::string_view rest = line;
    for (;;) {
      size_t semi = rest.find(';');
      std::string_view statement = rest.substr(0, semi);
      if (!statement.empty()) out.push_back(WithLocation({file, number}, statement));
      if (semi == std::string_view::npos) break;
      rest = rest.substr(semi + 1);
    }
  }
}

std::vector<std::string> ReadSourceLines(Diagnostics& diag, const SourceFiles& files,
                                         const std::string& path) {
  std::vector<std::string> lines = files.Lines(diag, path);
  for (std::string& line : lines) {
    Pump(diag);
    platform::ChopNewline(line);
  }
  return lines;
}

std::vector<std::string> Preprocess(Diagnostics& diag, const SourceFiles& files, StackStore& stacks,
                                    int first_literal, const std::vector<std::string>& post_lines) {
  diag.include_list.clear();
  std::vector<std::string> includes;  // the include list, also the queue
  std::vector<std::string> out;
  auto process = [&](int file, const std::vector<std::string>& lines) {
    std::vector<NumberedLine> numbered = TakeIncludeStatements(diag, files, file, lines, includes);
    numbered = ExtractStringLiterals(diag, stacks, first_literal, file, std::move(numbered));
    NormaliseLines(diag, file, numbered, out);
  };
  process(0, post_lines);
  for (size_t k = 0; k < includes.size(); ++k) {
    std::string path = includes[k];  // the list grows while the file is processed
    process(static_cast<int>(k) + 1, ReadSourceLines(diag, files, path));
  }
  return out;
}

}  // namespace tornel
