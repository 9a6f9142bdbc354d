#include "tornel/cl/cl_reader.h"

#include <algorithm>
#include <cerrno>
#include <string_view>
#include <utility>

#include "platform/progress.h"
#include "platform/text_file.h"
#include "tornel/base/file_open.h"
#include "tornel/cl/cl_context.h"
#include "tornel/cl/cl_input.h"
#include "tornel/cl/dispatch.h"
#include "tornel/cl/lathe_rough.h"
#include "tornel/cl/lookahead.h"
#include "tornel/cl/wire_edm.h"
#include "tornel/cl/wire_profile.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {

namespace {

int RingSize(const ClReader& r) { return r.second_pass ? kClRingSlots : 1; }

// The record variables of one family (current, _Prev or _Next).
struct RecordVars {
  int rec, size, type, value, word;
};
constexpr RecordVars kCurrent{kSiRec, kSiRecSize, kSiWordType, kSrWordVal, kSsWordStr};
constexpr RecordVars kNext{kSiRec_Next, kSiRecSize_Next, kSiWordType_Next, kSrWordVal_Next,
                           kSsWordStr_Next};
constexpr RecordVars kPrev{kSiRec_Prev, kSiRecSize_Prev, kSiWordType_Prev, kSrWordVal_Prev,
                           kSsWordStr_Prev};

// Entries at and above the word count keep what they had.
void LoadRecord(ValueTables& v, const RecordSlot& slot, RecordVars to) {
  v.ints[to.rec] = slot.line;
  v.ints[to.size] = slot.words;
  for (int i = 0; i < slot.words; ++i) {
    v.ints[to.type + i] = slot.type[i];
    v.reals[to.value + i] = slot.value[i];
    v.strings[to.word + i] = slot.word[i];  // reuses the string's room
  }
}

// The word count as the post may have left it, kept inside the arrays.
int WordCount(const ValueTables& v) {
  return std::clamp<int32_t>(v.ints[kSiRecSize], 0, kRecordWordLimit);
}

void EndRecord(ClReader& r, ValueTables& v, RecordSlot& slot) {
  v.ints[kPrev.rec] = v.ints[kCurrent.rec];
  v.ints[kSiRecType_Prev] = v.ints[kSiRecType];
  v.ints[kPrev.size] = v.ints[kCurrent.size];
  for (int i = 0, n = WordCount(v); i < n; ++i) {
    v.ints[kPrev.type + i] = v.ints[kCurrent.type + i];
    v.reals[kPrev.value + i] = v.reals[kCurrent.value + i];
    v.strings[kPrev.word + i] = v.strings[kCurrent.word + i];
  }
  EmptySlot(slot);
  r.skip_dispatch = false;
}

// Closes the pass's files however the pass ends.
struct PassFiles {
  explicit PassFiles(ClReader& reader) : r(reader) {}
  ~PassFiles() {
    for (std::FILE** f : {&r.input, &r.companion}) {
      if (*f) std::fclose(*f);
      *f = nullptr;
    }
    // A copy still open here is abandoned (the run is ending).
    if (r.copy) platform::CloseFile(r.copy);
    r.copy = nullptr;
  }
  ClReader& r;
};

long FileLength(std::FILE* f) {
  if (std::fseek(f, 0, SEEK_END) != 0) return 1;
  long length = std::ftell(f);
  std::rewind(f);
  return length > 0 ? length : 1;
}


}  // namespace

namespace {

// The first OnAPT function of `major`, or null.
const OnAptEntry* FindOnApt(const ClContext& ctx, const std::string& major) {
  for (const OnAptEntry& e : ctx.calls.in.functions.onapt)
    if (WordIs(major, e.command)) return &e;
  return nullptr;
}

bool RunOnApt(ClContext& ctx, const OnAptEntry& hook) {
  ctx.values.ints[kSiProcess] = 0;
  RunLabel(ctx.calls, hook.label);
  return ctx.values.ints[kSiProcess] == 1;
}

}  // namespace

void FatalInRecord(ClContext& ctx, const char* message, int32_t line) {
  FatalInFileRecord(ctx, ctx.files.apt_path, message, line);
}

void FatalInFileRecord(ClContext& ctx, const std::string& path, const char* message,
                       int32_t line) {
  FatalPlain(ctx.diag,
             std::string(message) + "\n" + FormatMessage(kMsgClFileLine, {path, std::to_string(line)}));
}

// A record that opens or ends the program, as read or as an OnAPT
// function renamed it.
void NoteFrameRecord(ClReader& r, MajorWord major) {
  if (major == MajorWord::kPartNo && !r.second_pass) r.has_partno = true;
  if (major == MajorWord::kEnd) r.end_seen = true;
}

// A CL file without PARTNO (most NX files) or without END (NX and Creo
// files) still makes a whole program: the second pass gets the missing
// record as if the file had it, an empty PARTNO before its first line and
// an END after its last, in the ring with the rest, so the look-ahead
// sees them coming (the last motion knows its tool ends).  The first pass
// gets the END too, for the lists it closes.  A file without any record
// gets neither.
void FeedMadeRecord(ClContext& ctx, std::string_view text, int32_t line) {
  ClReader& r = ctx.cl;
  EmptySlot(r.slots[r.current]);  // an unfinished record at the end of the input
  int at = r.current;
  FeedLine(ctx, text);
  r.slots[at].line = line;
}

bool OfferToOnApt(ClContext& ctx, const std::string& major) {
  const OnAptEntry* hook = FindOnApt(ctx, major);
  return hook ? RunOnApt(ctx, *hook) : ctx.values.ints[kSiProcess] == 1;
}

int ProgressPercent(int base, int span, long position, long length) {
  if (length <= 0) length = 1;
  position = std::clamp(position, 0L, length);
  return base + static_cast<int>(static_cast<double>(position) / static_cast<double>(length) * span);
}

bool ReadInputLine(Diagnostics& diag, ClReader& r, InputPart& part) {
  if (!r.input) return false;
  Pump(diag);
  if (!ReadInputPart(diag, r.input, r.block, r.copy, part)) return false;
  if (!part.new_line) return true;
  ++r.line_counter;
  platform::ProgressSetValue(
      diag.progress, ProgressPercent(r.progress_base, r.progress_span, r.block.taken, r.length));
  if (r.line_counter == 1 && part.text.starts_with(kUtf8ByteOrderMark)) {
    part.text.erase(0, kUtf8ByteOrderMark.size());
  }
  return true;
}

void FeedLine(ClContext& ctx, std::string_view line, bool too_long) {
  ClReader& r = ctx.cl;
  RecordSlot& slot = r.slots[r.current];
  // Reports name the line the record starts on.
  const int32_t record_line = slot.text.empty() ? r.line_counter : slot.line;
  FeedResult result = too_long ? FeedResult::kTooLong : AssembleLine(slot, line, r.line_counter);
  if (too_long) EmptySlot(slot);
  switch (result) {
    case FeedResult::kTooLong:
      if (r.parse_only) FatalPlain(ctx.diag, kMsgRecordTooLong);
      FatalInRecord(ctx, kMsgRecordTooLong, record_line);
    case FeedResult::kTooManyWords:
      if (r.parse_only) FatalPlain(ctx.diag, kMsgTooManyWords);
      FatalInRecord(ctx, kMsgTooManyWords, record_line);
    case FeedResult::kBadNumber:
      if (r.parse_only) FatalPlain(ctx.diag, kMsgBadNumber);
      FatalInRecord(ctx, kMsgBadNumber, record_line);
    case FeedResult::kFini:
      r.end = true;
      return;
    case FeedResult::kRecord:
      break;
    default:
      return;
  }
  if (r.parse_only) return;
  r.current = (r.current + 1) % RingSize(r);
  r.processing = r.current;
  if (r.slots[r.processing].words > 0) ProcessSlot(ctx, r.processing);
}

void ProcessSlot(ClContext& ctx, int s) {
  ClReader& r = ctx.cl;
  ValueTables& v = ctx.values;
  RecordSlot& slot = r.slots[s];
  // The command slot looks ahead from the record being processed around it.
  int scan_from = s == kCommandSlot ? r.processing : s;
  r.processing = s;

  v.ints[kSiProcess] = 1;
  v.ints[kSiRecType] = 0;
  v.ints[kSiMoveType_Next] = 0;
  v.ints[kSiSubType_Next] = 0;
  v.ints[kSiRecType_Next] = 0;
  v.ints[kSiFirstMoveAct] = r.first_move;
  v.ints[kSiInitMoveAct] = r.init_move;
  v.reals[kSrMoveLen] = 0;

  if (s != kCommandSlot) r.started = true;
  NoteFrameRecord(r, slot.major);

  const RecordSlot* next = r.second_pass ? LookAheadScan(r, v, scan_from) : &slot;
  LoadRecord(v, slot, kCurrent);
  if (next) {
    LoadRecord(v, *next, kNext);
  } else {
    v.ints[kNext.rec] = 0;
    v.ints[kNext.size] = 0;
  }

  if (!r.skip_dispatch) {
    MajorWord major = slot.major;
    bool process = true;  // siProcess is 1 unless an OnAPT function says otherwise
    if (const OnAptEntry* hook = FindOnApt(ctx, slot.word[0])) {
      process = RunOnApt(ctx, *hook);
      // The function may have given the record another major word
      // (LOAD/TOOL becomes LOADTL): the dispatch goes by the word it left.
      major = ClassifyMajorWord(v.strings[kSsWordStr]);
      NoteFrameRecord(r, major);
    }
    if (process) DispatchRecord(ctx, major);
  }
  EndRecord(r, v, slot);
}

namespace {

// The record variables of the record being processed, kept across a record
// of AptCmd: the function that issued it goes on seeing its own record, and
// its siProcess is not the command record's.
struct HeldRecord {
  explicit HeldRecord(ValueTables& values) : v(values) {
    rec = v.ints[kCurrent.rec];
    size = v.ints[kCurrent.size];
    process = v.ints[kSiProcess];
    rec_type = v.ints[kSiRecType];
    for (int i = 0; i < kRecordWordLimit; ++i) {
      type[i] = v.ints[kCurrent.type + i];
      value[i] = v.reals[kCurrent.value + i];
      word[i] = v.strings[kCurrent.word + i];
    }
  }
  ~HeldRecord() {
    v.ints[kCurrent.rec] = rec;
    v.ints[kCurrent.size] = size;
    v.ints[kSiProcess] = process;
    v.ints[kSiRecType] = rec_type;
    for (int i = 0; i < kRecordWordLimit; ++i) {
      v.ints[kCurrent.type + i] = type[i];
      v.reals[kCurrent.value + i] = value[i];
      v.strings[kCurrent.word + i] = std::move(word[i]);
    }
  }
  HeldRecord(const HeldRecord&) = delete;
  HeldRecord& operator=(const HeldRecord&) = delete;

  ValueTables& v;
  int32_t rec, size, process, rec_type;
  int32_t type[kRecordWordLimit];
  double value[kRecordWordLimit];
  std::string word[kRecordWordLimit];
};

}  // namespace

void FeedCommand(ClContext& ctx, std::string_view text) {
  ClReader& r = ctx.cl;
  HeldRecord held(ctx.values);
  int saved_current = r.current;
  int saved_processing = r.processing;
  r.parse_only = true;
  r.current = kCommandSlot;
  EmptySlot(r.slots[kCommandSlot]);
  FeedLine(ctx, text);
  // The record stands where the record that issued it stands: siRec and
  // the reports about it name that line, not the line the reading ahead
  // has reached.
  r.slots[kCommandSlot].line = held.rec;
  if (r.slots[kCommandSlot].words > 0) ProcessSlot(ctx, kCommandSlot);
  r.parse_only = false;
  r.current = saved_current;
  r.processing = saved_processing;
}

namespace {

// Loads a consumed record.  Loading a record sets siProcess to 1; the
// OnAPT function that consumed it keeps its own, or its record would be
// dispatched under the consumed record's major word.
void LoadConsumedRecord(ClContext& ctx, int s) {
  int32_t process = ctx.values.ints[kSiProcess];
  ctx.cl.skip_dispatch = true;
  ProcessSlot(ctx, s);
  ctx.values.ints[kSiProcess] = process;
}

}  // namespace

bool ConsumeNextRecord(ClContext& ctx) {
  ClReader& r = ctx.cl;
  if (r.second_pass) {
    // The next record is in the ring: it is loaded and emptied there, and
    // the ring goes on one record short (an empty slot is passed over).
    if (r.processing >= kClRingSlots) return false;
    for (int k = 1; k <= kClLookAhead; ++k) {
      int s = (r.processing + k) % kClRingSlots;
      if (r.slots[s].words == 0) continue;
      int outer = r.processing;
      LoadConsumedRecord(ctx, s);
      r.processing = outer;
      return true;
    }
    return false;
  }
  // The first pass keeps no look-ahead: the next record is read here, into
  // the command slot, and the copy of the input takes its lines as always.
  if (r.parse_only) return false;
  int outer_current = r.current, outer_processing = r.processing;
  r.parse_only = true;
  r.current = kCommandSlot;
  EmptySlot(r.slots[kCommandSlot]);
  bool got = false;
  while (!r.end && ReadInputLine(ctx.diag, r, r.part)) {
    FeedLine(ctx, r.part.text, r.part.cut);
    if (r.slots[kCommandSlot].words > 0) {  // a whole record, its continuation lines joined
      got = true;
      break;
    }
  }
  r.parse_only = false;
  r.current = outer_current;
  if (got) LoadConsumedRecord(ctx, kCommandSlot);
  r.processing = outer_processing;
  return got;
}

void JumpToRecord(ClContext& ctx, double n) {
  ClReader& r = ctx.cl;
  const double last = ctx.values.ints[kSiRecs];
  if (!(n >= 1 && n <= last) || !r.second_pass || !r.input) FatalAt(ctx.diag, kMsgAptJumpIndex);
  const auto line = static_cast<int32_t>(n);
  if (std::fseek(r.input, 0, SEEK_SET) != 0) FatalPlain(ctx.diag, kMsgAptJumpSeek, true);
  ResetInputBlock(r.block, r.block.name);
  r.line_counter = 0;
  r.end = false;
  for (RecordSlot& slot : r.slots) EmptySlot(slot);
  // Every part of the lines before line n.
  while ((r.line_counter < line - 1 || !r.block.line_start) &&
         ReadInputLine(ctx.diag, r, r.part)) {
  }
  r.current = 0;
  r.processing = 0;
  r.restart = true;
}

void RunClPass(ClContext& ctx, ClPass pass) {
  ClReader& r = ctx.cl;
  ValueTables& v = ctx.values;
  bool second = pass == ClPass::kSecond;

  v.ints[kSiRecs] = r.previous_line_count;
  r.second_pass = second;
  r.line_counter = 0;
  r.current = 0;
  r.processing = 0;
  r.end = false;
  r.restart = false;
  r.parse_only = false;
  r.skip_dispatch = false;
  r.first_move = 1;
  r.init_move = 1;
  r.started = false;
  r.end_seen = false;
  if (!second) r.has_partno = false;
  // A record left unfinished by the last pass (a "$" line at the end of the
  // input) must not run into this pass's first record.
  for (RecordSlot& slot : r.slots) EmptySlot(slot);

  int32_t tools = std::min<int32_t>(v.ints[kSiTools], kListSlots);
  if (tools > 0) {
    v.reals[kSrToolFirst] = v.reals[kSrToolList];
    v.reals[kSrToolLast] = v.reals[kSrToolList + tools - 1];
  }

  PassFiles files(r);
  std::string input_path;
  if (!second) {
    r.copy = OpenFile(ctx.diag, kTempAptCopy, "w");
    input_path = ctx.files.apt_path;
    r.progress_base = 0;
    r.progress_span = 10;
  } else {
    input_path = kTempAptCopy;
    r.progress_base = 10;
    r.progress_span = 90;
  }
  if (ctx.flags.companion_file) r.companion = OpenFile(ctx.diag, ctx.files.companion_path, "r");
  StartUvProfile(r, ctx.files.companion_path);
  r.input = platform::OpenBinary(input_path, "r");
  if (r.input) r.length = FileLength(r.input);
  ResetInputBlock(r.block, input_path);

  // Whatever rewinds the input for a restart resets the block as well.
  InputPart& part = r.part;
  bool made_end = false;
  if (second && r.has_records && !r.has_partno) FeedMadeRecord(ctx, "PARTNO", 1);
  do {
    r.restart = false;
    while (!r.end && ReadInputLine(ctx.diag, r, part)) FeedLine(ctx, part.text, part.cut);
    bool has_end = second ? r.has_end : r.end_seen;
    bool has_records = second ? r.has_records : r.started;
    if (!made_end && has_records && !has_end) {
      made_end = true;
      FeedMadeRecord(ctx, "END", r.line_counter);
    }
    // The records still in the ring, oldest first.
    int ring = RingSize(r);
    for (int k = kClLookAhead; k >= 1; --k) {
      int s = ((r.current - k) % ring + ring) % ring;
      if (r.slots[s].words > 0) ProcessSlot(ctx, s);
    }
  } while (r.restart);
  EndOpenContour(ctx);
  if (second) CheckUvProfileEnd(ctx);

  if (r.copy) {
    // The second pass reads the copy: it must have reached the disk whole.
    std::FILE* copy = std::exchange(r.copy, nullptr);
    if (!platform::CloseFile(copy)) FatalWriteError(ctx.diag, kTempAptCopy, errno);
  }
  r.previous_line_count = r.line_counter;
  if (!second) {
    r.has_end = r.end_seen && !made_end;  // the file's own END, not the one made
    r.has_records = r.started;
  }

  v.reals[kSrMaxRPM] = r.tools.first_max_rpm;
  v.reals[kSrWCoord] = v.reals[kSrWCoordList];
  v.reals[kSrcWCoord] = v.reals[kSrWCoordAdd] + v.reals[kSrWCoord];
}

}  // namespace tornel
