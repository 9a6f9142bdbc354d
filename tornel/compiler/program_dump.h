// A readable listing of the loaded program, for tests and for finding out
// what a misbehaving post was compiled into: every record with its position,
// its file and line, its tokens by name, and the labels where they point.
//
//   program: 71 bytes, 3 labels
//      0  mill.tr:2  x=1
//      8  mill.tr:3  {test}(x>1{and}x{<=}3){jump-if-false L0}
//     25  mill.tr:3  y=2
//   L0:
//   L1:
//     33  lib/a.inc:3  {test}(z{<>}0){jump-if-false L2}
//   ...
//
// Positions are byte offsets into the program, the numbers that the label
// table holds.
#pragma once

#include <string>
#include <string_view>

#include "tornel/base/diagnostics.h"
#include "tornel/compiler/loader.h"

namespace tornel {

// The listing; file names come from diag (the post file and the include
// list).  Labels that no line placed are listed at the end.
std::string DumpProgram(const Diagnostics& diag, const LoadedProgram& program);

// One statement (without location prefix and line end) with its token bytes
// written as names in braces: {int 57}, {jump L3}, {RETURN}, {<=}, {.modal}.
// Plain characters stay as they are.
std::string ReadableTokens(std::string_view statement);

}  // namespace tornel
