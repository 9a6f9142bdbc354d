// Modal groups: code values of one address that share a modal state, so
// that a code is written only when it differs from the group's last one.
//
//   modalgroup
//     mgmotion _g 0 1 2 3
//     mgplane _g 17 18 19
//   end modalgroup
//
// A group is an entry of the trigger table (kind kTriggerGroup) whose
// position is its current-value slot in the modal value array and whose
// link is its last value slot; the values lie in between.  Entries are
// referred to by number (TriggerNumber).
#pragma once

#include <vector>

#include "tornel/base/diagnostics.h"
#include "tornel/output/trigger_table.h"

namespace tornel {

struct ModalValues {
  std::vector<double> slots;  // per group: current value, then its values
};

// Enters a group of `address` with `values` (at least one); gives its
// entry index.  The array grows 100 slots at a time.
int AddModalGroup(Diagnostics& diag, TriggerTable& triggers, ModalValues& modal, int address,
                  const std::vector<double>& values);

// The group entry of a reference number, or null when the number names no
// group.
const TriggerEntry* GroupEntry(const TriggerTable& triggers, int number);

inline int GroupValueCount(const TriggerEntry& g) { return g.link - g.position; }

// The group check of an address word being formed: a value of a group is
// written when it differs from the group's current value or the word is
// forced, and suppressed when it is the same; the current value becomes the
// value, or undefined with `forget`.  Other values leave `output` alone.
void CheckModalGroup(ModalValues& modal, const TriggerEntry& group, double value, bool force,
                     bool forget, bool& output);

}  // namespace tornel
