// The declaration blocks of the output passes (ADDRESS, MODALGROUP): a
// keyword alone on its line opens the block, END and the keyword close it,
// and every line in between is one definition.
#pragma once

#include <string_view>

#include "tornel/base/diagnostics.h"

namespace tornel {

enum class BlockLine {
  kOutside,     // a statement outside any block
  kOpen,        // the opening keyword
  kDefinition,  // a line inside the block
  kClose,       // END and the keyword
};

struct BlockState {
  std::string_view keyword;  // as the text has it: "addres", "modalgroup"
  std::string_view name;     // for "Invalid %s statement in": "ADDRESS", "ModalGroup"
  bool inside = false;
};

// Classifies one statement and moves the state on; reports an opening line
// that holds more than the keyword and an END line in the block that is not
// exactly END and the keyword.
BlockLine ClassifyBlockLine(Diagnostics& diag, BlockState& state, std::string_view statement);

}  // namespace tornel
