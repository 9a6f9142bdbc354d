// Everything one run of Tornel owns: the run context that every layer may
// read (reporting frame, run flags, file names) and each subsystem's
// tables.  Built fresh per run (and per test); released at the end of the
// run.  Only the run driver sees the whole of it: every other layer is
// handed the tables it works on.
#pragma once

#include "tornel/base/run_context.h"
#include "tornel/builtins/open_files.h"
#include "tornel/cl/cl_reader_state.h"
#include "tornel/compiler/compiler_state.h"
#include "tornel/compiler/dialog_variable_scan.h"
#include "tornel/compiler/loader.h"
#include "tornel/compiler/post_functions.h"
#include "tornel/compiler/variable_table.h"
#include "tornel/dialogs/dialog_session.h"
#include "tornel/interp/interp.h"
#include "tornel/output/output_tables.h"
#include "tornel/sysvars/value_tables.h"

namespace tornel {

struct RunState : RunContext {
  PostFunctionTable post_functions{};
  MoveHandlers move_handlers;  // resolved at run start
  CompilerState compiler;
  OpenFiles open_files;              // the post file's own files
  VariableTable variables;           // every variable name: system variables first
  ValueTables values;                // allocated once compiling has numbered every slot
  LoadedProgram program;             // the compiled post file and its label table
  DialogVariables dialog_variables;  // variables bound by the post's dialogs
  DialogSession dialogs;             // the post's dialogs and the value memory
  InterpState interp;                // the evaluator's state for the whole run
  OutputTables output;               // addresses, modal groups, triggers, NC line ring, NC file
  ClReader cl;                       // APT-CL record ring and reader state
  bool program_loaded = false;       // the intermediate program is in memory
};

}  // namespace tornel
