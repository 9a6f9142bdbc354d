#include "tornel/builtins/builtin_dispatch.h"

#include <cmath>

#include "tornel/builtins/builtin_context.h"
#include "tornel/builtins/builtin_table.h"
#include "tornel/builtins/math.h"
#include "tornel/builtins/apt_calls.h"
#include "tornel/builtins/dialog_calls.h"
#include "tornel/builtins/file_calls.h"
#include "tornel/builtins/matrix_calls.h"
#include "tornel/builtins/path_calls.h"
#include "tornel/builtins/run_calls.h"
#include "tornel/builtins/string_calls.h"
#include "tornel/cl/arcs.h"
#include "tornel/cl/cl_reader.h"
#include "tornel/cl/wire_edm.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {

namespace {

const BuiltinEntry& Lookup(BuiltinContext& ctx, BuiltinClass cls, int code, BuiltinArgs& args) {
  const BuiltinEntry* e = FindBuiltin(cls, code);
  if (!e) FatalAt(ctx.diag, kMsgInvalidFunction);
  args.SetDisplayName(e->display);
  return *e;
}

[[noreturn]] void NotAvailable(BuiltinContext& ctx, const BuiltinEntry& e) {
  FatalPlain(ctx.diag, LocatedReport(ctx.diag, FormatMessage(kMsgNotAvailable, {e.display})),
             true);
}

double Checked(BuiltinContext& ctx, const BuiltinEntry& e, MathResult r) {
  if (r.error != MathError::kNone) FatalAt(ctx.diag, MathErrorMessage(r.error, e.display));
  return r.value;
}

// The accuracy argument of rot360, rot180 and ang360: srRotAccuracy when the
// call leaves it out.
double Accuracy(BuiltinContext& ctx, BuiltinArgs& args, int k) {
  return args.More() ? args.Number(k, k) : ctx.values.reals[kSrRotAccuracy];
}

double CallMath(BuiltinContext& ctx, const BuiltinEntry& e, BuiltinArgs& args) {
  // Arguments are fetched in order in separate statements: the order of
  // evaluation of a call's operands is unspecified in C++.
  switch (e.id) {
    case kFnSin: return SinDeg(args.Number(1, 1));
    case kFnCos: return CosDeg(args.Number(1, 1));
    case kFnTan: return TanDeg(args.Number(1, 1));
    case kFnAsin: return Checked(ctx, e, AsinDeg(args.Number(1, 1)));
    case kFnAcos: return Checked(ctx, e, AcosDeg(args.Number(1, 1)));
    case kFnAtan: return AtanDeg(args.Number(1, 1));
    case kFnAtan2: {
      double y = args.Number(1, 2);
      return Atan2Deg(y, args.Number(2, 2));
    }
    case kFnPow: {
      double b = args.Number(1, 2);
      return Pow(b, args.Number(2, 2));
    }
    case kFnSqrt: return Checked(ctx, e, Sqrt(args.Number(1, 1)));
    case kFnHypot: {
      double a = args.Number(1, 2);
      return Hypot(a, args.Number(2, 2));
    }
    case kFnHypot3: {
      double a = args.Number(1, 3);
      double b = args.Number(2, 3);
      return Hypot3(a, b, args.Number(3, 3));
    }
    case kFnMod: {
      double a = args.Number(1, 2);
      return Checked(ctx, e, Mod(a, args.Number(2, 2)));
    }
    case kFnAbs: return Abs(args.Number(1, 1));
    case kFnSign: return Sign(args.Number(1, 1));
    case kFnAng360: {
      double a = args.Number(1, 3);
      double b = args.Number(2, 3);
      return Ang360(a, b, Accuracy(ctx, args, 3));
    }
    case kFnRot360: {
      double a = args.Number(1, 2);
      return Rot360(a, Accuracy(ctx, args, 2));
    }
    case kFnRot180: {
      double a = args.Number(1, 2);
      return Rot180(a, Accuracy(ctx, args, 2));
    }
    case kFnRound: {
      double x = args.Number(1, 2);
      return Round(x, args.Number(2, 2));
    }
    case kFnTrunc: {
      double x = args.Number(1, 2);
      return Checked(ctx, e, Trunc(x, args.Number(2, 2)));
    }
    case kFnInt: return Checked(ctx, e, Int(args.Number(1, 1)));
    case kFnFrac: return Checked(ctx, e, Frac(args.Number(1, 1)));
    case kFnMin: {
      double a = args.Number(1, 2);
      return Min(a, args.Number(2, 2));
    }
    case kFnMax: {
      double a = args.Number(1, 2);
      return Max(a, args.Number(2, 2));
    }
    default: break;
  }
  NotAvailable(ctx, e);
}

}  // namespace

double CallNumericBuiltin(BuiltinContext& ctx, int code, BuiltinArgs& args) {
  const BuiltinEntry& e = Lookup(ctx, BuiltinClass::kNumeric, code, args);
  if (e.owner == BuiltinOwner::kStrings) return CallStringNumeric(ctx, e, args);
  if (e.id == kFnFileExist) return PathExists(args.Text(1, 1)) ? 1 : 0;
  if (e.id == kFnAptNext) {
    args.NoArguments();
    return ConsumeNextRecord(ctx.cl) ? 1 : 0;
  }
  double file_result = 0;
  if (CallFileFunction(ctx, e, args, file_result)) return file_result;
  if (e.owner != BuiltinOwner::kMath) NotAvailable(ctx, e);
  double result = CallMath(ctx, e, args);
  if (std::isnan(result)) FatalAt(ctx.diag, FormatMessage(kMsgInvalidUse, {e.display}));
  return result;
}

std::string CallStringBuiltin(BuiltinContext& ctx, int code, BuiltinArgs& args) {
  const BuiltinEntry& e = Lookup(ctx, BuiltinClass::kString, code, args);
  if (e.owner != BuiltinOwner::kStrings) NotAvailable(ctx, e);
  return CallStringFunction(ctx, e, args);
}

void CallProcedureBuiltin(BuiltinContext& ctx, int code, BuiltinArgs& args) {
  const BuiltinEntry& e = Lookup(ctx, BuiltinClass::kProcedure, code, args);
  switch (e.id) {
    case kFnArcToLines:
      args.NoArguments();
      ArcToLines(ctx.cl);
      return;
    case kFnEdmArcToLines:
      args.NoArguments();
      EdmArcToLines(ctx.cl);
      return;
    case kFnFileDel:
      DeletePath(ctx.cl.files, args.Text(1, 1));
      return;
    case kFnFileCopy:
    case kFnFileMove: {
      std::string from = args.Text(1, 2);
      std::string to = args.Text(2, 2);
      if (e.id == kFnFileCopy) CopyPath(ctx.cl.files, from, to);
      else MovePath(ctx.cl.files, from, to);
      return;
    }
    default:
      break;
  }
  if (CallMatrixProcedure(ctx, e, args)) return;
  if (CallRunProcedure(ctx, e, args)) return;
  if (CallAptProcedure(ctx, e, args)) return;
  double unused = 0;
  if (CallFileFunction(ctx, e, args, unused)) return;
  NotAvailable(ctx, e);
}

void CallDialogBuiltin(BuiltinContext& ctx, int code, BuiltinArgs& args) {
  CallDialogProcedure(ctx, Lookup(ctx, BuiltinClass::kDialog, code, args), args);
}

}  // namespace tornel
