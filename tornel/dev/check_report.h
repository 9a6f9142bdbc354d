// What tornel-dev check prints for a compiled (or failed) post.
#pragma once

#include <string>
#include <vector>

#include "tornel/dev/post_warnings.h"

namespace tornel::dev {

// Every finder's warnings, by file and line.
std::vector<Warning> AllWarnings(const RunState& run);

// The fatal report of a post that did not compile, or its warnings as
// "file:line: warning: text"; then a summary line.  `warnings` counts them.
std::string CheckReport(const RunState& run, bool compiled, size_t& warnings);

}  // namespace tornel::dev
