// The ring of pending NC lines.  An output statement collects words into
// the current slot; completing it moves on to the next slot and writes out
// the slot ten behind.  So a line reaches the NC file ten completed lines
// after it was made, and statements can still add words to the ten lines
// before the current one or prepare the ten after it.
//
// A word's sort key is its arrival position in the line plus its order
// × 100, plus flag bands that the writing looks at and then removes.
#pragma once

#include <array>
#include <cfloat>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tornel/base/diagnostics.h"
#include "tornel/output/line_observer.h"

namespace tornel {

struct OutputContext;

inline constexpr int kRingSlots = 21;
inline constexpr int kMaxLineOffset = 10;
inline constexpr int kMaxOrder = 10000;      // orders are × 100: 100 lines up the address
inline constexpr int kFirstRunningOrder = 101;
inline constexpr uint32_t kBandUnit = 100000000;
inline constexpr uint32_t kBandCondOffset = 1 * kBandUnit;  // conditional statement, positive offset
inline constexpr uint32_t kBandEach = 2 * kBandUnit;        // written by an EACH statement
inline constexpr uint32_t kBandMarked = 4 * kBandUnit;      // a word marked "?"
// A sequence request: the address + kSeqNextUnit × siSeqNext, + kSeqOwnRequest
// when the statement asked for numbering itself while siSeqNext was set.
inline constexpr int kSeqNextUnit = 100000;
inline constexpr int kSeqOwnRequest = 10000;
inline constexpr double kNoSeqValue = DBL_MAX;  // no number set by SEQSET

// The most an NC line may hold, in characters (each word counts one more,
// for its blank): lines are made by the post, and no line may grow without
// bound, neither while its words are collected nor by the replacements of
// the finishing.  A longest string fits with room to spare.
inline constexpr size_t kNcLineLimit = 2000000;
inline constexpr const char* kMsgNcLineTooLong =
    "NC line too long: an NC line may hold at most %d characters in";

inline constexpr const char* kMsgNoSeqAddress =
    "Sequence number address not defined\neven there is output with sequence number in";

struct LineWord {
  std::string text;
  uint32_t key = 0;
  bool blank = false;  // a blank before it, unless it comes first
};

struct LineSlot {
  int count = 0;                // words in use; the texts beyond keep their memory
  size_t chars = 0;             // their characters, one more per word (kNcLineLimit)
  std::vector<LineWord> words;  // grows 100 words at a time
  int seq_request = 0;
  bool no_number = false;  // -O:
  bool skip = false;       // /O: or siSkipOn: the skip text goes in front
  std::string skip_text;
  bool no_each = false;
  bool pending = false;    // inserted ahead: complete on its own when it becomes current
  double seq_value = kNoSeqValue;
  int mark = 0;  // the observer's mark of the line (LineObserver), 0 without one
};

struct LineRing {
  std::array<LineSlot, kRingSlots> slots;
  int current = 0;                                // the line being collected
  int written = 0;                                // NC lines written
  std::array<int, kMaxLineOffset + 1> inserted{};  // lines inserted at distance 1..10
  int cond_moves = 0;  // conditional lines moved on in a row during a flush
  bool flushing = false;
  // Scratch of the line being written; keeps its memory between lines.
  std::string line;
  std::vector<int> sorted;
  std::string word;
  LineObserver* observer = nullptr;  // null but in a traced run
};

constexpr int RingIndex(int n) { return n >= 0 ? n % kRingSlots : 20 - ((20 - n) % kRingSlots); }

// The slot `distance` lines from the current one (negative: before it).
inline LineSlot& SlotAt(LineRing& ring, int distance) {
  return ring.slots[RingIndex(ring.current + distance)];
}

inline bool HasBand(uint32_t key, uint32_t band) { return (key / kBandUnit) & (band / kBandUnit); }

// Puts a word into `slot`: its order is `order`, or `running_order` when
// that is 0, at most kMaxOrder; the running order becomes the word's order.
void AddWord(Diagnostics& diag, LineSlot& slot, std::string_view text, int order,
             int& running_order, bool blank, uint32_t band);

void ClearSlot(LineSlot& slot);

// Before a word goes into `slot`: an empty line gets the observer's mark.
inline void NoteLineStart(LineRing& ring, LineSlot& slot) {
  if (ring.observer && slot.mark == 0) slot.mark = ring.observer->LineStarted();
}

// The end of an output statement for its line (ring index `index`): words
// marked "?" lose the mark and a line of nothing but marked words is
// emptied; EACH output joins the line unless `flushing` or the slot says no.
void FinishLine(OutputContext& ctx, int index, bool flushing);

// FinishLine for the current line; then the next slot becomes current and
// the slot ten behind the old current one is written out.
void CompleteLine(OutputContext& ctx, bool flushing);

// Writes out one slot (sequence number, order, skip text, ssEol) and
// clears it.
void WriteSlot(OutputContext& ctx, int index);

// Completes and writes every slot, oldest first, the current line
// included; the current slot is then empty.
void FlushLines(OutputContext& ctx);

// FlushLines, then every slot forgets its sequence request and is marked
// no-number until a statement writes into it again.
void FlushAllLines(OutputContext& ctx);

// Makes room for a line `distance` (1..10) ahead: the lines from there on
// move one slot further; the last future slot is given up.
void InsertAhead(LineRing& ring, int distance);

// Makes room for a line `distance` (1..10) behind: the oldest line is
// written out, that line and every later one moves one slot on (the line
// being collected too, which stays current).
void InsertBehind(OutputContext& ctx, int distance);

}  // namespace tornel
