#include "tornel/cl/read_ahead.h"

#include <cstdio>

#include "platform/text_file.h"
#include "tornel/cl/cl_input.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {

namespace {

// The records of the working copy from the reader's position on.
bool VisitFile(ClContext& ctx, RecordVisitor& visitor, const char* seek_message) {
  ClReader& r = ctx.cl;
  std::FILE* f = platform::OpenBinary(kTempAptCopy, "r");
  if (!f || std::fseek(f, r.block.taken, SEEK_SET) != 0) {
    if (f) std::fclose(f);
    FatalPlain(ctx.diag, seek_message, true);
  }
  InputBlock& block = r.window_block;
  ResetInputBlock(block, kTempAptCopy);
  InputPart part;
  RecordSlot slot;
  int32_t line = r.line_counter;
  bool stopped = false;
  while (!stopped && ReadInputPart(ctx.diag, f, block, nullptr, part)) {
    if (!part.new_line) continue;  // the rest of a line cut at its limit
    if (part.cut) break;           // a record too long: reported when it comes
    FeedResult result = AssembleLine(slot, part.text, ++line);
    if (result == FeedResult::kContinued || result == FeedResult::kNothing) continue;
    if (result != FeedResult::kRecord) break;  // FINI, or a record reported when it comes
    stopped = !visitor.Visit(slot);
    EmptySlot(slot);
  }
  std::fclose(f);
  return stopped;
}

}  // namespace

bool VisitRecordsAhead(ClContext& ctx, RecordVisitor& visitor, const char* seek_message) {
  ClReader& r = ctx.cl;
  // A record of AptCmd has no ring to look through.
  if (r.processing >= kClRingSlots) return false;
  for (int k = 1; k <= kClLookAhead; ++k) {
    const RecordSlot& q = r.slots[(r.processing + k) % kClRingSlots];
    if (q.words == 0) return false;  // the end of the input is in the ring
    if (!visitor.Visit(q)) return true;
  }
  if (r.end || !r.second_pass) return false;
  return VisitFile(ctx, visitor, seek_message);
}

}  // namespace tornel
