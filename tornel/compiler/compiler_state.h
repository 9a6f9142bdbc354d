// What the compiler keeps between its passes: the intermediate text (one
// location-prefixed record per line, without line ends) handed from one
// pass to the next in memory, and the stack store whose text row 0 holds
// the string literals until the value tables exist, and the one label
// counter that numbers every label of the program (function entries, LABEL
// statements and the labels of control structures) in the order the passes
// create them.
#pragma once

#include <string>
#include <vector>

#include "tornel/compiler/function_table.h"
#include "tornel/compiler/stack_store.h"

namespace tornel {

struct CompilerState {
  std::vector<std::string> text;
  StackStore stacks;
  int label_counter = 0;
  // String table slots taken by the string literals of text row 0, from
  // first_literal (right behind the system strings); their texts move
  // there once the value tables exist.
  int string_literals = 0;
  int first_literal = 0;
  FunctionTables functions;  // descriptors, OnAPT table, OnAddr/OnAddrOut hooks
};

// Takes the next label number: the first label of a program is 0.
inline int NewLabel(CompilerState& s) { return s.label_counter++; }

}  // namespace tornel
