#include "tornel/output/nc_file.h"

#include "platform/text_file.h"
#include "tornel/base/file_open.h"

namespace tornel {

std::string OpenNcFile(Diagnostics& diag, OutputTables& output, const std::string& nc_path) {
  CloseNcFile(output);
  std::string work;
  output.nc = CreateBeside(diag, nc_path, work);
  output.nc_name = nc_path;
  output.nc_failed = false;
  return work;
}

void SelectOutputTarget(OutputTables& output, std::FILE* file, const std::string& name) {
  if (!file) {
    if (!output.nc_held) return;
    output.nc = output.nc_held;
    output.nc_name = output.nc_held_name;
    output.nc_held = nullptr;
    output.nc_held_name.clear();
    return;
  }
  if (!output.nc_held) {
    output.nc_held = output.nc;
    output.nc_held_name = output.nc_name;
  }
  output.nc = file;
  output.nc_name = name;
}

bool CloseNcFile(OutputTables& output) {
  SelectOutputTarget(output, nullptr, "");
  if (!output.nc) return false;
  bool ok = platform::CloseFile(output.nc);
  output.nc = nullptr;
  if (!ok) output.nc_failed = true;
  return ok;
}

}  // namespace tornel
