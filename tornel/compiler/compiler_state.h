// What the compiler keeps between its passes: the intermediate text (one
// location-prefixed record per line, without line ends) handed from one
// pass to the next in memory, and the stack store whose text row 0 holds
// the string literals until the value tables exist.
#pragma once

#include <string>
#include <vector>

#include "tornel/interp/stack_store.h"

namespace tornel {

struct CompilerState {
  std::vector<std::string> text;
  StackStore stacks;
};

}  // namespace tornel
