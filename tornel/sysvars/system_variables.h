// The predefined system variables by slot.  Every part of Tornel reads and
// writes them through the constants below (kSiEachOn, kSrX, kSsNcDir ...),
// which index the integer, real and string value tables.  Both the constants
// and the registration list come from the one list in system_variables.def,
// so a slot can't drift from the name the post file uses.  The default
// columns of the same rows are read in defaults.cc.
#pragma once

#include <array>
#include <iterator>
#include <string_view>

#include "tornel/compiler/variable_table.h"
#include "tornel/sysvars/system_variable_counts.h"

namespace tornel {

struct SystemVariableRow {
  VarType type;
  std::string_view text;  // the definition: name, then "[n]" for an array
};

// All system variables in registration order.
inline constexpr SystemVariableRow kSystemVariableRows[] = {
#define TORNEL_SI(id, text, ...) {VarType::kInteger, text},
#define TORNEL_SR(id, text, ...) {VarType::kReal, text},
#define TORNEL_SS(id, text, ...) {VarType::kString, text},
#include "tornel/sysvars/system_variables.def"
};
inline constexpr int kSystemVariableCount = static_cast<int>(std::size(kSystemVariableRows));

namespace sysvar_detail {

// Row numbers, only to compute the slot constants.
enum class Row : int {
#define TORNEL_SI(id, text, ...) id,
#define TORNEL_SR(id, text, ...) id,
#define TORNEL_SS(id, text, ...) id,
#include "tornel/sysvars/system_variables.def"
};

constexpr int Elements(const SystemVariableRow& row) {
  auto def = ParseVariableDefinition(row.text);
  return def ? def->elements : 0;
}

// Slots are handed out per table from 0 in row order.
constexpr std::array<int, kSystemVariableCount> ComputeSlots() {
  std::array<int, kSystemVariableCount> slots{};
  int next[kVarTypes] = {};
  for (int i = 0; i < kSystemVariableCount; ++i) {
    int t = static_cast<int>(kSystemVariableRows[i].type);
    slots[i] = next[t];
    next[t] += Elements(kSystemVariableRows[i]);
  }
  return slots;
}

inline constexpr std::array<int, kSystemVariableCount> kSlots = ComputeSlots();

constexpr int SlotOf(Row row) { return kSlots[static_cast<int>(row)]; }
constexpr int ElementsOf(Row row) { return Elements(kSystemVariableRows[static_cast<int>(row)]); }

}  // namespace sysvar_detail

// The first slot of each system variable, row by row.
inline constexpr const std::array<int, kSystemVariableCount>& kSystemVariableSlots =
    sysvar_detail::kSlots;

// Slots in the integer table.
enum IntegerSlot : int {
#define TORNEL_SI(id, text, ...) id = sysvar_detail::SlotOf(sysvar_detail::Row::id),
#include "tornel/sysvars/system_variables.def"
};

// Slots in the real table.
enum RealSlot : int {
#define TORNEL_SR(id, text, ...) id = sysvar_detail::SlotOf(sysvar_detail::Row::id),
#include "tornel/sysvars/system_variables.def"
};

// Slots in the string table.
enum StringSlot : int {
#define TORNEL_SS(id, text, ...) id = sysvar_detail::SlotOf(sysvar_detail::Row::id),
#include "tornel/sysvars/system_variables.def"
};

// Elements of the per-record word arrays (siWordType ...) and of the lists
// indexed by tool, work coordinate or view number (srToolList ...).
inline constexpr int kRecordWordSlots = sysvar_detail::ElementsOf(sysvar_detail::Row::kSiWordType);
inline constexpr int kListSlots = sysvar_detail::ElementsOf(sysvar_detail::Row::kSrToolList);

namespace sysvar_detail {

struct Totals {
  int variables[kVarTypes] = {};
  int slots[kVarTypes] = {};
  bool valid = true;  // every row parses and its name announces its table
};

constexpr Totals ComputeTotals() {
  Totals totals;
  for (const SystemVariableRow& row : kSystemVariableRows) {
    auto def = ParseVariableDefinition(row.text);
    if (!def || TypeFromName(def->name) != row.type) totals.valid = false;
    int t = static_cast<int>(row.type);
    ++totals.variables[t];
    totals.slots[t] += Elements(row);
  }
  return totals;
}

inline constexpr Totals kTotals = ComputeTotals();
static_assert(kTotals.valid, "a system variable row is no valid definition of its table's type");
static_assert(kTotals.variables[0] == kIntegerSystemVariables);
static_assert(kTotals.slots[0] == kIntegerSystemSlots);
static_assert(kTotals.variables[1] == kRealSystemVariables);
static_assert(kTotals.slots[1] == kRealSystemSlots);
static_assert(kTotals.variables[2] == kStringSystemVariables);
static_assert(kTotals.slots[2] == kStringSystemSlots);

}  // namespace sysvar_detail

}  // namespace tornel
