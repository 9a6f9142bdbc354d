// The loader: the final intermediate text becomes the program the
// interpreter runs, one byte string of statement records, and the label
// table that turns a label number into a position in it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tornel/base/diagnostics.h"

namespace tornel {

// A label that no label line placed (a pass made a number it did not use).
inline constexpr int32_t kLabelNotPlaced = -1;

struct LoadedProgram {
  // Every statement record, location prefix and kTokLineEnd included, in
  // text order; label lines removed.  bytes.size() is the program length,
  // and bytes[length] reads as the 0 byte that ends the program.
  std::string bytes;
  // Label number -> position of the record that follows its label line.
  std::vector<int32_t> labels;
};

inline size_t ProgramLength(const LoadedProgram& p) { return p.bytes.size(); }

// Loads `lines` (records and label lines, without line ends) into
// `program`.  The label table starts with `label_count` entries, all
// kLabelNotPlaced; a label line with a larger number enlarges it.
// "Not enough memory for postprocessor." when the program can't be held.
void LoadProgram(Diagnostics& diag, const std::vector<std::string>& lines, int label_count,
                 LoadedProgram& program);

}  // namespace tornel
