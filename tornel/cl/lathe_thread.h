// Threading on a lathe: a THRDSQ record's geometry and its passes, each
// handed to ThreadLC, or the whole thread to Thread once.
#pragma once

#include <vector>

#include "tornel/cl/cl_context.h"

namespace tornel {

inline constexpr const char* kMsgTooManyThreadPasses = "Too many thread passes in CL-record";
// More passes than this in one thread is a mistake in the CL file.
inline constexpr int kThreadPassLimit = 10000;

// The cumulative depths of a thread's passes: n x cut (constant step) or
// sqrt(n) x cut (constant area), each at least min_cut deeper than the
// one before, the last at `depth`; the passes end where one would deepen
// by less than `end_step`.  Empty beyond kThreadPassLimit passes (and
// `overflow` set).
std::vector<double> ThreadPassDepths(double depth, double cut, double min_cut, bool constant_step,
                                     double end_step, bool& overflow);

// The passes of the current thread for LongCycle(20): ThreadLC called for
// each with the pass's values.  Nothing while the passes already run.
void RunThreadPasses(ClContext& ctx);

}  // namespace tornel
