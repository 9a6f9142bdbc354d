// Running out of memory, and the growth rule of the program-wide tables.
// Every table that grows with the post file or the run goes through here,
// so a failed allocation always ends the run with the same report.
#pragma once

#include <new>
#include <stdexcept>
#include <vector>

#include "tornel/base/diagnostics.h"

namespace tornel {

inline constexpr const char* kMsgNoMemory = "Not enough memory for postprocessor.";

// Tables grow 2048 entries at a time.
inline constexpr size_t kTableGrowth = 2048;

// The report of a failed allocation (an internal error: stop icon).
[[noreturn]] inline void ReportNoMemory(Diagnostics& diag) { FatalPlain(diag, kMsgNoMemory, true); }

// Runs `allocate` (anything that may allocate); a failed allocation, or a
// size beyond what the container can hold, is reported.
template <class F>
void WithMemory(Diagnostics& diag, F&& allocate) {
  try {
    allocate();
  } catch (const std::bad_alloc&) {
    ReportNoMemory(diag);
  } catch (const std::length_error&) {
    ReportNoMemory(diag);
  }
}

// Makes `needed_index` a valid index of `table`, growing it by whole steps
// of kTableGrowth.
template <class T>
void GrowTable(Diagnostics& diag, std::vector<T>& table, size_t needed_index) {
  if (needed_index < table.size()) return;
  WithMemory(diag, [&] {
    size_t size = table.size();
    while (size <= needed_index) size += kTableGrowth;
    table.resize(size);
  });
}

}  // namespace tornel
