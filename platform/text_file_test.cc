#include "platform/text_file.h"

#include <gtest/gtest.h>

#include "tests/test_dir.h"

namespace platform {
namespace {

using TextFile = tornel_test::InTempDir;

TEST_F(TextFile, WritesCrLfOnEveryTarget) {
  std::FILE* f = OpenBinary("out.txt", "w");
  ASSERT_NE(f, nullptr);
  EXPECT_TRUE(WriteText(f, "N10 G0\nN20 X1\n"));
  EXPECT_TRUE(WriteText(f, "tail"));
  std::fclose(f);
  EXPECT_EQ(ReadFile("out.txt"), "N10 G0\r\nN20 X1\r\ntail");
}

TEST_F(TextFile, ReadsLinesDroppingOnlyTheCrBeforeLf) {
  std::string long_line(10000, 'x');
  WriteFile("in.txt", "a\r\nb\rc\n" + long_line + "\n" + std::string("n\0ul", 4) + "\nlast");
  std::FILE* f = OpenBinary("in.txt", "r");
  ASSERT_NE(f, nullptr);
  std::string line;
  ASSERT_TRUE(ReadTextLine(f, line));
  EXPECT_EQ(line, "a\n");
  ASSERT_TRUE(ReadTextLine(f, line));
  EXPECT_EQ(line, "b\rc\n");
  ASSERT_TRUE(ReadTextLine(f, line));
  EXPECT_EQ(line, long_line + "\n");
  ASSERT_TRUE(ReadTextLine(f, line));
  EXPECT_EQ(line, std::string("n\0ul\n", 5));
  ASSERT_TRUE(ReadTextLine(f, line));
  EXPECT_EQ(line, "last");
  EXPECT_FALSE(ReadTextLine(f, line));
  std::fclose(f);
}

TEST_F(TextFile, LineReaderReadsLinesAcrossItsBlocks) {
  // Lines that end exactly at, and run across, the 64 KB block boundary.
  std::string first(65535, 'a');
  std::string across(70000, 'b');
  WriteFile("in.txt", first + "\n" + across + "\r\n" + std::string("n\0ul\r", 5) + "\nlast\r");
  std::FILE* f = OpenBinary("in.txt", "r");
  ASSERT_NE(f, nullptr);
  LineReader reader(f);
  std::string line;
  ASSERT_TRUE(ReadRawLine(reader, line));
  EXPECT_EQ(line, first + "\n");
  ASSERT_TRUE(ReadTextLine(reader, line));
  EXPECT_EQ(line, across + "\n");
  ASSERT_TRUE(ReadRawLine(reader, line));
  EXPECT_EQ(line, std::string("n\0ul\r\n", 6));
  ASSERT_TRUE(ReadTextLine(reader, line));
  EXPECT_EQ(line, "last\r");  // a CR without a line feed stays
  EXPECT_FALSE(ReadRawLine(reader, line));
  EXPECT_FALSE(ReadTextLine(reader, line));
  EXPECT_EQ(std::ferror(f), 0);
  std::fclose(f);
}

TEST_F(TextFile, AcceptsBothSeparators) {
  WriteFile("sub/in.txt", "x\n");
  std::FILE* f = OpenBinary("sub\\in.txt", "r");
  ASSERT_NE(f, nullptr);
  std::fclose(f);
}

}  // namespace
}  // namespace platform
