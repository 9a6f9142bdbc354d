// Comments in the NC program.  A comment text is filtered by the comment
// switches (accents folded, only letters, digits and a few signs kept,
// upper case, OEM characters) and framed by ssComStart and ssComEnd, with
// the marker bytes around the text itself so that the finishing of the NC
// file can tell comment text from NC text:
//
//   comment: '(' ')'
//   o: _g(0) com('Tool 1 ¨ Ø10')     G00 (TOOL 1  O10)
//
// A post file with a Comments post function writes its comments itself:
// the function is called with the text in ssComment[0] instead.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tornel/sysvars/value_tables.h"

namespace tornel {

struct OutputContext;
struct OutputTables;

inline constexpr const char* kMsgInvalidCommentString = "Invalid comment string in";

// Entries of ssComment, where the pending comments wait.
inline constexpr int kCommentSlots = 100;

// The order of a comment word on its line (× 100, like address orders).
inline constexpr int kCommentOrder = 9900;

// The comment switches applied to `text`: siCommentAscii (without
// siCommentOEM) folds accented Windows-1252 letters to their base letters,
// siCommentAlphaNum keeps letters, digits, blank, "+", "-" and "." and turns
// "_" into a blank, siCommentUpCase upper-cases, siCommentOEM converts to
// code page 850.
void FilterCommentText(const ValueTables& v, std::string_view text, std::string& out);

// One character of Windows-1252 in code page 850 (the OEM character set);
// characters 850 lacks become their nearest plain character or "?".
unsigned char AnsiToOem(unsigned char c);

// The comment word of `text` in `word`: empty when nothing is to be
// written (an empty text, siCommentOn 0, or a Comments post function, which
// is run here with ssComment[0] = text, siComments 1 and siCommentInLine =
// `in_line`).
void FormatComment(OutputContext& ctx, std::string_view text, bool in_line, std::string& word);

// Notes that PPRINT left `text` in ssComment[slot], its words joined by
// the commas at `joins`.
void NoteJoinedComment(OutputTables& out, int slot, const std::string& text,
                       std::vector<size_t> joins);

// The text the NC file shows for pending comment `slot`: ssComment[slot];
// but where the alphanumeric filter (siCommentAlphaNum 1) would drop the
// commas PPRINT joined the record's words with, a blank takes each one's
// place, so "BORE 1.0 DIA" and "ONE FULL TURN" stay apart.  A text the post
// changed since is taken as it is.
std::string PendingCommentText(const OutputTables& out, const ValueTables& v, int slot);

// Writes `text` as a comment line: an O: statement with the comment as its
// only word; siCommentNoSeq keeps it unnumbered, siCommentNoEach keeps EACH
// output out of it.
void OutputCommentLine(OutputContext& ctx, std::string_view text);

}  // namespace tornel
