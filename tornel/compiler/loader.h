// The loader: the final intermediate text becomes the program the
// interpreter runs, one byte string of statement records, and the label
// table that turns a label number into a position in it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tornel/base/diagnostics.h"
#include "tornel/compiler/function_table.h"

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

// A reference of the program that names nothing (internal: the passes
// never write one).
inline constexpr const char* kMsgIllegalReference =
    "Tornel internal error. Illegal reference in LoadProgram.";

// What the references of a program may name: the sizes of the value tables
// and the function descriptors.
struct ReferenceLimits {
  size_t ints = 0;
  size_t reals = 0;
  size_t strings = 0;
  const FunctionTables* functions = nullptr;  // null: the program has no functions
};

// Loads `lines` (records and label lines, without line ends) into
// `program`.  The label table starts with `label_count` entries, all
// kLabelNotPlaced; a label line with a larger number enlarges it.
// "Not enough memory for postprocessor." when the program can't be held.
//
// Then every reference is checked, so that the interpreter can trust what
// it reads: a variable (its index, and an array's size) lies inside its
// value table, a function reference carries the offset of a descriptor
// whose label, locals and parameters are in range, a jump names a placed
// label, and a function class byte is followed by a function code.  A
// reference that fails is kMsgIllegalReference.
void LoadProgram(Diagnostics& diag, const std::vector<std::string>& lines, int label_count,
                 const ReferenceLimits& limits, LoadedProgram& program);

}  // namespace tornel
