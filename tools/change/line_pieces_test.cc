#include "tools/change/line_pieces.h"

#include <gtest/gtest.h>

#include "tools/change/line_edit.h"
#include "tools/change/memory_files.h"

namespace change {
namespace {

struct Read {
  std::vector<Piece> pieces;
  bool failed = false;
};

Read Pieces(std::string bytes, size_t chunk = 7, size_t fail_after = std::string::npos) {
  StringSource source(std::move(bytes), fail_after, chunk);
  PieceReader reader(source);
  Read read;
  Piece piece;
  while (reader.Next(piece)) read.pieces.push_back(piece);
  read.failed = source.Failed();
  return read;
}

TEST(ChangePieces, LinesWithTheirLineEnds) {
  for (size_t chunk : {1, 2, 7, 100000}) {
    Read r = Pieces("one\r\ntwo\n\r\nlone\rcr\nlast\r", chunk);
    ASSERT_EQ(r.pieces.size(), 5u) << chunk;
    EXPECT_EQ(r.pieces[0].text, "one\n");
    EXPECT_TRUE(r.pieces[0].crlf);
    EXPECT_EQ(r.pieces[1].text, "two\n");
    EXPECT_FALSE(r.pieces[1].crlf);
    EXPECT_EQ(r.pieces[2].text, "\n");
    EXPECT_TRUE(r.pieces[2].crlf);
    EXPECT_EQ(r.pieces[3].text, "lone\rcr\n");  // a CR inside a line stays
    EXPECT_EQ(r.pieces[4].text, "last\r");      // as does one at the very end
    for (const Piece& p : r.pieces) EXPECT_FALSE(p.continued);
  }
  EXPECT_TRUE(Pieces("").pieces.empty());
}

TEST(ChangePieces, LongLinesComeInPiecesOf4095Bytes) {
  std::string line(kPieceBytes * 2 + 10, 'x');
  Read r = Pieces(line + "\r\nnext\n", 4096);
  ASSERT_EQ(r.pieces.size(), 4u);
  EXPECT_EQ(r.pieces[0].text, std::string(kPieceBytes, 'x'));
  EXPECT_FALSE(r.pieces[0].continued);
  EXPECT_EQ(r.pieces[1].text, std::string(kPieceBytes, 'x'));
  EXPECT_TRUE(r.pieces[1].continued);
  EXPECT_EQ(r.pieces[2].text, std::string(10, 'x') + "\n");
  EXPECT_TRUE(r.pieces[2].continued && r.pieces[2].crlf);
  EXPECT_FALSE(r.pieces[3].continued);

  // 4095 bytes and the line end: the line feed is a piece of its own; a
  // CR LF counts as one byte, as in the text mode.
  Read exact = Pieces(std::string(kPieceBytes, 'y') + "\r\n");
  ASSERT_EQ(exact.pieces.size(), 2u);
  EXPECT_EQ(exact.pieces[1].text, "\n");
  EXPECT_TRUE(exact.pieces[1].continued && exact.pieces[1].crlf);
  Read fits = Pieces(std::string(kPieceBytes - 1, 'y') + "\r\n");
  ASSERT_EQ(fits.pieces.size(), 1u);
  EXPECT_EQ(fits.pieces[0].text.size(), kPieceBytes);
}

TEST(ChangePieces, AFailedReadEndsThePiecesAndIsTold) {
  Read r = Pieces("one\ntwo\nthree\n", 3, 6);
  EXPECT_TRUE(r.failed);
  ASSERT_FALSE(r.pieces.empty());
  EXPECT_EQ(r.pieces[0].text, "one\n");
  EXPECT_FALSE(Pieces("one\n").failed);
}

}  // namespace
}  // namespace change
