// Running the post file's code within a run: the MAIN sections, and the
// event functions that the run driver, the CL processing and the output
// formatting call by label.
#pragma once

#include "tornel/driver/run_context.h"
#include "tornel/interp/interp.h"

namespace tornel {

// The interpreter over the run's loaded program and tables.
Interp InterpreterFor(RunContext& ctx);

// Tells the interpreter which string table slots hold string constants;
// called once the program is loaded.
void PrepareInterpreter(RunContext& ctx);

// Runs every MAIN section, the include files' first.
void RunMainSections(RunContext& ctx);

// Runs the function at `label` (its locals keep their values).
void RunLabel(RunContext& ctx, int label);

// Runs post function `number` (Settings, InitSettings, ProcessEnd ...) when
// the post file defines it.
void RunPostFunction(RunContext& ctx, int number);

}  // namespace tornel
