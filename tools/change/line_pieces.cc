#include "tools/change/line_pieces.h"

#include "tools/change/line_edit.h"

namespace change {

bool PieceReader::Fill() {
  if (at_ < end_) return true;
  at_ = 0;
  end_ = source_.Read(block_.data(), block_.size());
  return end_ > 0;
}

bool PieceReader::Next(Piece& piece) {
  piece.text.clear();
  piece.crlf = false;
  piece.continued = line_open_;
  while (piece.text.size() < kPieceBytes && Fill()) {
    char c = block_[at_++];
    if (c == '\r' && Fill() && block_[at_] == '\n') {
      ++at_;
      piece.text += '\n';
      piece.crlf = true;
      break;
    }
    piece.text += c;
    if (c == '\n') break;
  }
  if (piece.text.empty()) return false;
  line_open_ = piece.text.back() != '\n';
  return true;
}

}  // namespace change
