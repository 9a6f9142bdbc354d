// The stack store: growable stacks the compiler keeps while it compiles
// (the string literals until the value tables exist, the nesting of
// control structures).  50 integer rows and 50 text rows, numbered 0..49.
//
// Rows are named by StackRow, whose constructor runs at compile time: a row
// number outside 0..49 does not build, and each operation is its own
// function, so neither an illegal row nor an illegal operation can reach
// the store when Tornel runs.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tornel/base/diagnostics.h"

namespace tornel {

inline constexpr int kStackRows = 50;

class StackRow {
 public:
  consteval StackRow(int row) : row_(row) {
    if (row < 0 || row >= kStackRows) throw "stack row must be 0..49";
  }
  constexpr int index() const { return row_; }

 private:
  int row_;
};

// A get past a row's entries (the compiler expected an entry there).
inline constexpr const char* kMsgIllegalStackGet = "Tornel internal error. Illegal Stack get index.";

// Text row 0 holds the post file's string literals in the order the
// preprocessor finds them, until the value tables take them over.
inline constexpr StackRow kStringLiteralRow{0};

// One row: `slots.size()` is its capacity, which grows by the table growth
// rule (2048 entries at a time) when a push finds the row full.
template <class T>
struct StackRowData {
  std::vector<T> slots;
  size_t count = 0;
};

struct StackStore {
  std::array<StackRowData<int>, kStackRows> ints;
  std::array<StackRowData<std::string>, kStackRows> texts;
};

// Integer rows.  Pop on an empty row fails without a report: the caller
// decides what an empty row means.
void PushInt(Diagnostics& diag, StackStore& store, StackRow row, int value);
std::optional<int> PopInt(StackStore& store, StackRow row);
size_t IntCount(const StackStore& store, StackRow row);
void ReleaseIntRows(StackStore& store);

// Text rows hold copies.  Pop copies the top text out (nothing when the row
// is empty); Get gives entry `index` when 0 <= index < count, else nothing.
void PushText(Diagnostics& diag, StackStore& store, StackRow row, std::string_view text);
std::optional<std::string> PopText(StackStore& store, StackRow row);
const std::string* GetText(const StackStore& store, StackRow row, long long index);
size_t TextCount(const StackStore& store, StackRow row);
void ReleaseTextRow(StackStore& store, StackRow row);

// Frees every row of both kinds (end of the run).
void ReleaseAllRows(StackStore& store);

}  // namespace tornel
