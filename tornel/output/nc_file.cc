#include "tornel/output/nc_file.h"

#include "tornel/base/file_open.h"

namespace tornel {

void OpenNcFile(Diagnostics& diag, OutputTables& output, const std::string& path) {
  CloseNcFile(output);
  output.nc = OpenFile(diag, path, "w");
}

bool CloseNcFile(OutputTables& output) {
  if (!output.nc) return false;
  bool ok = std::fclose(output.nc) == 0;
  output.nc = nullptr;
  return ok;
}

}  // namespace tornel
