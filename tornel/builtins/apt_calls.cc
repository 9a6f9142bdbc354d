#include "tornel/builtins/apt_calls.h"

#include <cmath>
#include <cstdio>

#include "tornel/cl/cl_codes.h"
#include "tornel/cl/cl_reader.h"
#include "tornel/cl/drill_cycles.h"
#include "tornel/cl/lathe_thread.h"
#include "tornel/cl/cl_record.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {

std::string AptNumberText(double value, double accuracy) {
  int decimals = 0;
  if (value != std::floor(value)) {
    double d = accuracy > 0 ? std::ceil(-std::log10(accuracy)) : 0;
    decimals = d > 0 ? static_cast<int>(std::fmin(d, 15)) : 0;
  }
  char buf[400];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
  return buf;
}

void AppendAptPart(std::string& text, std::string_view part, bool first) {
  if (text.empty() || (text.back() != '/' && text.back() != ',')) text += first ? '/' : ',';
  text += part;
}

namespace {

// Processes `text` as a record of the APT-CL file; while an AptCmd record
// is being processed another one only builds its text.
void Process(BuiltinContext& ctx, const std::string& text) {
  if (ctx.cl.cl.parse_only) return;
  FeedCommand(ctx.cl, text);
}

}  // namespace

bool CallAptProcedure(BuiltinContext& ctx, const BuiltinEntry& e, BuiltinArgs& args) {
  ValueTables& v = ctx.values;
  const double accuracy = v.reals[kSrAptAccuracy];
  switch (e.id) {
    case kFnAptCmd: {
      std::string text = args.Text(1, kAptCmdArguments);
      for (int k = 2; args.More(); ++k) {
        double number = 0;
        std::string part;
        if (args.Any(k, kAptCmdArguments, number, part)) part = AptNumberText(number, accuracy);
        AppendAptPart(text, part, k == 2);
      }
      Process(ctx, text);
      return true;
    }
    case kFnAptJump:
      JumpToRecord(ctx.cl, args.Number(1, 1));
      return true;
    case kFnAptProc: {
      args.NoArguments();
      int32_t size = v.ints[kSiRecSize];
      if (size <= 0) return true;
      if (size > kRecordWordLimit) size = kRecordWordLimit;
      std::string text = v.strings[kSsWordStr];
      for (int32_t k = 1; k < size; ++k) {
        bool number = v.ints[kSiWordType + k] == kWordNumber;
        AppendAptPart(text,
                      number ? AptNumberText(v.reals[kSrWordVal + k], accuracy)
                             : v.strings[kSsWordStr + k],
                      k == 1);
      }
      Process(ctx, text);
      return true;
    }
    case kFnLongCycle: {
      int32_t kind = v.ints[kSiCycle];
      if (args.HasArgument()) {
        double n = std::trunc(args.Number(1, 1));
        kind = std::fabs(n) < 1000 ? static_cast<int32_t>(n) : kCycleNone;  // no kind that far out
      }
      if (kind == kCycleThread) RunThreadPasses(ctx.cl);
      else RunLongCycle(ctx.cl, kind);
      return true;
    }
    default:
      return false;
  }
}

}  // namespace tornel
