// The constants pass: CONSTANT blocks define names "#name" that stand for a
// piece of text.  The blocks are taken out of the program, and every
// whole-word use of a name anywhere in the program (before its definition
// and in other files too) is replaced by the text, exactly as written.
//
//   constant
//   #feed=f1000
//   end
#pragma once

#include <string>
#include <vector>

#include "tornel/base/diagnostics.h"

namespace tornel {

inline constexpr const char* kMsgInvalidConstant = "Invalid constant definition in";
inline constexpr const char* kMsgConstantInUse =
    "Constant name %s already in use. Use another name for constant in";

// Lines in and out are location-prefixed records.  Definitions are applied
// in definition order, so a value may use a constant defined later but not
// one defined earlier.  A name defined again in a later file keeps its first
// value; defined twice in one file it is reported.
std::vector<std::string> ConstantsPass(Diagnostics& diag, const std::vector<std::string>& lines);

}  // namespace tornel
