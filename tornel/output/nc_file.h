// The NC file as the target of the NC output: created at the start of the
// run, written line by line from the line ring, closed before finishing.
//
// The lines go to a work file of ours beside the NC file's path, never to
// the NC file itself: a previous NC file of that name stays as it was until
// the finished file is put in its place at delivery, and a run that ends
// early (an error before the program ran, Cancel, a signal, a full disk)
// never leaves half a program under the NC file's name.
#pragma once

#include <string>

#include "tornel/base/diagnostics.h"
#include "tornel/output/output_tables.h"

namespace tornel {

// Creates the work file beside `nc_path` for writing and returns its path;
// reports name `nc_path`.  A failure is reported: "Error creating file %s."
// with `nc_path`.
std::string OpenNcFile(Diagnostics& diag, OutputTables& output, const std::string& nc_path);

// Closes the NC output when it is open; true when it was open and every
// byte reached the file.  A failed close marks the output failed and leaves
// errno telling why.
bool CloseNcFile(OutputTables& output);

// FileSel: completed lines go to `file` (reports name `name`) from now on;
// the NC file waits.  Null `file` brings them back to the NC file.
void SelectOutputTarget(OutputTables& output, std::FILE* file, const std::string& name);

// True while the lines go to a file of the post's.
inline bool OutputRedirected(const OutputTables& output) { return output.nc_held != nullptr; }

}  // namespace tornel
