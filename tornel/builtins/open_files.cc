#include "tornel/builtins/open_files.h"

#include <algorithm>
#include <cmath>

#include "platform/files.h"
#include "platform/text_file.h"

namespace tornel {

void InitOpenFiles(OpenFiles& files) {
  files.entries.assign(kOpenFilesInitial, PostFile{});
  files.scratch_created.clear();
}

std::string ScratchFileName(int handle) { return std::to_string((handle - 1) / 2) + ".tmp"; }

void NoteScratchCreated(OpenFiles& files, int handle) {
  std::string name = ScratchFileName(handle);
  if (std::find(files.scratch_created.begin(), files.scratch_created.end(), name) ==
      files.scratch_created.end())
    files.scratch_created.push_back(name);
}

PostFile* FindOpenFile(OpenFiles& files, double handle) {
  if (!(handle >= 1) || handle >= static_cast<double>(files.entries.size())) return nullptr;
  if (handle != std::floor(handle)) return nullptr;
  auto h = static_cast<size_t>(handle);
  if (h % 2 == 0 || !files.entries[h].file) return nullptr;
  return &files.entries[h];
}

int FreeHandle(OpenFiles& files) {
  for (size_t h = 1; h < files.entries.size(); h += 2)
    if (!files.entries[h].file) return static_cast<int>(h);
  size_t first = files.entries.size() | 1;
  files.entries.resize(files.entries.size() + kOpenFilesInitial);
  return static_cast<int>(first);
}

void CloseOpenFile(OpenFiles& files, int handle) {
  if (handle < 0 || static_cast<size_t>(handle) >= files.entries.size()) return;
  PostFile& e = files.entries[static_cast<size_t>(handle)];
  if (e.file) platform::CloseFile(e.file);
  e = PostFile{};
}

void CloseAllFiles(OpenFiles& files) {
  for (size_t i = 0; i < files.entries.size(); ++i) CloseOpenFile(files, static_cast<int>(i));
}

void DeleteScratchFiles(OpenFiles& files) {
  for (const std::string& name : files.scratch_created) platform::RemoveFile(name);
  files.scratch_created.clear();
}

}  // namespace tornel
