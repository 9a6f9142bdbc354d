// The value memory of a run's post dialogs: the post's defaults as they
// were recorded with the stored values, the values the Reset buttons go
// back to, and the steps by which the run reads and writes the values
// file and the settings file.  Over the value tables and the texts of the
// files; reading and writing the files is the run's.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tornel/compiler/dialog_variable_scan.h"
#include "tornel/dialogs/value_memory.h"
#include "tornel/sysvars/value_tables.h"

namespace tornel {

struct DialogMemory {
  // One per memory-list entry, in list order.
  std::vector<StoredValue> recorded;  // the post's default when the values were stored
  std::vector<StoredValue> reset;     // what Reset gives back
  std::vector<bool> zero_at_start;    // the variable was 0 when the defaults were recorded
};

// Step 1, after the first pass: the current values are the recorded
// defaults, replaced by those of the "_" section text (`section`, the
// body lines) where it fits the post.  False when the section's count line
// does not fit: the run deletes the values file.
bool RecordDefaults(DialogMemory& m, const DialogVariables& vars, const ValueTables& v,
                    const std::optional<std::vector<std::string>>& section);

// Step 3: the settings file's body.  False when it does not fit the post
// (count line, or a line that cannot be read): the run deletes it.  Puts
// the saved settings into their variables, and makes them the recorded
// defaults of memory-list variables.
bool ApplySettings(DialogMemory& m, const DialogVariables& vars, ValueTables& v,
                   const std::vector<std::string>& lines);

// Step 4: the stored values (the "#post" section's body).  The current
// values become the reset values; a stored value is put in where the
// variable still holds its recorded default (srProgNo, srWCoord and
// srMaxRPM also where they were 0).  False when the count line does not
// fit: the run deletes the values file.
bool ApplyStoredValues(DialogMemory& m, const DialogVariables& vars, ValueTables& v,
                       const std::vector<std::string>& lines, const std::vector<int>& zero_restored);

// Reset: every memory-list variable back to its reset value, or only those
// `shown` lists (type and slot).
void ResetVariables(const DialogMemory& m, const DialogVariables& vars, ValueTables& v,
                    const std::vector<DialogVariable>* shown);

}  // namespace tornel
