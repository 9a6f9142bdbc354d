#include "tornel/builtins/open_files.h"

#include <algorithm>

#include "platform/files.h"

namespace tornel {

void InitOpenFiles(OpenFiles& files) {
  files.entries.assign(kOpenFilesInitial, nullptr);
  files.scratch_created.clear();
}

std::string ScratchFileName(int handle) { return std::to_string((handle - 1) / 2) + ".tmp"; }

void NoteScratchCreated(OpenFiles& files, int handle) {
  std::string name = ScratchFileName(handle);
  if (std::find(files.scratch_created.begin(), files.scratch_created.end(), name) ==
      files.scratch_created.end())
    files.scratch_created.push_back(name);
}

void CloseOpenFile(OpenFiles& files, int handle) {
  if (handle < 0 || static_cast<size_t>(handle) >= files.entries.size()) return;
  if (files.entries[handle]) std::fclose(files.entries[handle]);
  files.entries[handle] = nullptr;
}

void CloseAllFiles(OpenFiles& files) {
  for (size_t i = 0; i < files.entries.size(); ++i) CloseOpenFile(files, static_cast<int>(i));
}

void DeleteScratchFiles(OpenFiles& files) {
  for (const std::string& name : files.scratch_created) platform::RemoveFile(name);
  files.scratch_created.clear();
}

}  // namespace tornel
