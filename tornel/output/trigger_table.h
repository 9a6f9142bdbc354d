// The trigger table: one list of five-integer entries that ties output to
// addresses.  Modal groups and the OnAddr/OnAddrOut functions are entered
// when the post file is compiled; WITH, BIND and EACH statements add
// theirs at run time, after them, so a compiled entry keeps its number for
// the whole run.
#pragma once

#include <vector>

#include "tornel/base/diagnostics.h"

namespace tornel {

enum TriggerKind : int {
  kTriggerNone = 0,      // a removed entry
  kTriggerWith = 1,      // output once, the next time the address is written
  kTriggerBind = 2,      // output every time the address is written
  kTriggerEach = 3,      // output into every completed line
  kTriggerFunction = 4,  // OnAddr / OnAddrOut function
  kTriggerGroup = 5,     // modal group
};

inline constexpr int kTriggerFlagForce = 6;    // "!": the trigger forces the word out
inline constexpr int kTriggerFlagWritten = 7;  // "?" or OnAddrOut: only when the word is written
inline constexpr int kEachKey = -1;

struct TriggerEntry {
  int key = 0;       // address index, kEachKey, or a group's address
  int kind = kTriggerNone;
  int flag = 0;
  int position = 0;  // statement position; descriptor offset (functions); current-value slot (groups)
  int link = 0;      // previous entry of a WITH/BIND list; last value slot (groups)
};

struct TriggerTable {
  std::vector<TriggerEntry> entries;
};

// Entries are referred to by number from 1 (entry index + 1).
inline int TriggerNumber(int index) { return index + 1; }

// Appends an entry and gives its index; the table grows 500 entries at a
// time ("Not enough memory for postprocessor." when it cannot).
int AddTrigger(Diagnostics& diag, TriggerTable& table, const TriggerEntry& entry);

// Removes the entry at `index`; the later entries move up, and the links
// that named it or a later entry are mended.
void RemoveTrigger(TriggerTable& table, size_t index);

// Removes the entry at `index` and every entry of its WITH/BIND list; gives
// how many entries at or before `walk` went (so that a walk can go on).
size_t RemoveTriggerList(TriggerTable& table, size_t index, size_t walk);

// Removes the entries of `kind` for `key` (every entry of that kind when
// `key` is kAllKeys).
void RemoveTriggers(TriggerTable& table, int kind, int key);
inline constexpr int kAllKeys = -2;

}  // namespace tornel
