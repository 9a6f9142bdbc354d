#include "tornel/cl/cl_input.h"

#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/text_file.h"
#include "tests/test_dir.h"
#include "tornel/base/diagnostics.h"

namespace tornel {
namespace {

class ClInput : public tornel_test::InTempDir {
 protected:
  // Every part of a file holding `text`, as "text|flags" with n for a new
  // line and c for a cut part (the last one read); the copy is left in
  // "copy.tmp".
  std::vector<std::string> Parts(const std::string& text) {
    WriteFile("in.cl", text);
    std::FILE* in = platform::OpenBinary("in.cl", "r");
    std::FILE* copy = platform::OpenBinary("copy.tmp", "w");
    InputBlock block;
    ResetInputBlock(block, "in.cl");
    InputPart part;
    std::vector<std::string> parts;
    while (ReadInputPart(diag_, in, block, copy, part)) {
      std::string shown = part.text.size() > 40 ? part.text.substr(0, 8) + "...(" +
                                                      std::to_string(part.text.size()) + ")"
                                                : part.text;
      parts.push_back(shown + "|" + (part.new_line ? "n" : "") + (part.cut ? "c" : ""));
      if (part.cut) break;  // a record too long ends the run: the rest is not read
    }
    taken_ = block.taken;
    std::fclose(in);
    std::fclose(copy);
    return parts;
  }

  // What a text-mode copy of the lines holds: every line feed with CR LF.
  static std::string TextModeCopy(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
      out += text[i];
    }
    return out;
  }

  Diagnostics diag_;
  long taken_ = 0;
};

using List = std::vector<std::string>;

TEST_F(ClInput, LinesEndAtLineFeedsAndLoneCarriageReturns) {
  EXPECT_EQ(Parts("A/1\nB/2\r\nC/3"), (List{"A/1|n", "B/2|n", "C/3|n"}));
  // A CR that no LF follows ends a part of the same line: the line counter
  // counts lines, not parts.
  EXPECT_EQ(Parts("A\rB\rC\n"), (List{"A|n", "B|", "C|"}));
  EXPECT_EQ(Parts("A\r\r\nB"), (List{"A|n", "|", "B|n"}));
  EXPECT_EQ(Parts("\n\n"), (List{"|n", "|n"}));
  EXPECT_EQ(Parts(""), List{});
  // NUL bytes at the end of a last line without a line feed are no text.
  EXPECT_EQ(Parts(std::string("A\0B\nC\0\0", 7)), (List{std::string("A\0B|n", 5), "C|n"}));
  EXPECT_EQ(taken_, 7);
}

TEST_F(ClInput, TheCopyHoldsEveryByteWithCrLfLineEnds) {
  std::string text = "GOTO/1\nGOTO/2\r\nA\rB\r\r\n$$ " + std::string(300000, 'x') + "\nEND";
  Parts(text);
  EXPECT_EQ(ReadFile("copy.tmp"), TextModeCopy(text));
}

// A line end that falls on the border of two blocks is still one line end.
TEST_F(ClInput, LineEndsAcrossBlocks) {
  std::string text;
  while (text.size() < kInputBlockSize - 1) text += "GOTO/1.25,2.5,3\n";
  text.resize(kInputBlockSize - 1);
  text += "\r\nNEXT/1\r";   // CR as the block's last byte, LF the next block's first
  text += "$$" + std::string(kInputBlockSize, 'y') + "\nLAST";  // a comment over a border
  std::vector<std::string> parts = Parts(text);
  ASSERT_GE(parts.size(), 3u);
  EXPECT_EQ(parts[parts.size() - 3], "NEXT/1|n");
  EXPECT_EQ(parts[parts.size() - 2], "$$yyyyyy...(2048)|");  // after a lone CR
  EXPECT_EQ(parts.back(), "LAST|n");
  EXPECT_EQ(ReadFile("copy.tmp"), TextModeCopy(text));
  EXPECT_EQ(taken_, static_cast<long>(text.size()));
}

// At most one byte more than a record holds is kept of a part; the rest is
// only looked at: blanks before a comment don't count, anything else does.
TEST_F(ClInput, LongLinesKeepOnlyWhatARecordCouldHold) {
  const std::string blanks(200000, ' ');
  EXPECT_EQ(Parts("GOTO/1,2" + blanks + "$$ note\n"), (List{"GOTO/1,2...(2048)|n"}));
  EXPECT_EQ(Parts("GOTO/1,2" + blanks + "\t\n"), (List{"GOTO/1,2...(2048)|n"}));
  // A record too long: the reading stops there (the run ends).
  EXPECT_EQ(Parts("GOTO/1,2" + blanks + "3\nEND\n"), (List{"GOTO/1,2...(2048)|nc"}));
  // A "$" that ends the line continues the record, blanks and all.
  EXPECT_EQ(Parts("GOTO/1,2" + blanks + "$\n"), (List{"GOTO/1,2...(2048)|nc"}));
  // A "$$" in the kept part makes the rest a comment, however long.
  EXPECT_EQ(Parts("PPRINT/A $$" + std::string(300000, 'z') + "\nEND\n"),
            (List{"PPRINT/A...(2048)|n", "END|n"}));
  // A comment mark split by the border of what is kept.
  std::string at_border(kKeptPartLimit - 1, ' ');
  EXPECT_EQ(Parts("A" + at_border.substr(1) + "$$" + std::string(5000, 'q') + "\n"),
            (List{"A       ...(2048)|n"}));
  // CR line ends: every part is kept on its own, however large the file.
  std::string records;
  for (int i = 0; i < 20000; ++i) records += "GOTO/" + std::to_string(i) + "\r";
  std::vector<std::string> parts = Parts(records);
  ASSERT_EQ(parts.size(), 20000u);
  EXPECT_EQ(parts[0], "GOTO/0|n");
  EXPECT_EQ(parts[19999], "GOTO/19999|");
}

}  // namespace
}  // namespace tornel
