// The run driver's side of the layers: it alone sees the whole run, so it
// builds the views each layer works on (the interpreter, the post function
// calls, the NC output, the CL processing, the built-ins) and is the
// interpreter's host, handing output statements, address references and
// built-in calls to the layers above the interpreter.
//
// A RunHost is built over a run whose program is loaded, for as long as
// something runs (a MAIN pass, a CL pass, the end of the run).
#pragma once

#include "tornel/builtins/builtin_context.h"
#include "tornel/cl/cl_context.h"
#include "tornel/driver/run_state.h"
#include "tornel/interp/interp_host.h"
#include "tornel/interp/post_calls.h"
#include "tornel/output/output_context.h"

namespace tornel {

class RunHost final : public InterpHost {
 public:
  explicit RunHost(RunState& run);
  RunHost(const RunHost&) = delete;
  RunHost& operator=(const RunHost&) = delete;

  Interp& interp() { return calls_.in; }
  PostCalls& calls() { return calls_; }
  OutputContext& output() { return builtins_.cl.nc; }
  ClContext& cl() { return builtins_.cl; }
  BuiltinContext& builtins() { return builtins_; }

  void RunOutputStatement(Interp& in) override;
  double EvaluateOutputReference(Interp& in) override;
  double CallBuiltin(Interp& in, unsigned char cls, unsigned char code) override;

 private:
  RunState& run_;
  PostCalls calls_;
  BuiltinContext builtins_;
};

// Tells the interpreter which string table slots hold string constants;
// called once the program is loaded.
void PrepareInterpreter(RunState& run);

// Runs every MAIN section, the include files' first.
void RunMainSections(RunState& run);

// Runs post function `number` (Settings, InitSettings, ProcessEnd ...) when
// the post file defines it.
void RunPostFunction(RunState& run, int number);

}  // namespace tornel
