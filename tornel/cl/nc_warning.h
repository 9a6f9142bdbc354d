// A warning of the CL processing that the machinist must see: a comment
// in the NC file each time; the first time in a run (per kind, `shown`)
// also a warning box with the NC line it follows, the last error text and
// the frame of the finished NC file.
#pragma once

#include <string>

#include "tornel/cl/cl_context.h"

namespace tornel {

void WarnInNcFile(ClContext& ctx, const std::string& message, int& shown);

}  // namespace tornel
