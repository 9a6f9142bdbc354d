#include "tornel/builtins/run_calls.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "platform/process.h"
#include "tornel/builtins/math.h"
#include "tornel/interp/expression.h"
#include "tornel/interp/post_calls.h"
#include "tornel/output/comments.h"
#include "tornel/output/line_ring.h"
#include "tornel/output/nc_finish.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {

namespace {

// Stores `value` in an INTEGER or REAL variable; an integer it does not fit
// is refused.
void Store(BuiltinContext& ctx, const BuiltinEntry& e, BuiltinArgs::NumericVar var,
           double value) {
  if (!var.integer) {
    ctx.values.reals[static_cast<size_t>(var.index)] = value;
    return;
  }
  if (!(value >= INT32_MIN && value <= INT32_MAX))
    FatalAt(ctx.diag, FormatMessage(kMsgInvalidUse, {e.display}));
  ctx.values.ints[static_cast<size_t>(var.index)] = static_cast<int32_t>(value);
}

// The comments collected from the APT-CL file, or `text`, as comment lines;
// a Comments function of the post takes them instead.
void OutComments(BuiltinContext& ctx, const std::string* text) {
  ValueTables& v = ctx.values;
  PostCalls& calls = ctx.cl.calls;
  if (IsDefined(calls, kPfComments)) {
    if (text) {
      v.strings[kSsComment] = *text;
      v.ints[kSiComments] = 1;
    }
    if (v.ints[kSiComments] >= 1) RunPostFunction(calls, kPfComments);
    v.ints[kSiComments] = 0;
    return;
  }
  if (v.ints[kSiCommentOn] == 0) return;
  if (text) {
    OutputCommentLine(ctx.cl.nc, *text);
    return;
  }
  int32_t n = std::min<int32_t>(v.ints[kSiComments], 100);
  for (int32_t k = 0; k < n; ++k)
    OutputCommentLine(ctx.cl.nc, PendingCommentText(ctx.cl.nc.output, v, k));
  v.ints[kSiComments] = 0;
}

}  // namespace

std::string ErrorText(std::string text) {
  for (char& c : text)
    if (c == ';') c = '\n';
  while (!text.empty() && text.back() == '\n') text.pop_back();
  return text;
}

bool CallRunProcedure(BuiltinContext& ctx, const BuiltinEntry& e, BuiltinArgs& args) {
  switch (e.id) {
    case kFnError:
      // The post's own words are the whole report: no post file position.
      FatalPlain(ctx.diag, ErrorText(args.Text(1, 1)));
    case kFnExit: {
      double n = args.Number(1, 1);
      // The cancelled flag decides the NC file: 1 keeps the new one from
      // being delivered, any other value delivers it finished.
      ctx.diag.cancelled = TruncateToInt32(n);
      throw RunEnded{1};
    }
    case kFnExec: {
      // Nothing is reported when the program cannot be started.
      std::string command = args.Text(1, 2);
      bool wait = args.More() && args.Number(2, 2) != 0;
#ifndef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
      platform::RunProgram(command, wait);
#else
      (void)command;
      (void)wait;
#endif
      return true;
    }
    case kFnOpen: {
      std::string path = args.Text(1, 1);
#ifndef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
      platform::OpenWithDesktop(path);
#else
      (void)path;
#endif
      return true;
    }
    case kFnSeqSet: {
      double n = args.Number(1, 1);
      LineRing& ring = ctx.cl.nc.output.ring;
      ring.slots[static_cast<size_t>(ring.current)].seq_value = n;
      return true;
    }
    case kFnOutComments: {
      if (args.HasArgument()) {
        std::string text = args.Text(1, 1);
        OutComments(ctx, &text);
      } else {
        OutComments(ctx, nullptr);
      }
      return true;
    }
    case kFnHourMinSec: {
      double t = args.Number(1, 4);
      BuiltinArgs::NumericVar h = args.NumericVariable(2, 4);
      BuiltinArgs::NumericVar m = args.NumericVariable(3, 4);
      BuiltinArgs::NumericVar s = args.NumericVariable(4, 4);
      if (!std::isfinite(t)) FatalAt(ctx.diag, FormatMessage(kMsgInvalidUse, {e.display}));
      MinuteParts p = SplitMinuteParts(t);
      Store(ctx, e, h, p.h);
      Store(ctx, e, m, p.m);
      Store(ctx, e, s, p.s);
      return true;
    }
    default:
      return false;
  }
}

}  // namespace tornel
