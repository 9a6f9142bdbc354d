// Everything one run of Tornel owns: the run flags and file names, the
// reporting frame, and each subsystem's tables.  Built fresh per run (and
// per test); released at the end of the run.
#pragma once

#include <string>

#include "tornel/builtins/open_files.h"
#include "tornel/cl/cl_reader_state.h"
#include "tornel/compiler/compiler_state.h"
#include "tornel/compiler/dialog_variable_scan.h"
#include "tornel/compiler/loader.h"
#include "tornel/compiler/post_functions.h"
#include "tornel/driver/diagnostics.h"
#include "tornel/interp/interp.h"
#include "tornel/output/output_tables.h"
#include "tornel/sysvars/value_tables.h"
#include "tornel/sysvars/variable_table.h"

namespace tornel {

// The temp files of a run, all in the current directory.
inline constexpr const char* kTempPreprocessed = "Tornel.tmp";
inline constexpr const char* kTempPostCopy = "Tornel1.tmp";
inline constexpr const char* kTempScratch = "Tornel2.tmp";
inline constexpr const char* kTempAptCopy = "TorApt.tmp";
inline constexpr const char* kTempNcCopy = "TorNc.tmp";
inline constexpr const char* kTempFiles[] = {kTempAptCopy, kTempNcCopy, kTempPreprocessed,
                                             kTempPostCopy, kTempScratch};

inline constexpr const char* kPostFileExtension = ".tr";
inline constexpr const char* kSettingsFileExtension = ".ini";

struct RunFlags {
  int scan_pass = 0;       // 1 during the first pass over the APT-CL file
  int first_run = 0;       // 1 during the first run of MAIN and the first pass
  int companion_file = 0;  // -x: read the companion CL file too
  int limit_warning = 0;   // an axis limit warning was shown
};

struct RunFiles {
  std::string post_name;
  std::string post_file;       // post name + ".tr"
  std::string settings_file;   // post name + ".ini"
  std::string values_file;     // APT-CL drive, directory, name + ".val"
  std::string apt_path;        // -i as given
  std::string companion_path;  // the APT-CL name with an "x" added
  std::string nc_path;         // where the NC file is created
  std::string full_nc_path;    // the same made absolute
  std::string editor;          // -ed
};

struct RunContext {
  Diagnostics diag;
  RunFlags flags;
  RunFiles files;
  PostFunctionTable post_functions{};
  MoveHandlers move_handlers;  // resolved at run start
  CompilerState compiler;
  OpenFiles open_files;
  VariableTable variables;  // every variable name: system variables first
  ValueTables values;       // allocated once compiling has numbered every slot
  LoadedProgram program;            // the compiled post file and its label table
  DialogVariables dialog_variables;  // variables bound by the post's dialogs
  InterpState interp;               // the evaluator's state for the whole run
  OutputTables output;              // addresses, modal groups, triggers, NC line ring
  ClReader cl;                      // APT-CL record ring and reader state
  bool program_loaded = false;  // the intermediate program is in memory
};

}  // namespace tornel
