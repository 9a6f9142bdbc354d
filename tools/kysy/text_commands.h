// The commands that work on texts alone: PARTS splits a path, CHANGE
// replaces text in a variable's value, FINDSTR's line match.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kysy {

// PARTS: drive, directory, name, extension and the whole path.
// "C:\dir\sub\name.ext" gives "C", "\dir\sub", "name", "ext" and the path;
// the directory is empty unless the path has two separators, the name is
// cut at its first dot, the whole path loses its trailing separators.
struct PathPieces {
  std::string drive, dir, name, ext, whole;
};
PathPieces SplitPathPieces(std::string_view path);

// The flags of CHANGE's options.
struct ChangeOptions {
  bool case_sensitive = false;  // /C
  bool upper = false;           // /U
  bool lower = false;           // /L
};
// Reads the options one at a time: each is upper-cased unless /C came
// before it; the letter after "/" selects C, U or L; others are ignored.
ChangeOptions ReadChangeOptions(const std::vector<std::string>& options);

// CHANGE: `value` with every occurrence of `search` replaced by
// `replacement`, left to right, never searching inside an inserted
// replacement.  "`" stands for a double quote in both texts.  With both
// texts empty, /U and /L convert the whole value.
std::string ChangeText(std::string value, std::string search, std::string replacement,
                       const ChangeOptions& options);

// "`" turned into '"' (batch files cannot pass a double quote inside a
// quoted argument).
std::string QuotesFromBackquotes(std::string text);
// A dialog's message: "~" a line break, "`" a double quote.
std::string MessageText(std::string text);

// FINDSTR's test of one line: `text` is already prepared (quotes turned,
// lower-cased unless case-sensitive).
bool LineHasText(std::string_view line, std::string_view text, bool case_sensitive);

}  // namespace kysy
