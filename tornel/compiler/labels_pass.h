// The labels pass: LABEL statements name places that JUMP statements of the
// same scope go to.  All MAIN sections share one scope; every function has
// its own, so a label name may come back in another function, and a jump
// can't leave its function.
//
//   label retry               becomes a label line of a new label number
//   if (uiN < 3) jump retry   the jump at the end of a statement
#pragma once

#include <string>
#include <vector>

#include "tornel/base/diagnostics.h"
#include "tornel/compiler/compiler_state.h"

namespace tornel {

inline constexpr const char* kMsgLabelInUse =
    "Label name %s already in use. Use another name for label in";

// Lines in and out are records after the declarations pass: the scope of a
// line follows from the MAIN and function start records before it.  Label
// numbers come from the compiler's label counter, in text order.  A jump to
// a name that is no label of its scope stays as text.
std::vector<std::string> LabelsPass(Diagnostics& diag, CompilerState& compiler,
                                    const std::vector<std::string>& lines);

}  // namespace tornel
