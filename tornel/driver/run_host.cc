#include "tornel/driver/run_host.h"

#include "tornel/builtins/program_args.h"
#include "tornel/interp/statements.h"
#include "tornel/output/output_references.h"
#include "tornel/output/output_statement.h"

namespace tornel {

RunHost::RunHost(RunState& run)
    : run_(run),
      calls_{Interp(run.diag, run.program, run.values, run.compiler.functions, run.interp, this),
             run.post_functions},
      builtins_{run.diag, run.values,
                ClContext{run.diag, run.values, run.cl, run.flags, run.files, run.move_handlers,
                          calls_, OutputContext{run.diag, run.values, run.output, run.flags, calls_}},
                run.open_files, run.dialogs, run.dialog_variables} {}

void RunHost::RunOutputStatement(Interp& in) { tornel::RunOutputStatement(in, output()); }

double RunHost::EvaluateOutputReference(Interp& in) {
  return tornel::EvaluateOutputReference(in, run_.output);
}

double RunHost::CallBuiltin(Interp& in, unsigned char cls, unsigned char code) {
  return tornel::CallBuiltin(in, builtins_, cls, code);
}

void PrepareInterpreter(RunState& run) {
  run.interp.literal_first = run.compiler.first_literal;
  run.interp.literal_end = run.compiler.first_literal + run.compiler.string_literals;
}

void RunMainSections(RunState& run) {
  RunHost host(run);
  RunMain(host.interp());
}

void RunPostFunction(RunState& run, int number) {
  RunHost host(run);
  RunPostFunction(host.calls(), number);
}

}  // namespace tornel
