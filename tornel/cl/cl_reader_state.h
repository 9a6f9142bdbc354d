// The state of the APT-CL reader for a run: the ring of record slots with
// the command slot, the pass and its files, and the flags by which the
// APT-access functions steer the reader.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

#include "tornel/cl/cl_input.h"
#include "tornel/cl/cl_record.h"
#include "tornel/cl/dispatch_state.h"

namespace tornel {

inline constexpr int kClRingSlots = 40;    // slots 0-39: the look-ahead ring
inline constexpr int kCommandSlot = 40;  // records built by AptCmd
inline constexpr int kClLookAhead = kClRingSlots - 1;

// Tool numbers and flags that the look-ahead scan and the record dispatcher
// share.
struct ToolTracking {
  double current = 0;
  double previous = 0;
  double next = 0;
  bool active = false;          // from a tool change until ToolCancel
  bool cancel_pending = false;  // the look-ahead saw the tool end
  double first_max_rpm = 0;     // MAXRPM of the first tool's SPINDL record
};

// The companion CL file (the UV profile of wire EDM), read a record at a
// time beside the input.
struct CompanionInput {
  InputBlock block;
  InputPart part;
  RecordSlot slot;
  int32_t line = 0;
  bool ended = false;  // its end or FINI was reached
};

struct ClReader {
  std::vector<RecordSlot> slots = std::vector<RecordSlot>(kClRingSlots + 1);
  int current = 0;     // slot that receives the next line
  int processing = 0;  // slot whose record is being processed
  int32_t line_counter = 0;
  int32_t previous_line_count = 0;  // siRecs of the next pass
  bool second_pass = false;
  bool end = false;            // FINI was read
  bool restart = false;        // AptJump rewound the input
  bool parse_only = false;     // AptCmd: parse into the current slot only
  bool skip_dispatch = false;  // AptNext: load the record, don't process it
  int32_t first_move = 1;
  int32_t init_move = 1;
  // The program frame of CL files that lack PARTNO or END: the first pass
  // notes which they have, and the second gives the file the missing record
  // (see RunClPass).
  bool has_partno = false;  // the first pass met a PARTNO record
  bool has_end = false;     // the first pass met an END record
  bool has_records = false; // the first pass processed a record
  bool started = false;     // this pass has processed a record
  bool end_seen = false;    // this pass has met an END record

  // Open during a pass only (closed by the pass, also when the run ends
  // inside it).
  std::FILE* input = nullptr;
  std::FILE* copy = nullptr;       // first pass: "TorApt.tmp"
  std::FILE* companion = nullptr;  // -x: the companion CL file
  CompanionInput uv;
  long length = 1;                 // of the input; 0 counts as 1
  InputBlock block;                // the input, read a block at a time
  InputBlock window_block;         // reading ahead for the rotary axis's stretch
  InputPart part;                  // the part of a line read last
  int progress_base = 0;
  int progress_span = 10;

  ToolTracking tools;
  DispatchState dispatch;
};

}  // namespace tornel
