#include "tornel/output/line_ring.h"

#include <algorithm>
#include <cerrno>
#include <utility>

#include "platform/text_file.h"
#include "tornel/base/file_open.h"
#include "tornel/base/table_growth.h"
#include "tornel/output/address_word.h"
#include "tornel/output/nc_file.h"
#include "tornel/output/output_context.h"
#include "tornel/output/trigger_check.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {

namespace {

constexpr size_t kWordGrowth = 100;
// A line completed after the end of the run closed the NC file (ProcessEnd).
constexpr const char* kMsgNcFileClosed = "NC output after the NC file was closed.";
// A conditional line is moved on at most this often in a row during a flush.
constexpr int kMaxCondMoves = 10;

uint32_t WithoutBands(uint32_t key) { return key % kBandUnit; }

// Hands a request made through siSeqNext on to the next slot, unless that
// slot has one of its own.
void PassSeqRequest(LineRing& ring, int index, int request) {
  LineSlot& next = ring.slots[RingIndex(index + 1)];
  if (request >= kSeqNextUnit && next.seq_request == 0) next.seq_request = request;
}

// Moves the words of a conditional line into the next slot (EACH words
// are dropped with their line).
void MoveWordsOn(Diagnostics& diag, LineRing& ring, int index) {
  LineSlot& from = ring.slots[index];
  LineSlot& to = ring.slots[RingIndex(index + 1)];
  if (to.mark == 0) to.mark = from.mark;  // the words keep the line they came from
  for (int i = 0; i < from.count; ++i) {
    LineWord& w = from.words[i];
    if (HasBand(w.key, kBandEach)) continue;
    int order = 0, running = 0;  // the key is kept as it is
    AddWord(diag, to, w.text, order, running, w.blank, 0);
    to.words[to.count - 1].key = w.key;
  }
}

// Whether the sequence numbers ran past srSeqMax: numbering then stays off
// even for lines that asked for a number before, so no number repeats.
bool SequenceExhausted(const ValueTables& v) {
  double max = v.reals[kSrSeqMax];
  return max != 0.0 && v.ints[kSiSeqOn] == 2 && v.reals[kSrSeq] + v.reals[kSrSeqInc] > max;
}

void AddSequenceWord(OutputContext& ctx, LineSlot& slot, int request) {
  ValueTables& v = ctx.values;
  int address = request % kSeqOwnRequest;
  if (address <= 0 || address > AddressCount(ctx.output.addresses))
    FatalAt(ctx.diag, kMsgNoSeqAddress);
  if (slot.seq_value != kNoSeqValue) v.reals[kSrSeq] = slot.seq_value;
  else if (SequenceExhausted(v)) return;
  double number = v.reals[kSrSeq];
  v.reals[kSrSeq] += v.reals[kSrSeqInc];
  if (v.reals[kSrSeqMax] != 0.0 && v.reals[kSrSeq] > v.reals[kSrSeqMax]) {
    v.ints[kSiSeqOn] = 2;
    v.reals[kSrSeq] -= v.reals[kSrSeqInc];
  }
  std::string& text = ctx.output.ring.word;
  if (!FormAddressWord(ctx, address, number, WordModifier::kNone, false, text)) return;
  int running = kFirstRunningOrder;
  AddWord(ctx.diag, slot, text, ctx.output.addresses.records[address].order, running,
          AddressBlank(ctx.output.addresses, v, address), 0);
}

}  // namespace

void AddWord(Diagnostics& diag, LineSlot& slot, std::string_view text, int order,
             int& running_order, bool blank, uint32_t band) {
  if (slot.chars + text.size() + 1 > kNcLineLimit)
    FatalAt(diag, FormatMessage(kMsgNcLineTooLong, {std::to_string(kNcLineLimit)}));
  slot.chars += text.size() + 1;
  if (static_cast<size_t>(slot.count) == slot.words.size()) {
    WithMemory(diag, [&] { slot.words.resize(slot.words.size() + kWordGrowth); });
  }
  int o = order != 0 ? order : running_order;
  o = std::clamp(o, 0, kMaxOrder);
  running_order = o;
  LineWord& w = slot.words[slot.count++];
  w.text.assign(text);
  w.key = static_cast<uint32_t>(slot.count) + static_cast<uint32_t>(o) * 100u + band;
  w.blank = blank;
}

void ClearSlot(LineSlot& slot) {
  slot.count = 0;
  slot.chars = 0;
  slot.seq_request = 0;
  slot.no_number = false;
  slot.skip = false;
  slot.skip_text.clear();
  slot.no_each = false;
  slot.pending = false;
  slot.seq_value = kNoSeqValue;
  slot.mark = 0;
}

void FinishLine(OutputContext& ctx, int index, bool flushing) {
  LineSlot& slot = ctx.output.ring.slots[index];
  bool all_marked = slot.count > 0;
  for (int i = 0; i < slot.count; ++i) {
    uint32_t& key = slot.words[i].key;
    if (HasBand(key, kBandMarked)) key -= kBandMarked;
    else all_marked = false;
  }
  if (all_marked) {
    slot.count = 0;
    slot.chars = 0;
    slot.mark = 0;
  }
  slot.pending = false;
  if (!flushing && !slot.no_each) {
    ctx.output.word_slot = index;  // the EACH words join this line
    bool output = true;
    CheckTriggers(ctx, kEachKey, 0.0, false, false, false, output);
  }
}

void CompleteLine(OutputContext& ctx, bool flushing) {
  LineRing& ring = ctx.output.ring;
  int old = ring.current;
  FinishLine(ctx, old, flushing);
  ring.current = RingIndex(old + 1);
  for (int d = 1; d < kMaxLineOffset; ++d) ring.inserted[d] = ring.inserted[d + 1];
  ring.inserted[kMaxLineOffset] = 0;
  WriteSlot(ctx, RingIndex(old - kMaxLineOffset));
}

void WriteSlot(OutputContext& ctx, int index) {
  LineRing& ring = ctx.output.ring;
  LineSlot& slot = ring.slots[index];
  int request = slot.seq_request;
  if (slot.count == 0) {
    PassSeqRequest(ring, index, request);
    ClearSlot(slot);
    return;
  }

  bool all_each = true, all_cond = true;
  for (int i = 0; i < slot.count; ++i) {
    uint32_t key = slot.words[i].key;
    if (HasBand(key, kBandEach)) continue;
    all_each = false;
    if (!HasBand(key, kBandCondOffset)) all_cond = false;
  }
  if (all_each) {
    PassSeqRequest(ring, index, request);
    ClearSlot(slot);
    return;
  }
  if (all_cond && !(ring.flushing && ring.cond_moves >= kMaxCondMoves)) {
    MoveWordsOn(ctx.diag, ring, index);
    PassSeqRequest(ring, index, request);
    ClearSlot(slot);
    ++ring.cond_moves;
    return;
  }
  ring.cond_moves = 0;

  for (int i = 0; i < slot.count; ++i) slot.words[i].key = WithoutBands(slot.words[i].key);
  bool numbered = false;
  if (request != 0) {
    if (!slot.no_number || request > 3 * kSeqNextUnit) numbered = true;
    else if (request >= 2 * kSeqNextUnit) PassSeqRequest(ring, index, request);
  }
  // A failed sequence word leaves the line to be written without it.
  slot.seq_request = 0;
  if (numbered) AddSequenceWord(ctx, slot, request);

  // Words by key; insertion sort is stable and needs no memory of its own.
  std::vector<int>& sorted = ring.sorted;
  sorted.clear();
  for (int i = 0; i < slot.count; ++i) {
    sorted.push_back(i);
    for (size_t j = sorted.size() - 1; j > 0 && slot.words[sorted[j - 1]].key > slot.words[i].key; --j)
      std::swap(sorted[j], sorted[j - 1]);
  }
  std::string& line = ring.line;
  line.clear();
  if (slot.skip) line += slot.skip_text;
  bool first = true;
  for (int i : sorted) {
    const LineWord& w = slot.words[i];
    if (w.blank && !first) line += ' ';
    line += w.text;
    first = false;
  }
  line += ctx.values.strings[kSsEol];
  line += '\n';
  std::FILE* nc = ctx.output.nc;
  if (!nc) FatalPlain(ctx.diag, kMsgNcFileClosed);
  Pump(ctx.diag);
  if (!platform::WriteText(nc, line)) {
    int err = errno;
    // The file now ends somewhere in this line: finishing cuts it off
    // (a file of the post's that FileSel chose is no NC file).
    if (!OutputRedirected(ctx.output)) ctx.output.nc_failed = true;
    FatalWriteError(ctx.diag, ctx.output.nc_name, err);
  }
  ++ring.written;
  if (ring.observer) ring.observer->LineWritten(slot.mark, line, !OutputRedirected(ctx.output));
  ClearSlot(slot);
}

void FlushLines(OutputContext& ctx) {
  LineRing& ring = ctx.output.ring;
  // The mark comes off however the flush ends.
  struct Flushing {
    explicit Flushing(LineRing& r) : ring(r), was(r.flushing) { r.flushing = true; }
    ~Flushing() { ring.flushing = was; }
    LineRing& ring;
    bool was;
  } flushing(ring);
  for (int i = 0; i < kRingSlots; ++i) CompleteLine(ctx, true);
  ring.inserted.fill(0);
}

void FlushAllLines(OutputContext& ctx) {
  FlushLines(ctx);
  for (LineSlot& slot : ctx.output.ring.slots) {
    slot.seq_request = 0;
    slot.no_number = true;
  }
}

void InsertAhead(LineRing& ring, int distance) {
  ClearSlot(SlotAt(ring, kMaxLineOffset));
  for (int d = kMaxLineOffset - 1; d >= distance; --d) std::swap(SlotAt(ring, d), SlotAt(ring, d + 1));
}

void InsertBehind(OutputContext& ctx, int distance) {
  LineRing& ring = ctx.output.ring;
  WriteSlot(ctx, RingIndex(ring.current - kMaxLineOffset));
  // The slot just written is the one after the last future slot.
  for (int d = kMaxLineOffset; d >= -distance; --d) std::swap(SlotAt(ring, d), SlotAt(ring, d + 1));
  ring.current = RingIndex(ring.current + 1);
}

}  // namespace tornel
