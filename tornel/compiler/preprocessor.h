// The first compile stage: the post file and every file it includes become
// one normalised text, one statement per line, lower case, without comments
// or needless blanks, every string literal moved into text row 0 of the
// stack store, every line carrying the location prefix of the physical line
// it came from.
//
// Each file goes through three steps in turn (include statements, string
// literals, normalising); included files follow breadth-first, each once,
// their lines appended after everything produced before them.
#pragma once

#include <string>
#include <vector>

#include "tornel/base/diagnostics.h"
#include "tornel/base/source_files.h"
#include "tornel/compiler/stack_store.h"

namespace tornel {

// Also the message of a settings statement written elsewhere than at the
// start of its statement; %s is the keyword or statement name.
inline constexpr const char* kMsgInvalidStatement = "Invalid %s statement in";

// A line of one source file with the number of the physical line it starts
// on (lines joined by a continued literal keep the first one's number).
struct NumberedLine {
  int number;
  std::string text;
};

// The whole stage.  `post_lines` are the post file's lines (without line
// ends); include files are read from `files` as they are named.  String
// literals are string table entries numbered from `first_literal`, the
// first string slot after the system variables'.  Fills
// diag.include_list ("\t<path>\n" per include file, in file-number order)
// and text row 0 of `stacks`; gives the location-prefixed lines.
std::vector<std::string> Preprocess(Diagnostics& diag, const SourceFiles& files, StackStore& stacks,
                                    int first_literal, const std::vector<std::string>& post_lines);

// Step 1: include statements.  Accepts the files named by include: and
// inclexs: (appending new ones to diag.include_list and `includes`), and
// puts an empty line in place of each statement.
std::vector<NumberedLine> TakeIncludeStatements(Diagnostics& diag, const SourceFiles& files,
                                                int file,
                                                const std::vector<std::string>& lines,
                                                std::vector<std::string>& includes);

// Step 2: string literals.  Each literal goes to text row 0 of `stacks` and
// is replaced by " " kTokStringRef <number> " ", numbered from
// `first_literal` on.
std::vector<NumberedLine> ExtractStringLiterals(Diagnostics& diag, StackStore& stacks,
                                                int first_literal, int file,
                                                std::vector<NumberedLine> lines);

// Step 3: normalising, with statement continuation, ";" splitting and the
// CONTROL OFF/ON blocks (CONTROL is ON at the start of every file).
// Appends location-prefixed lines to `out`.
void NormaliseLines(Diagnostics& diag, int file, const std::vector<NumberedLine>& lines,
                    std::vector<std::string>& out);

// Lines of a text file without their line ends (CR LF or LF), read whole
// however long; a file that can't be read is reported.
std::vector<std::string> ReadSourceLines(Diagnostics& diag, const SourceFiles& files,
                                         const std::string& path);

}  // namespace tornel
