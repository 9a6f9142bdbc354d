// A readable listing of the loaded program, for tests and for finding out
// what a misbehaving post was compiled into: every record with its position,
// its file and line, its tokens by name, and the labels where they point.
//
//   program: 62 bytes, 2 labels
//      0  mill.tr:10  {test}({int 50}>1){jump-if-false L0}
//     24  mill.tr:11  {int 51}=2
//     ...
//   L0:
//     44  mill.tr:13  {int 51}=3
//   L1:
#pragma once

#include <string>
#include <string_view>

#include "tornel/compiler/loader.h"
#include "tornel/driver/diagnostics.h"

namespace tornel {

// The listing; file names come from diag (the post file and the include
// list).  Labels that no line placed are listed at the end.
std::string DumpProgram(const Diagnostics& diag, const LoadedProgram& program);

// One statement (without location prefix and line end) with its token bytes
// written as names in braces: {int 57}, {jump L3}, {RETURN}, {<=}, {.modal}.
// Plain characters stay as they are.
std::string ReadableTokens(std::string_view statement);

}  // namespace tornel
