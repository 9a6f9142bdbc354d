#include "tornel/driver/post_calls.h"

#include "tornel/compiler/preprocessor.h"
#include "tornel/interp/statements.h"

namespace tornel {

Interp InterpreterFor(RunContext& ctx) {
  return Interp(ctx.diag, ctx.program, ctx.values, ctx.compiler.functions, ctx.interp, &ctx);
}

void PrepareInterpreter(RunContext& ctx) {
  ctx.interp.literal_first = kFirstStringLiteral;
  ctx.interp.literal_end = kFirstStringLiteral + ctx.compiler.string_literals;
}

void RunMainSections(RunContext& ctx) {
  Interp in = InterpreterFor(ctx);
  RunMain(in);
}

void RunLabel(RunContext& ctx, int label) {
  Interp in = InterpreterFor(ctx);
  RunAtLabel(in, label);
}

void RunPostFunction(RunContext& ctx, int number) {
  if (!IsDefined(ctx.post_functions, number)) return;
  RunLabel(ctx, ctx.post_functions[number]);
}

}  // namespace tornel
