// The record dispatcher: turns a loaded record into machine state and post
// function calls by its major word.
#pragma once

#include <string_view>

#include "tornel/cl/major_words.h"

namespace tornel {

struct ClContext;

// Dispatches the record in the record variables (the reader has loaded
// them and OnAPT has let the record through) by its major word.  In the
// first pass it only collects; post functions run in the second pass.
void DispatchRecord(ClContext& ctx, MajorWord major);

// A motion in the contour form of APT (TLON,GOFWD/(CIRCLE/...), GODLTA
// ...), which Tornel does not turn into motions: refused rather than
// dropped, so the part is not cut without it.  An OnAPT function may
// convert such records (AptCmd).
inline constexpr const char* kMsgContourMotion =
    "APT contour motion not supported, the post file's OnAPT functions may convert it. "
    "Record %s in CL-record";

// Whether a major word names such a motion.
bool IsContourMotionWord(std::string_view major);

}  // namespace tornel
