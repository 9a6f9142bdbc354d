#include "tornel/output/comments.h"

#include <array>

#include "tornel/compiler/post_functions.h"
#include "tornel/output/output_context.h"
#include "tornel/output/output_statement.h"
#include "tornel/output/output_tables.h"
#include "tornel/output/replacements.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {

namespace {

// Accented Windows-1252 letters 192..255 and their base letters; 0 = no
// accent to fold (×, ß, ÷ and þ stay).
constexpr std::array<char, 64> kAccentBase = {
    'A', 'A', 'A', 'A', 'A', 'A', 'A', 'C',  // 192-199
    'E', 'E', 'E', 'E', 'I', 'I', 'I', 'I',  // 200-207
    'D', 'N', 'O', 'O', 'O', 'O', 'O', 0,    // 208-215
    'O', 'U', 'U', 'U', 'U', 'Y', 0,   0,    // 216-223
    'a', 'a', 'a', 'a', 'a', 'a', 'a', 'c',  // 224-231
    'e', 'e', 'e', 'e', 'i', 'i', 'i', 'i',  // 232-239
    'd', 'n', 'o', 'o', 'o', 'o', 'o', 0,    // 240-247
    'o', 'u', 'u', 'u', 'u', 'y', 0,   0,    // 248-255
};

// Windows-1252 128..255 in code page 850.  Characters that 850 lacks take
// the nearest plain character ("Š" S, "€" E, quotes ' and "), else "?".
constexpr std::array<unsigned char, 128> kAnsiToOem = {
    69,  63,  44,  159, 34,  46,  43,  43,   // 128-135
    94,  37,  83,  60,  63,  63,  90,  63,   // 136-143
    63,  39,  39,  34,  34,  46,  45,  45,   // 144-151
    126, 84,  115, 62,  63,  63,  122, 89,   // 152-159
    255, 173, 189, 156, 207, 190, 221, 245,  // 160-167
    249, 184, 166, 174, 170, 240, 169, 238,  // 168-175
    248, 241, 253, 252, 239, 230, 244, 250,  // 176-183
    247, 251, 167, 175, 172, 171, 243, 168,  // 184-191
    183, 181, 182, 199, 142, 143, 146, 128,  // 192-199
    212, 144, 210, 211, 222, 214, 215, 216,  // 200-207
    209, 165, 227, 224, 226, 229, 153, 158,  // 208-215
    157, 235, 233, 234, 154, 237, 232, 225,  // 216-223
    133, 160, 131, 198, 132, 134, 145, 135,  // 224-231
    138, 130, 136, 137, 141, 161, 140, 139,  // 232-239
    208, 164, 149, 162, 147, 228, 148, 246,  // 240-247
    155, 151, 163, 150, 129, 236, 231, 152,  // 248-255
};

bool IsAsciiLetter(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsAsciiDigit(unsigned char c) { return c >= '0' && c <= '9'; }

}  // namespace

unsigned char AnsiToOem(unsigned char c) { return c < 128 ? c : kAnsiToOem[c - 128]; }

void FilterCommentText(const ValueTables& v, std::string_view text, std::string& out) {
  const bool oem = v.ints[kSiCommentOEM] == 1;
  const bool fold = v.ints[kSiCommentAscii] == 1 && !oem;
  const bool alnum = v.ints[kSiCommentAlphaNum] == 1;
  const bool upper = v.ints[kSiCommentUpCase] == 1;
  out.clear();
  for (char ch : text) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (fold && c >= 192 && kAccentBase[c - 192] != 0) c = static_cast<unsigned char>(kAccentBase[c - 192]);
    if (alnum) {
      if (c == '_') c = ' ';
      else if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && c != ' ' && c != '+' && c != '-' && c != '.')
        continue;
    }
    if (upper && c >= 'a' && c <= 'z') c = static_cast<unsigned char>(c - 'a' + 'A');
    if (oem) c = AnsiToOem(c);
    out += static_cast<char>(c);
  }
}

void FormatComment(OutputContext& ctx, std::string_view text, bool in_line, std::string& word) {
  ValueTables& v = ctx.values;
  word.clear();
  if (IsDefined(ctx.calls, kPfComments)) {
    // The text may be ssComment[0] itself.
    std::string copy(text);
    v.strings[kSsComment] = std::move(copy);
    v.ints[kSiComments] = 1;
    v.ints[kSiCommentInLine] = in_line ? 1 : 0;
    RunPostFunction(ctx.calls, kPfComments);
    v.ints[kSiCommentInLine] = 0;
    v.ints[kSiComments] = 0;
    return;
  }
  if (v.ints[kSiCommentOn] == 0) return;
  std::string filtered;
  FilterCommentText(v, text, filtered);
  if (filtered.empty()) return;
  word = v.strings[kSsComStart];
  word += static_cast<char>(kCommentStart);
  word += filtered;
  word += static_cast<char>(kCommentEnd);
  word += v.strings[kSsComEnd];
}

void NoteJoinedComment(OutputTables& out, int slot, const std::string& text,
                       std::vector<size_t> joins) {
  if (slot < 0 || slot >= kCommentSlots) return;
  if (out.joined_comments.size() < static_cast<size_t>(kCommentSlots))
    out.joined_comments.resize(kCommentSlots);
  JoinedComment& c = out.joined_comments[slot];
  c.text = text;
  c.joins = std::move(joins);
}

std::string PendingCommentText(const OutputTables& out, const ValueTables& v, int slot) {
  std::string text = v.strings[kSsComment + slot];
  if (v.ints[kSiCommentAlphaNum] != 1) return text;  // the commas stay and part the words
  if (slot < 0 || static_cast<size_t>(slot) >= out.joined_comments.size()) return text;
  const JoinedComment& c = out.joined_comments[slot];
  if (c.joins.empty() || c.text != text) return text;
  for (size_t at : c.joins) text[at] = ' ';
  return text;
}

void OutputCommentLine(OutputContext& ctx, std::string_view text) {
  std::string word;
  FormatComment(ctx, text, false, word);
  if (word.empty()) return;
  const ValueTables& v = ctx.values;
  bool blank = v.ints[kSiCommentNoSpace] == 0 && v.ints[kSiSpaces] != 0;
  OutputSingleWordLine(ctx, word, kCommentOrder, blank, v.ints[kSiCommentNoSeq] == 1,
                       v.ints[kSiCommentNoEach] == 1);
}

}  // namespace tornel
