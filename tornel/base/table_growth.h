// Running out of memory, and the growth rule of the program-wide tables.
// Every table that grows with the post file or the run goes through here,
// so a failed allocation always ends the run with the same report.
#pragma once

#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "tornel/base/diagnostics.h"

namespace tornel {

inline constexpr const char* kMsgNoMemory = "Not enough memory for postprocessor.";

// Tables grow 2048 entries at a time.
inline constexpr size_t kTableGrowth = 2048;

// Limits on what a post file makes, so that no single allocation that the
// input controls grows without bound (docs/language.md states them):
// the characters of one string value, the elements of one array, and the
// slots of one value table (system variables, literals, globals and locals
// together).
inline constexpr size_t kStringLimit = 1000000;
inline constexpr int kArrayLimit = 1000000;
inline constexpr int kValueTableLimit = 4000000;

inline constexpr const char* kMsgStringTooLong =
    "String too long: a string may hold at most %d characters in";

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

// Refuses a string of `length` characters beyond kStringLimit (a report at
// the current location: strings are made by the post's statements).
inline void CheckStringLength(Diagnostics& diag, size_t length) {
  if (length > kStringLimit)
    FatalAt(diag, FormatMessage(kMsgStringTooLong, {std::to_string(kStringLimit)}));
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
