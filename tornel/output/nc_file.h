// The NC file as the target of the NC output: created at the start of the
// run, written line by line from the line ring, closed before finishing.
#pragma once

#include <string>

#include "tornel/base/diagnostics.h"
#include "tornel/output/output_tables.h"

namespace tornel {

// Creates the NC file for writing (a failure is reported: "Error creating
// file %s.").
void OpenNcFile(Diagnostics& diag, OutputTables& output, const std::string& path);

// Closes the NC file when it is open; true when it was open and closed
// without an error.
bool CloseNcFile(OutputTables& output);

}  // namespace tornel
